#include "ImportJob.h"

#include "Database.h"
#include "DbError.h"
#include "DelimitedLine.h"
#include "ImportValue.h"

namespace {

const QString kFailed = QStringLiteral("Record import failed (Possible data type mismatch)");

} // namespace

ImportJob::ImportJob(Database& db, const ImportTarget& target)
    : m_db(db), m_target(target), m_table(db.GetTableDef(target.table)),
      m_ids(IdSequence::For(target.table, target.idField))
{
}

QStringList ImportJob::FieldNames() const
{
    QStringList names;
    for (const FieldDef& field : m_table.fields)
        if (field.name != m_target.idField)
            names.append(field.name);
    return names;
}

QStringList ImportJob::Run(const QStringList& lines, int firstLine, QChar delimiter,
                           const Mapping& mapping, const Progress& progress)
{
    QStringList messages;
    const int total = int(lines.size());
    for (int i = firstLine; i < total; ++i) {
        if (progress && !progress(i - firstLine, total - firstLine))
            break;
        if (lines[i].size() < 2 || m_written.contains(i))
            continue;
        if (write(lines[i], delimiter, mapping, messages)) {
            m_written.insert(i);
            ++m_imported;
        } else {
            messages.append(kFailed);
            ++m_failed;
        }
    }
    return messages;
}

bool ImportJob::write(const QString& line, QChar delimiter, const Mapping& mapping,
                      QStringList& messages)
{
    const auto sql = statement(DelimitedLine::Split(line, delimiter), mapping, messages);
    if (!sql)
        return false;
    try {
        InsertWithNewId(m_db, m_ids, 0, [&](qint32 id) { return *sql + QString::number(id) + u')'; },
                        0);
        return true;
    } catch (const DbError&) {
        return false;
    }
}

std::optional<QString> ImportJob::statement(const QStringList& values, const Mapping& mapping,
                                            QStringList& messages) const
{
    QStringList fields;
    QStringList literals;
    bool valid = true;
    for (qsizetype i = 0; i < qMin(values.size(), mapping.size()); ++i) {
        const FieldDef* field = m_table.Find(mapping[i]);
        if (!field)
            continue;
        const auto literal = ImportValue::Literal(*field, values[i], messages);
        valid = valid && literal.has_value();
        fields.append(field->name);
        literals.append(literal.value_or(QString()));
    }
    if (!valid || fields.isEmpty())
        return std::nullopt;
    return QStringLiteral("INSERT INTO ") + m_target.table + QStringLiteral(" (") +
           fields.join(QStringLiteral(", ")) + QStringLiteral(", ") + m_target.idField +
           QStringLiteral(") Values (") + literals.join(QStringLiteral(", ")) +
           QStringLiteral(", ");
}
