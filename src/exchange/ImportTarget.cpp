#include "ImportTarget.h"

#include <utility>

namespace {

const std::pair<const char*, const char*> kCaptions[] = {
    {"fname", "First Name"},      {"Address1", "Address 1"},  {"Address2", "Address 2"},
    {"birthdate", "Birth Date"},  {"CallDate", "Call Date"},  {"cellphone", "Mobile Phone"},
    {"city", "City"},             {"email", "E-Mail"},        {"goal_chol", "Goal Chol"},
    {"Comment", "Comment"},       {"goal_ldl", "Goal LDL"},   {"systolic", "Systolic"},
    {"diastolic", "Diastolic"},   {"lname", "Last Name"},     {"MI", "Middle I."},
    {"phone", "Phone #"},         {"sex", "Sex"},             {"st", "State"},
    {"zip", "Zip Code"},
};

// The other side of the pair whose own side equals text in any letter case.
QString counterpart(const QString& text, bool fromField)
{
    for (const auto& [field, caption] : kCaptions)
        if (text.compare(QLatin1String(fromField ? field : caption), Qt::CaseInsensitive) == 0)
            return QLatin1String(fromField ? caption : field);
    return text;
}

} // namespace

const QList<ImportTarget>& ImportTarget::All()
{
    static const QList<ImportTarget> targets = {
        {QStringLiteral("Patients"), QStringLiteral("Patients"), QStringLiteral("ptid")},
        {QStringLiteral("Doctors"), QStringLiteral("Doctors"), QStringLiteral("DoctorID")},
        {QStringLiteral("Health Factors"), QStringLiteral("HealthFactors"), QStringLiteral("CondID")},
        {QStringLiteral("Drugs"), QStringLiteral("Drugs"), QStringLiteral("DrugID")},
        {QStringLiteral("Lab Visits"), QStringLiteral("LabVisits"), QStringLiteral("ID")},
        {QStringLiteral("Patient Communications"), QStringLiteral("Communications"),
         QStringLiteral("ID")},
    };
    return targets;
}

QString ImportTarget::Caption(const QString& field)
{
    return counterpart(field, true);
}

QString ImportTarget::FieldOf(const QString& caption)
{
    return counterpart(caption, false);
}
