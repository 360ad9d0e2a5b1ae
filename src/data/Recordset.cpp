#include "Recordset.h"

#include "DaoType.h"
#include "DbError.h"
#include "FieldReading.h"
#include "JetDate.h"
#include "SqlStatement.h"
#include "StatementCache.h"
#include "TextRoutines.h"

#include <algorithm>

using Storage = SqlStatement::Storage;

Recordset::Recordset(std::shared_ptr<SqlConnection> db, std::shared_ptr<StatementCache> statements,
                     const JetTranslation& query, const QString& sql, bool forwardOnly)
    : m_db(std::move(db)), m_statements(std::move(statements)), m_text(query.sql.toUtf8()),
      m_sql(sql), m_forwardOnly(forwardOnly)
{
    try {
        m_stmt = m_statements->Take(m_text);
        if (!m_stmt)
            throw DbError(QStringLiteral("The query is empty."));
        m_stmt->Bind(query.parameters);
        const bool any = fetch();
        describeColumns(query);
        // A snapshot is the rows as they were when it was opened. Reading them all at once also
        // ends the read at once, so that a write meanwhile commits instead of waiting for it.
        if (!m_forwardOnly)
            fetchAll();
        m_bof = m_eof = !any;
        m_pos = any ? 0 : -1;
    } catch (const DbError& e) {
        Close();
        throw DbError(e.Message(), m_sql, e.GetKind());
    } catch (...) {
        Close();
        throw;
    }
}

Recordset::~Recordset()
{
    Close();
}

void Recordset::Close()
{
    // Given back reset: it holds no lock, and the next opening of the same query skips
    // preparing it.
    if (m_stmt)
        m_statements->Give(m_text, std::move(m_stmt));
    m_rows.clear();
    m_texts.clear();
    m_exhausted = true;
    m_bof = m_eof = true;
}

void Recordset::describeColumns(const JetTranslation& query)
{
    const int count = m_stmt->ColumnCount();
    QStringList names;
    for (int i = 0; i < count; ++i)
        names.append(m_stmt->ColumnName(i));
    for (int i = 0; i < count; ++i) {
        FieldDef def{names[i], dbText, 255};
        if (auto declared = m_stmt->ColumnField(i)) {
            def.type = declared->type;
            def.size = declared->size;
        } else if (auto hint = query.columnTypes.constFind(names[i].toCaseFolded());
                   hint != query.columnTypes.constEnd()) {
            def.type = hint->first;
            def.size = hint->second;
        } else if (m_fetched > 0) {
            // A computed column: its type follows the value of the first row.
            const Storage storage = m_stmt->ColumnStorage(i);
            def.type = storage == Storage::Integer ? dbLong
                       : storage == Storage::Float ? dbDouble
                                                   : dbText;
            def.size = def.type == dbText ? 255 : DaoFixedSize(def.type);
        }
        // Two columns of one name (a join over SELECT *) are told apart as table.field.
        const auto sameName = [&](const QString& other) {
            return other.compare(names[i], Qt::CaseInsensitive) == 0;
        };
        if (std::count_if(names.cbegin(), names.cend(), sameName) > 1) {
            if (const QString table = m_stmt->ColumnTable(i); !table.isEmpty())
                def.name = table + u'.' + names[i];
        }
        m_types.push_back(def.type);
        m_fields.Append(Field(this, i, def.name, def.type, def.size));
    }
    if (!m_forwardOnly && m_fetched > 0) {
        // The first row was cached before the types were known; read it again by type.
        std::vector<QVariant> row;
        for (int i = 0; i < count; ++i)
            row.push_back(columnValue(i, ReadAs::Stored));
        m_rows.front() = std::move(row);
    }
}

bool Recordset::fetch()
{
    if (m_exhausted)
        return false;
    bool row = false;
    try {
        row = m_stmt->Step();
    } catch (const DbError& e) {
        throw DbError(e.Message(), m_sql, e.GetKind());
    }
    if (!row) {
        m_exhausted = true;
        return false;
    }
    ++m_fetched;
    if (!m_forwardOnly) {
        std::vector<QVariant> row;
        row.reserve(m_types.size());
        for (int i = 0; i < int(m_types.size()); ++i)
            row.push_back(columnValue(i, ReadAs::Stored));
        m_rows.push_back(std::move(row));
    }
    return true;
}

