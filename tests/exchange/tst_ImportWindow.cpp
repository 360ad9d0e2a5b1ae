#include "ColumnButton.h"
#include "FieldLabel.h"
#include "ListWindowTestbed.h"
#include "frmImportMap.h"

#include <QCheckBox>
#include <QListWidget>
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

// The mapping window as a user works it, on a real database.
class tst_ImportWindow : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_bed = std::make_unique<ListWindowTestbed>();
        m_window = std::make_unique<frmImportMap>();
    }
    void cleanup()
    {
        m_window.reset();
        m_bed.reset();
    }
    void showsFirstDataLine_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("headings");
        QTest::addColumn<bool>("tab");
        QTest::addColumn<QStringList>("samples");
        QTest::newRow("tabs") << QByteArray("a,1\tb\n") << false << true << QStringList{"a,1", "b"};
        QTest::newRow("commas") << QByteArray("a,b\n") << false << false << QStringList{"a", "b"};
        QTest::newRow("headings skipped")
            << QByteArray("Last,First\nSmith,Ann\n") << true << false
            << QStringList{"Smith", "Ann"};
    }

    void showsFirstDataLine()
    {
        QFETCH(QByteArray, content);
        m_window->Init(file(content));
        QFETCH(bool, headings);
        if (headings)
            Child<QCheckBox>(*m_window, "chkColHeadings")->click();
        QFETCH(bool, tab);
        QCOMPARE(Child<QRadioButton>(*m_window, "optTab")->isChecked(), tab);
        QStringList shown;
        for (QLabel* value : m_window->findChildren<QLabel*>(QRegularExpression("^lblFieldVal_")))
            shown.append(value->text());
        QFETCH(QStringList, samples);
        QCOMPARE(shown, samples);
    }

    void pagesColumns_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("8 columns from 1") << 8 << 1 << 1 << 6;
        QTest::newRow("8 columns from 2") << 8 << 2 << 2 << 7;
        QTest::newRow("8 columns from 3") << 8 << 3 << 3 << 8;
        QTest::newRow("8 columns at the end") << 8 << 8 << 3 << 8;
        QTest::newRow("4 columns do not page") << 4 << 3 << 1 << 4;
    }

    void pagesColumns()
    {
        QFETCH(int, columns);
        m_window->Init(file(QByteArray("v,").repeated(columns - 1) + "v"));
        QFETCH(int, value);
        Child<QScrollBar>(*m_window, "FlatScrollBar1")->setValue(value);
        QStringList shown;
        for (int number = 1; number <= columns; ++number)
            if (button(number)->isVisibleTo(m_window.get()))
                shown.append(button(number)->text());
        QStringList expected;
        QFETCH(int, first);
        QFETCH(int, last);
        for (int number = first; number <= last; ++number)
            expected.append("Field" + QString::number(number));
        QCOMPARE(shown, expected);
    }

    void mapsByDraggingAndBack()
    {
        m_window->Init(file("a,b,c\n"));
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        dragWithMouse(label("Last Name"), button(2));
        QCOMPARE(button(2)->text(), QString("Last Name"));
        QVERIFY(button(2)->font().bold());
        QVERIFY(!label("Last Name"));
        dragWithMouse(button(2), Child<QWidget>(*m_window, "Frame1"));
        QCOMPARE(button(2)->text(), QString("Field2"));
        QVERIFY(!button(2)->font().bold());
        QVERIFY(label("Last Name"));
        // Another delimiter makes other columns: the mapping starts again.
        dragWithMouse(label("City"), button(1));
        Child<QRadioButton>(*m_window, "optTab")->click();
        QCOMPARE(button(1)->text(), QString("Field1"));
        QVERIFY(label("City"));
    }

    void importsAndRetriesFailedLines()
    {
        m_window->Init(file("Abcdefghijklmnopqrstuvwxy,100\nO'Brien,abc\n\"Smith, Jr\",200\nx\n"));
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QSignalSpy closed(m_window.get(), &QDialog::accepted);
        auto* import = Child<QPushButton>(*m_window, "cmdImport");
        import->click();
        QCOMPARE(m_bed->notices, QStringList{"No Fields have been mapped to your import data"});
        emit button(1)->fieldDropped(button(1), "lname");
        emit button(2)->fieldDropped(button(2), "goal_chol");
        QStringList logged;
        m_bed->Answer({true});
        m_bed->OnWindow("frmImportLog", [&](QDialog& log) {
            for (int i = 0; i < Child<QListWidget>(log, "listErrors")->count(); ++i)
                logged.append(Child<QListWidget>(log, "listErrors")->item(i)->text());
        });
        import->click();
        QCOMPARE(m_bed->questions,
                 QStringList{"There were errors during import.  Show Error log?"});
        QCOMPARE(logged,
                 QStringList({"Data imported into lname (\"Abcdefghij\"...) had to be truncated",
                              "Record import failed (Possible data type mismatch)"}));
        // The failed line is corrected by leaving its bad column out: only it is imported again.
        dragWithMouse(button(2), Child<QWidget>(*m_window, "Frame1"));
        import->click();
        QCOMPARE(m_bed->notices.mid(1),
                 QStringList({"2 records successfully imported.\r\n1 records failed to be "
                              "imported.",
                              "3 records successfully imported.\r\n1 records failed to be "
                              "imported."}));
        const auto value = [](const char* sql) { return ListWindowTestbed::Value(sql).toString(); };
        QCOMPARE(value("SELECT COUNT(*) FROM Patients"), "3");
        QCOMPARE(value("SELECT ptid FROM Patients WHERE lname = 'O''Brien'"), "3");
        QCOMPARE(value("SELECT goal_chol FROM Patients WHERE ptid = 2"), "200");
        QCOMPARE(value("SELECT lname FROM Patients WHERE ptid = 2"), "Smith, Jr");
        QCOMPARE(closed.count(), 0);
    }

private:
    QString file(const QByteArray& content)
    {
        QFile out(m_dir.filePath(QStringLiteral("import.csv")));
        out.open(QIODevice::WriteOnly);
        out.write(content);
        return out.fileName();
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
    QTemporaryDir m_dir;
    std::unique_ptr<ListWindowTestbed> m_bed;
    std::unique_ptr<frmImportMap> m_window;
};

int main(int argc, char** argv)
{
    // The offscreen platform cannot drag; the minimal one drags as a desktop does.
    qputenv("QT_QPA_PLATFORM", "minimal");
    QApplication app(argc, argv);
    tst_ImportWindow test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_ImportWindow.moc"
