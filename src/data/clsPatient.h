#pragma once

#include <QString>

// The patient record, as read from Patients or copied from the patient editor.
class clsPatient {
public:
    const QString& FirstName() const { return m_firstName; }
    void SetFirstName(const QString& pFName) { m_firstName = pFName; }
    const QString& LastName() const { return m_lastName; }
    void SetLastName(const QString& pLName) { m_lastName = pLName; }
    const QString& MI() const { return m_mi; }
    void SetMI(const QString& pMI) { m_mi = pMI; }
    qint32 ID() const { return m_id; }
    void SetID(qint32 pID) { m_id = pID; }
    const QString& BirthDate() const { return m_birthDate; }
    void SetBirthDate(const QString& pBirthDate) { m_birthDate = pBirthDate; }
    const QString& Address1() const { return m_address1; }
    void SetAddress1(const QString& pAddress1) { m_address1 = pAddress1; }
    const QString& Address2() const { return m_address2; }
    void SetAddress2(const QString& pAddress2) { m_address2 = pAddress2; }
    const QString& City() const { return m_city; }
    void SetCity(const QString& pCity) { m_city = pCity; }
    const QString& ST() const { return m_st; }
    void SetST(const QString& pST) { m_st = pST; }
    const QString& Zip() const { return m_zip; }
    void SetZip(const QString& pZip) { m_zip = pZip; }
    const QString& Phone() const { return m_phone; }
    void SetPhone(const QString& pPhone) { m_phone = pPhone; }
    const QString& CellPhone() const { return m_cellPhone; }
    void SetCellPhone(const QString& pCellPhone) { m_cellPhone = pCellPhone; }
    const QString& EMail() const { return m_email; }
    void SetEMail(const QString& pEMail) { m_email = pEMail; }
    const QString& Sex() const { return m_sex; }
    void SetSex(const QString& pSex) { m_sex = pSex; }
    // The stored text as a date "mm/dd/yyyy"; text that is no date comes back as set.
    QString CallDate() const;
    void SetCallDate(const QString& pCallDate) { m_callDate = pCallDate; }
    qint32 GoalChol() const { return m_goalChol; }
    void SetGoalChol(qint32 pGoalChol) { m_goalChol = pGoalChol; }
    qint32 GoalLDL() const { return m_goalLDL; }
    void SetGoalLDL(qint32 pGoalLDL) { m_goalLDL = pGoalLDL; }
    qint32 Systolic() const { return m_systolic; }
    void SetSystolic(qint32 pSystolic) { m_systolic = pSystolic; }
    qint32 Diastolic() const { return m_diastolic; }
    void SetDiastolic(qint32 pDiastolic) { m_diastolic = pDiastolic; }

private:
    QString m_firstName;
    QString m_lastName;
    QString m_mi;
    qint32 m_id = 0;
    QString m_birthDate;
    QString m_address1;
    QString m_address2;
    QString m_city;
    QString m_st;
    QString m_zip;
    QString m_phone;
    QString m_cellPhone;
    QString m_email;
    QString m_sex;
    QString m_callDate;
    qint32 m_goalChol = 0;
    qint32 m_goalLDL = 0;
    qint32 m_systolic = 0;
    qint32 m_diastolic = 0;
};
