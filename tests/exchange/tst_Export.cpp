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

private slots:
    void init() { m_bed = std::make_unique<ListWindowTestbed>(); }
    void cleanup() { m_bed.reset(); }

    void writesTheDataSetOrRefusesTheName_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("insert");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("content");
        const QString out = m_dir.filePath("out.txt");
        QTest::newRow("Patients: UTF-8, trimmed, missing call date and numbers")
            << "Patients" << "INSERT INTO Patients (ptid, lname, birthdate) VALUES (1, ' Müller ', #2/14/1950#)" << out
            << "ptid\tfname\tMI\tlname\tAddress1\tAddress2\tcity\tst\tzip\tphone\tcellphone\temail\t"
               "birthdate\tCallDate\tgoal_chol\tgoal_ldl\tsystolic\tdiastolic\tsex\r\n"
               "1\t\t\tMüller\t\t\t\t\t\t\t\t\t2/14/1950\t1/1/1900\t0\t0\t0\t0\t\r\n";
        QTest::newRow("Patient Communications: booleans")
            << "Patient Communications"
            << "INSERT INTO Communications VALUES (7, 1, #3/4/2020#, '10:00:00', 'Left a message', True)" << out
            << "ID\tPtId\tCallDate\tCallTime\tResult\tComplete\r\n7\t1\t3/4/2020\t10:00:00\tLeft a message\tTrue\r\n";
        QTest::newRow("Health Factors: the seeded rows")
            << "Health Factors" << QString() << out
            << "CondID\tCondDesc\r\n1\tSmoking\r\n2\tFamily History\r\n3\tOverweight\r\n4\tSedintery lifestyle\r\n";
        QTest::newRow("an empty table: an empty file") << "Lab Visits" << QString() << out << QString();
        QTest::newRow("blanks only: OK stays disabled") << "Patients" << QString() << "   " << QString();
        for (const QString& name : {m_dir.filePath("none/out.txt"), QStringLiteral("out.txt"), m_dir.path()})
            QTest::addRow("refused: %s", qPrintable(name)) << "Patients" << QString() << name << QString();
    }

    // Chooses the data set, types the name and presses OK when it can be pressed: only a usable
    // name closes the window, on a file written whole and alone in its folder.
    void writesTheDataSetOrRefusesTheName()
    {
        QFETCH(QString, insert);
        if (!insert.isEmpty())
            ListWindowTestbed::Exec(insert);
        QFETCH(QString, entry);
        QFETCH(QString, name);
        QFETCH(QString, content);
        const bool written = name == m_dir.filePath("out.txt");
        frmExport window;
        QSignalSpy closed(&window, &QDialog::accepted);
        Child<QComboBox>(window, "cmbEntities")->setCurrentText(entry);
        QTest::keyClicks(Child<QLineEdit>(window, "txtFileName"), name);
        if (IsEnabled(window, "cmdOK"))
            Child<QPushButton>(window, "cmdOK")->click();
        QCOMPARE(closed.count(), int(written));
        const bool refused = !written && !name.trimmed().isEmpty();
        QCOMPARE(m_bed->notices, refused ? QStringList{"Export failed due to invalid file name"} : QStringList());
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), written ? QStringList{"out.txt"} : QStringList());
        QFile file(m_dir.filePath("out.txt"));
        QCOMPARE(file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString(), content);
        file.remove();
    }
};

QTEST_MAIN(tst_Export)
#include "tst_Export.moc"
