#pragma once

#include <QString>

// The drug record; Comment is the patient's dosage where a drug is assigned.
class clsDrug {
public:
    qint32 DrugID() const { return m_drugID; }
    void SetDrugID(qint32 pDrugID) { m_drugID = pDrugID; }
    const QString& DrugDesc() const { return m_drugDesc; }
    void SetDrugDesc(const QString& pDesc) { m_drugDesc = pDesc; }
    const QString& Comment() const { return m_comment; }
    void SetComment(const QString& pComment) { m_comment = pComment; }

private:
    qint32 m_drugID = 0;
    QString m_drugDesc;
    QString m_comment;
};
