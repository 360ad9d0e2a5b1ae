#include "ScratchDatabase.h"

#include "Schema.h"

#include <stdexcept>

namespace
{

QString text(const QVariant& value)
{
    if (value.isNull())
        return QStringLiteral("<null>");
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    if (value.typeId() == QMetaType::QDateTime) {
        const QDateTime date = value.toDateTime();
        return date.toString(date.time() == QTime(0, 0) ? QStringLiteral("MM/dd/yyyy")
                                                        : QStringLiteral("MM/dd/yyyy HH:mm:ss"));
    }
    return value.toString();
}

} // namespace

ScratchDatabase::ScratchDatabase()
{
    if (!m_dir.isValid())
        throw std::runtime_error("no temporary folder");
    m_db = Database::Create(m_dir.filePath(QStringLiteral("brevoxal.mdb")));
    CreateSchema(m_db);
}

int ScratchDatabase::Count(const QString& sql)
{
    return m_db.OpenRecordset(sql)->RecordCount();
}

QVariant ScratchDatabase::Scalar(const QString& sql)
{
    const auto rs = m_db.OpenRecordset(sql);
    return rs->Eof() ? QVariant() : rs->Fields()[0].Value();
}

QVariantList ScratchDatabase::Column(const QString& sql)
{
    QVariantList values;
    for (auto rs = m_db.OpenRecordset(sql); !rs->Eof(); rs->MoveNext())
        values.append(rs->Fields()[0].Value());
    return values;
}

QString ScratchDatabase::Dump(const QString& sql)
{
    QStringList rows;
    for (auto rs = m_db.OpenRecordset(sql); !rs->Eof(); rs->MoveNext()) {
        QStringList fields;
        for (int i = 0; i < rs->Fields().Count(); ++i) {
            fields.append(text(rs->Fields()[i].Value()));
        }
        rows.append(fields.join(u'|'));
    }
    return rows.join(u'\n');
}

void ScratchDatabase::ExecuteAll(const QStringList& statements)
{
    for (const QString& sql : statements)
        m_db.Execute(sql, dbFailOnError);
}
