#pragma once

#include <QString>

// The doctor record; Comment is the patient's comment where a doctor is assigned.
class clsDoctor {
public:
    qint32 ID() const { return m_id; }
    void SetID(qint32 pID) { m_id = pID; }
    const QString& LastName() const { return m_lastName; }
    void SetLastName(const QString& pLName) { m_lastName = pLName; }
    const QString& FirstName() const { return m_firstName; }
    void SetFirstName(const QString& pFName) { m_firstName = pFName; }
    const QString& Classification() const { return m_classification; }
    void SetClassification(const QString& pClassification) { m_classification = pClassification; }
    const QString& Comment() const { return m_comment; }
    void SetComment(const QString& pComment) { m_comment = pComment; }

private:
    qint32 m_id = 0;
    QString m_lastName;
    QString m_firstName;
    QString m_classification;
    QString m_comment;
};
