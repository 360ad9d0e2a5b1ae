#pragma once

#include <QString>
#include <functional>

class Database;

// How the identifiers of one table are allocated: the largest stored value plus one.
struct IdSequence {
    QString table;
    QString field;
    QString maxSql;

    // The sequence of any table, with statements built from its names (used by the import).
    static IdSequence For(const QString& table, const QString& field);

    static const IdSequence Patients;
    static const IdSequence Doctors;
    static const IdSequence Drugs;
    static const IdSequence HealthFactors;
    static const IdSequence LabVisits;
    static const IdSequence Communications;
};

// The largest identifier a field holds.
constexpr qint32 kLargestId = 2147483647;

// The next free identifier: 1 for an empty table, otherwise the largest stored value + 1.
// DbError when the table already holds the largest identifier there is.
qint32 NextId(Database& db, const IdSequence& sequence);
qint32 NextId(const IdSequence& sequence);

// Inserts a new row under the identifier shown to the user, or under the next free one when
// another workstation has taken it meanwhile. Allocation and insert are one write
// transaction, so two workstations never store the same identifier. Returns the identifier
// stored.
qint32 InsertWithNewId(Database& db, const IdSequence& sequence, qint32 shownId,
                       const std::function<QString(qint32 id)>& insertSql, int options);
qint32 InsertWithNewId(const IdSequence& sequence, qint32 shownId,
                       const std::function<QString(qint32 id)>& insertSql, int options);
