// Exchanging data with other programs: the import's reading of a file and checking of its values,
// the mapping window as a user works it, and the export window writing each data set into a file.
#include "ColumnButton.h"
#include "DelimitedLine.h"
#include "FieldLabel.h"
#include "ImportText.h"
#include "ImportValue.h"
#include "ListWindowTestbed.h"
#include "frmExport.h"
#include "frmImportMap.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>

// Presses on one widget and lets go over another, as a hand on the mouse does.
static void dragWithMouse(QWidget* from, QWidget* to)
{
    const QPoint start = from->rect().center();
    QTest::mousePress(from, Qt::LeftButton, {}, start);
    // The drag runs its own loop once it starts: the rest of the gesture happens inside it.
    QTimer::singleShot(50, to, [to] {
        QTest::mouseMove(to, to->rect().center() + QPoint(1, 0));
        QTest::mouseMove(to, to->rect().center());
        QTest::mouseRelease(to, Qt::LeftButton, {}, to->rect().center());
    });
    QTest::mouseMove(from, start + QPoint(QApplication::startDragDistance() + 5, 0));
    // The release the drag took is handed on afterwards, as between two gestures.
    QCoreApplication::processEvents();
}

class tst_Exchange : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QTemporaryDir m_imports;
    std::unique_ptr<ListWindowTestbed> m_bed;
    std::unique_ptr<frmImportMap> m_window;

    // Opens and shows the window on a file of this content.
    void open(const QByteArray& content)
    {
        QFile out(m_imports.filePath(QStringLiteral("import.csv")));
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(content) == content.size());
        out.close();
        m_window->Init(out.fileName());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    ColumnButton* button(int number)
    {
        return Child<ColumnButton>(*m_window, ("Command1_" + QByteArray::number(number)).data());
    }
    FieldLabel* label(const QString& caption)
    {
        for (FieldLabel* label : m_window->findChildren<FieldLabel*>())
            if (label->text() == caption)
                return label;
        return nullptr;
    }

