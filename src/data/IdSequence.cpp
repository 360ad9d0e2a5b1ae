#include "IdSequence.h"

#include "AppDatabase.h"
#include "DbError.h"
#include "FieldText.h"
#include "WriteTransaction.h"

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
    qint32 id = shownId;
    WriteTransaction::Run(db, [&] {
        id = shownId;
        if (id <= 0 || isTaken(db, sequence, id))
            id = NextId(db, sequence);
        db.Execute(insertSql(id), options);
    });
    return id;
}

qint32 InsertWithNewId(const IdSequence& sequence, qint32 shownId,
                       const std::function<QString(qint32 id)>& insertSql, int options)
{
    return InsertWithNewId(AppDatabase(), sequence, shownId, insertSql, options);
}