void Recordset::fetchAll()
{
    while (fetch()) {
    }
}

QVariant Recordset::columnValue(int column, ReadAs as) const
{
    const int type = m_types.empty() ? dbText : m_types[size_t(column)];
    if (type == dbText || type == dbMemo)
        return textValue(column, as);
    const Storage storage = m_stmt->ColumnStorage(column);
    if (storage == Storage::Null)
        return as == ReadAs::Reading ? FieldReading::OfNull(type) : QVariant();
    switch (type) {
    case dbBoolean:
        return QVariant(m_stmt->Int(column) != 0);
    case dbInteger:
    case dbLong:
        return QVariant(int(m_stmt->Int(column)));
    case dbDouble:
        return QVariant(m_stmt->Double(column));
    case dbDate: {
        std::optional<QDateTime> date;
        if (storage == Storage::Text) {
            int bytes = 0;
            const char* text = m_stmt->Text(column, bytes);
            date = JetDate::FromStorage(text, bytes);
        } else {
            date = JetDate::FromSerial(m_stmt->Double(column));
        }
        if (date)
            return QVariant(*date);
        break;
    }
    default:
        break;
    }
    // Only a text field's reading is trimmed.
    return textValue(column, ReadAs::Stored);
}

QVariant Recordset::textValue(int column, ReadAs as) const
{
    int bytes = 0;
    const char* text = m_stmt->Text(column, bytes);
    if (!text)
        return as == ReadAs::Reading ? FieldReading::OfNull(dbText) : QVariant();
    // An empty text is not Null: it reads as a shared empty (not null) string.
    if (bytes == 0)
        return QVariant(QStringLiteral(""));
    if (as == ReadAs::Reading && FieldReading::NeedsTrimming(text, bytes))
        return QVariant(TrimText(QString::fromUtf8(text, bytes)));
    if (m_fetched < 2)
        return QVariant(QString::fromUtf8(text, bytes));
    if (m_texts.empty())
        m_texts.resize(m_types.size());
    return m_texts[size_t(column)].Value(text, bytes);
}

void Recordset::throwNoCurrentRecord() const
{
    throw DbError(QStringLiteral("No current record."), m_sql);
}

QVariant Recordset::Value(int column) const
{
    if (m_bof || m_eof)
        throwNoCurrentRecord();
    if (m_forwardOnly)
        return columnValue(column, ReadAs::Stored);
    return m_rows[size_t(m_pos)][size_t(column)];
}

QVariant Recordset::Reading(int column) const
{
    if (m_bof || m_eof)
        throwNoCurrentRecord();
    if (m_forwardOnly)
        return columnValue(column, ReadAs::Reading);
    return FieldReading::Of(m_rows[size_t(m_pos)][size_t(column)], m_types[size_t(column)]);
}

void Recordset::requireScrolling() const
{
    if (m_forwardOnly)
        throw DbError(QStringLiteral("Operation is not supported for a forward-only recordset."),
                      m_sql);
}

void Recordset::MoveNext()
{
    if (m_eof)
        throwNoCurrentRecord();
    if (m_forwardOnly) {
        m_eof = !fetch();
        return;
    }
    if (m_pos + 1 < qsizetype(m_rows.size()) || fetch()) {
        ++m_pos;
        m_bof = false;
    } else {
        m_pos = qsizetype(m_rows.size());
        m_eof = true;
    }
}

void Recordset::MovePrevious()
{
    requireScrolling();
    if (m_bof)
        throw DbError(QStringLiteral("No current record."), m_sql);
    if (m_eof)
        fetchAll();
    m_eof = false;
    if (--m_pos < 0) {
        m_pos = -1;
        m_bof = true;
    }
}

void Recordset::MoveFirst()
{
    requireScrolling();
    const bool any = !m_rows.empty();
    m_pos = any ? 0 : -1;
    m_bof = m_eof = !any;
}

void Recordset::MoveLast()
{
    requireScrolling();
    fetchAll();
    const bool any = !m_rows.empty();
    m_pos = qsizetype(m_rows.size()) - 1;
    m_bof = m_eof = !any;
}

int Recordset::RecordCount()
{
    if (m_forwardOnly)
        return m_fetched;
    fetchAll();
    return int(m_rows.size());
}