private slots:
    void init()
    {
        m_bed = std::make_unique<ListWindowTestbed>();
        m_window = std::make_unique<frmImportMap>();
    }
    void cleanup() { m_window.reset(); m_bed.reset(); }

    void splitsWithDetectedDelimiter_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("delimiter");
        QTest::addColumn<QStringList>("values");
        QTest::newRow("a tab wins over commas") << "Smith, Ann\t3" << "\t" << QStringList{"Smith, Ann", "3"};
        QTest::newRow("a comma inside quotes belongs to the unquoted value")
            << "Smith,\"12 Elm St, Apt 4\",Dover" << "," << QStringList{"Smith", "12 Elm St, Apt 4", "Dover"};
        QTest::newRow("a tab inside quotes is no delimiter") << "\"a\tb\"\tc" << "\t" << QStringList{"a\tb", "c"};
        QTest::newRow("a doubled quote inside quotes is one quote")
            << "\"say \"\"hi\"\"\",x" << "," << QStringList{"say \"hi\"", "x"};
        QTest::newRow("a stray quote in an unquoted value is dropped") << "6'2\",x" << "," << QStringList{"6'2", "x"};
        QTest::newRow("empty values stay in their places") << ",,a," << "," << QStringList{"", "", "a", ""};
    }

    void splitsWithDetectedDelimiter()
    {
        QFETCH(QString, line);
        QFETCH(QString, delimiter);
        QCOMPARE(DelimitedLine::Detect(line), delimiter.front());
        QTEST(DelimitedLine::Split(line, delimiter.front()), "values");
    }

    void decodesFileText_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("UTF-8 with a byte-order mark, CR LF")
            << QByteArray("\xEF\xBB\xBFM\xC3\xBCller,a\r\nb\r\n") << QStringList{"Müller,a", "b"};
        QTest::newRow("Windows-1252 accents, LF, no end at the last line")
            << QByteArray("Ren\xE9\n\x80 5\n\x93q\x94") << QStringList{"René", "€ 5", "“q”"};
        QTest::newRow("an empty line between lines is kept") << QByteArray("a\n\nb\n") << QStringList{"a", "", "b"};
    }

    void decodesFileText()
    {
        QFETCH(QByteArray, bytes);
        QTEST(ImportText::Lines(ImportText::Decode(bytes)), "lines");
    }

    void checksValues_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("result"); // the literal, empty when the value is refused; the messages
        const QString longName = "Abcdefghijklmnopqrstuvwxy";
        QTest::newRow("apostrophes doubled") << int(dbText) << 20 << " O'Brien " << QStringList{"'O''Brien'"};
        QTest::newRow("a memo is not cut") << int(dbMemo) << 0 << longName << QStringList{"'" + longName + "'"};
        QTest::newRow("a number") << int(dbInteger) << 2 << " 210" << QStringList{"210"};
        QTest::newRow("a statement for a number") << int(dbLong) << 4 << "1); DELETE FROM Patients" << QStringList{""};
        QTest::newRow("an empty number") << int(dbInteger) << 2 << "" << QStringList{""};
        QTest::newRow("a date") << int(dbDate) << 8 << "1/2/1960" << QStringList{"#01/02/1960#"};
        QTest::newRow("no date") << int(dbDate) << 8 << "soon" << QStringList{""};
        QTest::newRow("a date with a hash") << int(dbDate) << 8 << "1/2/1960# OR 1=1 #1/2/1960" << QStringList{""};
        QTest::newRow("a yes") << int(dbBoolean) << 1 << "yes" << QStringList{"True"};
    }

    void checksValues()
    {
        QFETCH(int, type);
        QFETCH(int, size);
        QFETCH(QString, value);
        QStringList logged;
        const auto literal = ImportValue::Literal({QStringLiteral("lname"), type, size}, value, logged);
        QTEST(QStringList{literal.value_or(QString())} + logged, "result");
    }

    void showsFirstDataLineAndPagesColumns_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("scrolled");
        QTest::addColumn<QString>("shown");
        QTest::newRow("tabs") << QByteArray("a,1\tb\n") << 1 << "tab: 1 a,1|2 b";
        const QByteArray eight("1,2,3,4,5,6,7,8");
        QTest::newRow("8 columns from 1") << eight << 1 << "comma: 1 1|2 2|3 3|4 4|5 5|6 6";
        QTest::newRow("8 columns scrolled past the end") << eight << 8 << "comma: 3 3|4 4|5 5|6 6|7 7|8 8";
        QTest::newRow("4 columns do not page") << QByteArray("1,2,3,4") << 3 << "comma: 1 1|2 2|3 3|4 4";
    }

    // The delimiter found, then each column shown: its button's number and the first data line's
    // value; six columns at a time from the scroll bar's value.
    void showsFirstDataLineAndPagesColumns()
    {
        QFETCH(QByteArray, content);
        open(content);
        QFETCH(int, scrolled);
        Child<QScrollBar>(*m_window, "FlatScrollBar1")->setValue(scrolled);
        QStringList columns;
        for (int number = 1; button(number); ++number)
            if (button(number)->isVisibleTo(m_window.get()))
                columns.append(button(number)->text().remove("Field") + ' ' +
                               TextOf(*m_window, "lblFieldVal_" + QString::number(number)));
        QTEST((TextOf(*m_window, "optTab") == "[x]" ? "tab: " : "comma: ") + columns.join(u'|'), "shown");
    }

    // The headings line is neither shown nor imported. Nothing mapped says so. A field dragged onto
    // a column maps it, in bold; errors are offered in a log; a field dragged back is offered
    // again, and the failed line, corrected by leaving its bad column out, is the only one imported
    // again; the window stays open. Another delimiter makes other columns, so the mapping starts
    // again.
    void mapsByDraggingAndImportsRetryingFailedLines()
    {
        open("Last,Goal\nAbcdefghijklmnopqrstuvwxy,100\nO'Brien,abc\n\"Smith, Jr\",200\nx\n");
        Child<QCheckBox>(*m_window, "chkColHeadings")->click();
        QCOMPARE(TextOf(*m_window, "lblFieldVal_1"), "Abcdefghijklmnopqrstuvwxy");
        QSignalSpy closed(m_window.get(), &QDialog::accepted);
        ClickButton(*m_window, "cmdImport");
        QCOMPARE(m_bed->notices, QStringList{"No Fields have been mapped to your import data"});
        dragWithMouse(label("Last Name"), button(1));
        dragWithMouse(label("Goal Chol"), button(2));
        QCOMPARE(button(1)->text() + '|' + button(2)->text(), "Last Name|Goal Chol");
        QVERIFY(button(1)->font().bold() && !label("Last Name"));
        QStringList logged;
        m_bed->Answer({true});
        m_bed->OnWindow("frmImportLog", [&](QDialog& log) {
            auto* errors = Child<QListWidget>(log, "listErrors");
            for (int i = 0; i < errors->count(); ++i)
                logged.append(errors->item(i)->text());
        });
        ClickButton(*m_window, "cmdImport");
        QCOMPARE(m_bed->questions, QStringList{"There were errors during import.  Show Error log?"});
        QCOMPARE(logged, QStringList({"Data imported into lname (\"Abcdefghij\"...) had to be truncated",
                                      "Record import failed (Possible data type mismatch)"}));
        dragWithMouse(button(2), Child<QWidget>(*m_window, "Frame1"));
        QCOMPARE(button(2)->text(), QString("Field2"));
        QVERIFY(!button(2)->font().bold() && label("Goal Chol"));
        ClickButton(*m_window, "cmdImport");
        QCOMPARE(m_bed->notices.mid(1),
                 QStringList({"2 records successfully imported.\r\n1 records failed to be imported.",
                              "3 records successfully imported.\r\n1 records failed to be imported."}));
        QCOMPARE(ListWindowTestbed::Rows("SELECT ptid, lname, goal_chol FROM Patients ORDER BY ptid"),
                 QStringList({"1|Abcdefghijklmnopqrst|100", "2|Smith, Jr|200", "3|O'Brien|"}));
        QCOMPARE(closed.count(), 0);
        Child<QRadioButton>(*m_window, "optTab")->click();
        QCOMPARE(button(1)->text(), QString("Field1"));
        QVERIFY(label("Last Name"));
    }

    void writesTheDataSetOrRefusesTheName_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("content");
        const QString out = m_dir.filePath("out.txt");
        QTest::newRow("Patients: UTF-8, trimmed, missing call date and numbers") << "Patients" << out
            << "ptid\tfname\tMI\tlname\tAddress1\tAddress2\tcity\tst\tzip\tphone\tcellphone\temail\t"
               "birthdate\tCallDate\tgoal_chol\tgoal_ldl\tsystolic\tdiastolic\tsex\r\n"
               "1\t\t\tMüller\t\t\t\t\t\t\t\t\t2/14/1950\t1/1/1900\t0\t0\t0\t0\t\r\n";
        QTest::newRow("Patient Communications: booleans") << "Patient Communications" << out
            << "ID\tPtId\tCallDate\tCallTime\tResult\tComplete\r\n7\t1\t3/4/2020\t10:00:00\tLeft a message\tTrue\r\n";
        QTest::newRow("Health Factors: the seeded rows") << "Health Factors" << out
            << "CondID\tCondDesc\r\n1\tSmoking\r\n2\tFamily History\r\n3\tOverweight\r\n4\tSedintery lifestyle\r\n";
        QTest::newRow("an empty table: an empty file") << "Lab Visits" << out << QString();
        QTest::newRow("blanks only: OK stays disabled") << "Patients" << "   " << QString();
        for (const QString& name : {m_dir.filePath("none/out.txt"), QStringLiteral("out.txt"), m_dir.path()})
            QTest::addRow("refused: %s", qPrintable(name)) << "Patients" << name << QString();
    }

    // Chooses the data set, types the name and presses OK when it can be pressed: only a usable
    // name closes the window, on a file written whole and alone in its folder.
    void writesTheDataSetOrRefusesTheName()
    {
        ListWindowTestbed::Exec("INSERT INTO Patients (ptid, lname, birthdate) VALUES (1, ' Müller ', #2/14/1950#)");
        ListWindowTestbed::Exec("INSERT INTO Communications VALUES (7, 1, #3/4/2020#, '10:00:00', 'Left a message', "
                                "True)");
        QFETCH(QString, entry);
        QFETCH(QString, name);
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
        QTEST(file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString(), "content");
        file.remove();
    }
};

int main(int argc, char** argv)
{
    // The offscreen platform cannot drag; the minimal one drags as a desktop does.
    qputenv("QT_QPA_PLATFORM", "minimal");
    QApplication app(argc, argv);
    tst_Exchange test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_Exchange.moc"
