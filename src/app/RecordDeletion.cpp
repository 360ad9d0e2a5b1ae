#include "RecordDeletion.h"

#include "AskedDeletion.h"
#include "common.h"

RecordDeletion::RecordDeletion(QString view, QString id, QString first, QString last)
    : m_view(std::move(view)), m_id(std::move(id)), m_first(std::move(first)),
      m_last(std::move(last))
{
}

bool RecordDeletion::Run() const
{
    const QString names = m_first + QStringLiteral(", ") + m_last;
    if (m_view == QLatin1String("Patient"))
        return deletePatient();
    if (m_view == QLatin1String("Doctor")) {
        return deleteLinked(
            QStringLiteral("SELECT count(*) as docsfound FROM PatientsDoctors where DoctorID = "),
            QStringLiteral("Doctor ") + names +
                QStringLiteral(" is currently assigned to one or more patients.  Would you like "
                               "to un-assign this doctor to all patients for whom this doctor "
                               "is assigned?"),
            QStringLiteral("Are you Sure you want to delete ") + names + QStringLiteral(" ?"),
            &DeleteDoctor);
    }
    const QString plain = QStringLiteral("Are you Sure you want to delete ") + m_last +
                          QStringLiteral(" ?");
    if (m_view == QLatin1String("Drug")) {
        return deleteLinked(
            QStringLiteral("SELECT count(*) as drugsfound FROM Schedule where DrugID = "),
            QStringLiteral("Drug '") + m_last +
                QStringLiteral("' is currently assigned to one or more patients.  Would you "
                               "like to un-assign this drug to all patients for whom this drug "
                               "is assigned?"),
            plain, &DeleteDrug);
    }
    if (m_view == QLatin1String("HealthFactor")) {
        return deleteLinked(
            QStringLiteral("SELECT count(*) as hfsfound FROM PatientFactors where condID = "),
            QStringLiteral("Health Factor '") + m_last +
                QStringLiteral("' is currently assigned to one or more patients.  Would you "
                               "like to un-assign this health factor to all patients for whom "
                               "this health factor is assigned?"),
            plain, &DeleteHealthFactor);
    }
    return false;
}

bool RecordDeletion::deletePatient() const
{
    if (!AskQuestion(QStringLiteral("Are you sure you want to delete ") + m_first +
                     QStringLiteral(", ") + m_last + QStringLiteral(" ?")))
        return false;
    DeletePatient(m_id);
    return true;
}

bool RecordDeletion::deleteLinked(const QString& countSql, const QString& linkedQuestion,
                                  const QString& plainQuestion,
                                  void (*deleteRecord)(const QString&)) const
{
    const AskedDeletion deletion{.id = m_id,
                                 .linkCountSql = countSql,
                                 .linkedQuestion = linkedQuestion,
                                 .cancelledNotice = QStringLiteral("Delete Cancelled"),
                                 .plainQuestion = plainQuestion,
                                 .deleteRecord = deleteRecord};
    return deletion.Run();
}
