#include "IdSequence.h"

#include "AppDatabase.h"
#include "DbError.h"
#include "FieldText.h"
#include "WriteTransaction.h"

#include <QHash>
#include <optional>

const IdSequence IdSequence::Patients{
    QStringLiteral("Patients"), QStringLiteral("ptid"),
    QStringLiteral("SELECT MAX(ptid) as maxid from Patients")};
const IdSequence IdSequence::Doctors{
    QStringLiteral("Doctors"), QStringLiteral("Doctorid"),
    QStringLiteral("SELECT MAX(Doctorid) as maxid from Doctors")};
const IdSequence IdSequence::Drugs{
    QStringLiteral("Drugs"), QStringLiteral("Drugid"),
    QStringLiteral("SELECT MAX(Drugid) as maxid from Drugs")};
const IdSequence IdSequence::HealthFactors{
    QStringLiteral("HealthFactors"), QStringLiteral("condid"),
    QStringLiteral("SELECT MAX(condid) as maxid from HealthFactors")};
const IdSequence IdSequence::LabVisits{
    QStringLiteral("LabVisits"), QStringLiteral("id"),
    QStringLiteral("SELECT MAX(id) as maxid from LabVisits")};
const IdSequence IdSequence::Communications{
    QStringLiteral("Communications"), QStringLiteral("id"),
    QStringLiteral("SELECT MAX(id) as maxid from Communications")};

IdSequence IdSequence::For(const QString& table, const QString& field)
{
    return {table, field,
            QStringLiteral("SELECT MAX(") + field + QStringLiteral(") as maxid from ") + table};
}

namespace {

qint64 readNumber(Database& db, const QString& sql, const char* field)
{
    const auto rs = db.OpenRecordset(sql, dbOpenForwardOnly);
    return rs->Eof() ? 0 : FieldText(rs->Fields()[field]).toLongLong();
}

bool isTaken(Database& db, const IdSequence& sequence, qint32 id)
{
    return readNumber(db,
                      QStringLiteral("SELECT COUNT(*) AS taken FROM ") + sequence.table +
                          QStringLiteral(" WHERE ") + sequence.field + QStringLiteral(" = ") +
                          QString::number(id),
                      "taken") > 0;
}

// The identifier each table was last given here, by database: the next new row's likely one.
// Only a guess: a row goes in under it only when it is still the next.
QHash<QString, qint32>& lastGiven()
{
    static QHash<QString, qint32> ids;
    return ids;
}

QString sequenceKey(const Database& db, const IdSequence& sequence)
{
    return db.Name() + u'\n' + sequence.table;
}

// The row under the identifier it is expected to take (the one shown, else the one after the
// last given here), in one write and, on a server, one exchange; nullopt, with nothing stored,
// when that identifier is no longer right.
std::optional<qint32> insertAsExpected(Database& db, const IdSequence& sequence, qint32 shownId,
                                       const std::function<QString(qint32 id)>& insertSql)
{
    const qint64 last = lastGiven().value(sequenceKey(db, sequence));
    const qint64 expected = shownId > 0 ? shownId : (last > 0 ? last + 1 : 0);
    if (expected <= 0 || expected > kLargestId || db.InTransaction())
        return std::nullopt;
    const IdCheck check = shownId > 0 ? IdCheck::Free : IdCheck::NextAfterLargest;
    bool stored = false;
    WriteTransaction::Run(db, [&] {
        stored = db.InsertChecked(insertSql(qint32(expected)), sequence.table, sequence.field, check);
    });
    return stored ? std::optional(qint32(expected)) : std::nullopt;
}

} // namespace

qint32 NextId(Database& db, const IdSequence& sequence)
{
    // MAX is Null exactly when the table is empty, so it alone decides; counting the rows
    // first would read the whole table on every new record.
    const qint64 largest = readNumber(db, sequence.maxSql, "maxid");
    if (largest >= kLargestId)
        throw DbError(QStringLiteral("No more records can be added to %1: its largest "
                                     "identifier, %2, is in use.")
                          .arg(sequence.table)
                          .arg(kLargestId));
    return qint32(qMax<qint64>(largest, 0) + 1);
}

qint32 NextId(const IdSequence& sequence)
{
    return NextId(AppDatabase(), sequence);
}

qint32 InsertWithNewId(Database& db, const IdSequence& sequence, qint32 shownId,
                       const std::function<QString(qint32 id)>& insertSql, int options)
{
    std::optional<qint32> id = insertAsExpected(db, sequence, shownId, insertSql);
    if (!id) {
        WriteTransaction::Run(db, [&] {
            id = shownId;
            if (*id <= 0 || isTaken(db, sequence, *id))
                id = NextId(db, sequence);
            db.Execute(insertSql(*id), options);
        });
    }
    lastGiven().insert(sequenceKey(db, sequence), *id);
    return *id;
}

qint32 InsertWithNewId(const IdSequence& sequence, qint32 shownId,
                       const std::function<QString(qint32 id)>& insertSql, int options)
{
    return InsertWithNewId(AppDatabase(), sequence, shownId, insertSql, options);
}
