#include "DbError.h"
#include "ScratchDatabase.h"
#include "common.h"

#include <QTest>

namespace {

// Saves a new row as the windows do, under the shown identifier or the next free one, with
// more fields after the identifier when given; through the application's database when the
// database is none.
qint32 save(Database* db, const IdSequence& sequence, qint32 shown, const QString& fields = {},
            const QString& values = {})
{
    const auto insert = [&](qint32 id) {
        return QStringLiteral("INSERT INTO %1 (%2%3) VALUES (%4%5)")
            .arg(sequence.table, sequence.field, fields, QString::number(id), values);
    };
    return db ? InsertWithNewId(*db, sequence, shown, insert, dbFailOnError)
              : InsertWithNewId(sequence, shown, insert, dbFailOnError);
}

} // namespace

class tst_IdAllocation : public QObject {
    Q_OBJECT

private slots:
    void initTestCase_data() { ScratchDatabase::AddBackEndRows(); }
    void init();
    void shownIdTakenMeanwhileIsReplaced();
    void failedInsertUndoesOnlyItself();

private:
    std::unique_ptr<ScratchDatabase> m_scratch;
};

void tst_IdAllocation::init()
{
    QFETCH_GLOBAL(ScratchDatabase::BackEnd, backEnd);
    if (backEnd == ScratchDatabase::Server && !ScratchDatabase::ServerMissing().isEmpty())
        QSKIP(qPrintable(ScratchDatabase::ServerMissing()));
    m_scratch = std::make_unique<ScratchDatabase>(backEnd);
}

// 1 for an empty table, then the largest stored value plus one, not the count of rows. A shown
// identifier still free is kept; none shown takes the next one, also when rows were added or
// the largest deleted behind this workstation's back. The other workstation goes through the
// application's database, as the windows do.
void tst_IdAllocation::shownIdTakenMeanwhileIsReplaced()
{
    ScratchDatabase& s = *m_scratch;
    SetAppDatabase(s.OpenAgain());
    const IdSequence& patients = IdSequence::Patients;
    const qint32 shown = NextId(s.db(), patients);
    QCOMPARE(std::pair(shown, NextId(patients)), std::pair(1, 1));
    QCOMPARE(save(nullptr, patients, shown, ", lname", ", 'There'"), 1);
    QCOMPARE(save(&s.db(), patients, shown, ", lname", ", 'Here'"), 2);
    QCOMPARE(save(&s.db(), patients, 5, ", lname", ", 'Free'"), 5);
    QCOMPARE(save(&AppDatabase(), patients, 0, ", lname", ", 'Unshown'"), 6);
    AppDatabase().Execute("INSERT INTO Patients (ptid, lname) VALUES (7, 'Behind')");
    QCOMPARE(save(&s.db(), patients, 0, ", lname", ", 'After'"), 8);
    AppDatabase().Execute("DELETE FROM Patients WHERE ptid > 6");
    QCOMPARE(save(&s.db(), patients, 0, ", lname", ", 'Again'"), 7);
    QCOMPARE(s.Dump(QStringLiteral("SELECT ptid, lname FROM Patients ORDER BY ptid")),
             QStringLiteral("1|There\n2|Here\n5|Free\n6|Unshown\n7|Again"));
    AppDatabase().Close();
}

// Refused at the largest identifier with a message naming the table and the limit. Inside the
// caller's transaction only the failed insert is undone; on its own a failure leaves no write
// transaction behind, so another workstation writes at once. (Workstations adding at once are
// the server engine tests' concern: allocation and insert are one write transaction, and a
// write transaction on a file locks it from its start, as checked here.)
void tst_IdAllocation::failedInsertUndoesOnlyItself()
{
    QFETCH_GLOBAL(ScratchDatabase::BackEnd, backEnd);
    ScratchDatabase& s = *m_scratch;
    const IdSequence &patients = IdSequence::Patients, &visits = IdSequence::LabVisits;
    s.db().Execute("INSERT INTO LabVisits (ID) VALUES (2147483646)", dbFailOnError);
    QCOMPARE(save(&s.db(), visits, 0), 2147483647);
    const QString message = MessageOf([&] { NextId(s.db(), visits); });
    QVERIFY2(message.contains(u"LabVisits") && message.contains(u"2147483647"),
             qPrintable(message));
    Database other = s.OpenAgain();
    s.db().BeginTrans();
    // The caller's transaction holds the file for writing from its start: no other writer gets
    // in. (A server takes its writers' lock with the first statement; another writer waits.)
    if (backEnd == ScratchDatabase::File)
        QVERIFY_THROWS_EXCEPTION(DbError, save(&other, patients, 0));
    s.db().Execute("INSERT INTO Patients (ptid, lname) VALUES (1, 'Caller')", dbFailOnError);
    QCOMPARE(save(&s.db(), patients, 1, ", lname", ", 'Inner'"), 2);
    QVERIFY_THROWS_EXCEPTION(DbError, save(&s.db(), patients, 0, ", goal_chol", ", 'high'"));
    s.db().CommitTrans();
    for (qint32 shown : {0, 2147483647})
        QVERIFY_THROWS_EXCEPTION(DbError, save(&s.db(), visits, shown));
    QVERIFY_THROWS_EXCEPTION(DbError, save(&s.db(), patients, 3, ", birthdate", ", 'not a date'"));
    QCOMPARE(save(&other, patients, 3, ", lname", ", 'Next'"), 3);
    QCOMPARE(s.Dump(QStringLiteral("SELECT ptid, lname FROM Patients ORDER BY ptid")),
             QStringLiteral("1|Caller\n2|Inner\n3|Next"));
    QCOMPARE(s.Column("SELECT ID FROM LabVisits ORDER BY ID"),
             QVariantList({2147483646, 2147483647}));
}

QTEST_GUILESS_MAIN(tst_IdAllocation)
#include "tst_IdAllocation.moc"
