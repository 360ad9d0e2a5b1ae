#pragma once

#include "DaoType.h"
#include "Recordset.h"

#include <QString>
#include <memory>

class Database;

// A statement held for running, given new SQL text between runs.
class QueryDef {
public:
    QueryDef(Database& db, QString sql) : m_db(&db), m_sql(std::move(sql)) {}

    const QString& SQL() const { return m_sql; }
    void SetSQL(const QString& sql) { m_sql = sql; }
    void Execute(int options = 0);
    std::unique_ptr<Recordset> OpenRecordset(int type = dbOpenSnapshot);
    void Close() { m_sql.clear(); }

private:
    Database* m_db;
    QString m_sql;
};
