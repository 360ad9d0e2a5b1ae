#pragma once

#include <QString>

// The health factor record; Comment is the patient's comment where assigned.
class clsHealthFactor {
public:
    qint32 ID() const { return m_id; }
    void SetID(qint32 pID) { m_id = pID; }
    const QString& Desc() const { return m_desc; }
    void SetDesc(const QString& pDesc) { m_desc = pDesc; }
    const QString& Comment() const { return m_comment; }
    void SetComment(const QString& pComment) { m_comment = pComment; }

private:
    qint32 m_id = 0;
    QString m_desc;
    QString m_comment;
};
