#pragma once

#include "SqlStatement.h"

#include <QByteArray>
#include <vector>

class PostgresConnection;
struct pg_result;

// A statement on a PostgreSQL connection: a named prepared statement when it is kept, else
// the text sent with its values. Its rows arrive as one result when it first steps.
class PostgresStatement : public SqlStatement
{
public:
    PostgresStatement(PostgresConnection& connection, QByteArray sql, QByteArray name);
    ~PostgresStatement() override;
    PostgresStatement(const PostgresStatement&) = delete;
    PostgresStatement& operator=(const PostgresStatement&) = delete;

    // Prepares a named statement on the current connection; nothing for one sent as text.
    void Prepare();
    void Bind(const QVariantList& values) override;
    bool Step() override;
    void Reset() override;
    int ColumnCount() const override;
    QString ColumnName(int column) const override;
    QString ColumnTable(int column) const override;
    std::optional<FieldDef> ColumnField(int column) const override;
    Storage ColumnStorage(int column) const override;
    qint64 Int(int column) const override;
    double Double(int column) const override;
    const char* Text(int column, int& bytes) const override;

private:
    void execute();

    PostgresConnection& m_connection;
    QByteArray m_sql;
    QByteArray m_name;
    std::vector<QByteArray> m_values;
    std::vector<const char*> m_pointers;
    pg_result* m_result = nullptr;
    int m_generation = -1;
    int m_row = -1;
    int m_rows = 0;
};
