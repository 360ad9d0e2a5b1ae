#include "ScratchDatabase.h"

#include "DbError.h"
#include "Schema.h"

#include <QCoreApplication>
#include <QTest>
#include <sqlite3.h>
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

QString ScratchDatabase::ServerMissing()
{
    return ServerConnection().isEmpty() ? QStringLiteral("VELMORA_TEST_PG is not set: no server "
                                                         "to test on (scripts/test.sh sets it)")
                                        : QString();
}

void ScratchDatabase::AddBackEndRows()
{
    QTest::addColumn<BackEnd>("backEnd");
    QTest::newRow("file") << File;
    QTest::newRow("server") << Server;
}

ScratchDatabase::ScratchDatabase(BackEnd backEnd)
{
    if (!m_dir.isValid())
        throw std::runtime_error("no temporary folder");
    if (backEnd == File) {
        m_db = Database::Create(m_dir.filePath(QStringLiteral("brevoxal.mdb")));
        CreateSchema(m_db);
        return;
    }
    static int made = 0;
    m_serverDatabase = QStringLiteral("scratch_%1_%2")
                           .arg(QCoreApplication::applicationPid())
                           .arg(++made);
    Database::Connect(ServerConnection())
        .ExecuteDirect("CREATE DATABASE " + m_serverDatabase.toUtf8() + " TEMPLATE " +
                       serverTemplate());
    m_db = Database::Connect(Connection());
}

// A database holding the schema and seed rows, made once per program and copied for each
// scratch database: copying is much quicker than creating the schema statement by statement.
QByteArray ScratchDatabase::serverTemplate()
{
    struct Template {
        QByteArray name =
            "scratch_template_" + QByteArray::number(QCoreApplication::applicationPid());
        Template()
        {
            Database::Connect(ServerConnection()).ExecuteDirect("CREATE DATABASE " + name);
            Database db = Database::Connect(ServerConnection() + " dbname=" + name);
            CreateSchema(db);
        }
        ~Template() { drop(name); }
    };
    static const Template made;
    return made.name;
}

ScratchDatabase::~ScratchDatabase()
{
    m_db.Close();
    if (!m_serverDatabase.isEmpty())
        drop(m_serverDatabase.toUtf8());
}

void ScratchDatabase::drop(const QByteArray& database)
{
    Database::Connect(ServerConnection())
        .ExecuteDirect("DROP DATABASE " + database + " WITH (FORCE)");
}

Database ScratchDatabase::OpenAgain() const
{
    if (!m_serverDatabase.isEmpty())
        return Database::Connect(Connection());
    Database other = Database::Open(m_db.Name());
    sqlite3_busy_timeout(other.Handle(), 0);
    return other;
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
        for (int i = 0; i < rs->Fields().Count(); ++i)
            fields.append(text(rs->Fields()[i].Value()));
        rows.append(fields.join(u'|'));
    }
    return rows.join(u'\n');
}

void ScratchDatabase::ExecuteAll(const QStringList& statements)
{
    for (const QString& sql : statements)
        m_db.Execute(sql, dbFailOnError);
}

QString ScratchDatabase::EveryRow(const QStringList& tables)
{
    QString rows;
    for (const QString& table : tables)
        rows += table + u':' + Dump(QStringLiteral("SELECT * FROM ") + table) + u'\n';
    return rows;
}

QString MessageOf(const std::function<void()>& operation)
{
    try {
        operation();
    } catch (const DbError& error) {
        return error.Message();
    }
    return QString();
}
