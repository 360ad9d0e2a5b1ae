// The export window writing each data set into a file, and refusing names it cannot write to.
#include "ListWindowTestbed.h"
#include "frmExport.h"

#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>

class tst_Export : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    std::unique_ptr<ListWindowTestbed> m_bed;

    // Chooses the data set, types the name and presses OK when it can be pressed; true when the
    // window closed.
    bool exportTo(const QString& entry, const QString& name)
    {
        frmExport window;
        QSignalSpy closed(&window, &QDialog::accepted);
        Child<QComboBox>(window, "cmbEntities")->setCurrentText(entry);
        QTest::keyClicks(Child<QLineEdit>(window, "txtFileName"), name);
        if (IsEnabled(window, "cmdOK"))
            Child<QPushButton>(window, "cmdOK")->click();
        return closed.count() == 1;
    }

private slots:
    void init() { m_bed = std::make_unique<ListWindowTestbed>(); }
    void cleanup() { m_bed.reset(); }

    void writesDataSet_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("insert");
        QTest::addColumn<QString>("content");
        QTest::newRow("Drugs") << "Drugs" << "INSERT INTO Drugs VALUES (1, 'Aspirin®')"
                               << "DrugID\tDrugDesc\r\n1\tAspirin®\r\n";
        QTest::newRow("Patients: missing call date and numbers")
            << "Patients"
            << "INSERT INTO Patients (ptid, lname, birthdate) VALUES (1, ' Smith ', #2/14/1950#)"
            << "ptid\tfname\tMI\tlname\tAddress1\tAddress2\tcity\tst\tzip\tphone\tcellphone\temail\t"
               "birthdate\tCallDate\tgoal_chol\tgoal_ldl\tsystolic\tdiastolic\tsex\r\n"
               "1\t\t\tSmith\t\t\t\t\t\t\t\t\t2/14/1950\t1/1/1900\t0\t0\t0\t0\t\r\n";
        QTest::newRow("Patient Communications: booleans")
            << "Patient Communications"
            << "INSERT INTO Communications VALUES (7, 1, #3/4/2020#, '10:00:00', 'Left a message', True)"
            << "ID\tPtId\tCallDate\tCallTime\tResult\tComplete\r\n"
               "7\t1\t3/4/2020\t10:00:00\tLeft a message\tTrue\r\n";
        QTest::newRow("Health Factors: the seeded rows")
            << "Health Factors" << QString()
            << "CondID\tCondDesc\r\n1\tSmoking\r\n2\tFamily History\r\n3\tOverweight\r\n"
               "4\tSedintery lifestyle\r\n";
        QTest::newRow("an empty table: an empty file") << "Lab Visits" << QString() << QString();
    }

    void writesDataSet()
    {
        QFETCH(QString, insert);
        if (!insert.isEmpty())
            ListWindowTestbed::Exec(insert);
        QFETCH(QString, entry);
        QVERIFY(exportTo(entry, m_dir.filePath("out.txt")));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"out.txt"});
        QFile written(m_dir.filePath("out.txt"));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QTEST(QString::fromUtf8(written.readAll()), "content");
        written.remove();
    }

    void refusesUnusableNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("notices");
        const QStringList invalid{"Export failed due to invalid file name"};
        QTest::newRow("blanks only: OK stays disabled") << "   " << QStringList();
        QTest::newRow("a folder that does not exist") << m_dir.filePath("none/out.txt") << invalid;
        QTest::newRow("no folder at all") << "out.txt" << invalid;
        QTest::newRow("a folder, not a file") << m_dir.path() << invalid;
    }

    void refusesUnusableNames()
    {
        QFETCH(QString, name);
        QVERIFY(!exportTo("Patients", name));
        QTEST(m_bed->notices, "notices");
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList());
    }
};

QTEST_MAIN(tst_Export)
#include "tst_Export.moc"
