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
    if (m_view == QLatin1String("Patient"))
        return deletePatient();
    if (m_view == QLatin1String("Doctor")) {
        const QString names = m_first + QStringLiteral(", ") + m_last;
        return deleteLinked(
            QStringLiteral("SELECT count(*) as docsfound FROM PatientsDoctors where DoctorID = "),
            AskedDeletion::DoctorLinkedQuestion(names), AskedDeletion::PlainQuestion(names),
            &DeleteDoctor);
    }
    if (m_view == QLatin1String("Drug")) {
        return deleteLinked(
            QStringLiteral("SELECT count(*) as drugsfound FROM Schedule where DrugID = "),
            AskedDeletion::DrugLinkedQuestion(m_last), AskedDeletion::PlainQuestion(m_last),
            &DeleteDrug);
    }
    if (m_view == QLatin1String("HealthFactor")) {
        return deleteLinked(
            QStringLiteral("SELECT count(*) as hfsfound FROM PatientFactors where condID = "),
            AskedDeletion::HealthFactorLinkedQuestion(m_last),
            AskedDeletion::PlainQuestion(m_last), &DeleteHealthFactor);
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
