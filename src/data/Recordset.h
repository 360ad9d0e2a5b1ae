#pragma once

#include "FieldList.h"
#include "JetTranslation.h"
#include "RepeatedTexts.h"

#include <QVariant>
#include <memory>
#include <vector>

class SqlConnection;
class SqlStatement;
class StatementCache;

// The rows of a query and a position among them. A forward-only recordset holds only the
// current row (read straight from the statement); a snapshot reads and keeps every row when it
// is opened, so that it can move back and does not change with later writes.
class Recordset {
public:
    Recordset(std::shared_ptr<SqlConnection> db, std::shared_ptr<StatementCache> statements,
              const JetTranslation& query, const QString& sql, bool forwardOnly);
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    bool Bof() const { return m_bof; }
    bool Eof() const { return m_eof; }
    void MoveFirst();
    void MoveNext();
    void MovePrevious();
    void MoveLast();
    int RecordCount();
    const FieldList& Fields() const { return m_fields; }
    void Close();
    QVariant Value(int column) const;
    // The value as FieldText reads it; a forward-only recordset reads it straight from the
    // statement, without building the raw value first.
    QVariant Reading(int column) const;

private:
    bool fetch();
    void fetchAll();
    void describeColumns(const JetTranslation& query);
    // A column of the current row as stored (Null as an invalid variant) or as FieldText reads it.
    enum class ReadAs { Stored, Reading };
    QVariant columnValue(int column, ReadAs as) const;
    QVariant textValue(int column, ReadAs as) const;
    [[noreturn]] void throwNoCurrentRecord() const;
    void requireScrolling() const;

    std::shared_ptr<SqlConnection> m_db;
    // Declared after the connection, so that it is let go first.
    std::shared_ptr<StatementCache> m_statements;
    std::unique_ptr<SqlStatement> m_stmt;
    QByteArray m_text;
    QString m_sql;
    bool m_forwardOnly;
    bool m_exhausted = false;
    bool m_bof = true;
    bool m_eof = true;
    qsizetype m_pos = -1;
    int m_fetched = 0;
    std::vector<int> m_types;
    // Per column, from the second row on: long listings share their repeated texts.
    mutable std::vector<RepeatedTexts> m_texts;
    std::vector<std::vector<QVariant>> m_rows;
    FieldList m_fields;
};
