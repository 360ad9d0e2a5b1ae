#pragma once

#include <QString>

// One contact with a patient. It carries no patient: the holder keeps that.
class clsComm {
public:
    qint32 ID() const { return m_id; }
    void SetID(qint32 pID) { m_id = pID; }
    const QString& CallDate() const { return m_callDate; }
    void SetCallDate(const QString& pCallDate) { m_callDate = pCallDate; }
    const QString& CallTime() const { return m_callTime; }
    void SetCallTime(const QString& pCallTime) { m_callTime = pCallTime; }
    const QString& Result() const { return m_result; }
    void SetResult(const QString& pResult) { m_result = pResult; }
    bool Complete() const { return m_complete; }
    void SetComplete(bool pComplete) { m_complete = pComplete; }

private:
    qint32 m_id = 0;
    QString m_callDate;
    QString m_callTime;
    QString m_result;
    bool m_complete = false;
};
