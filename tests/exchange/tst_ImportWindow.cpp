// The mapping window as a user works it, on a real database.
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

class tst_ImportWindow : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    std::unique_ptr<ListWindowTestbed> m_bed;
    std::unique_ptr<frmImportMap> m_window;

    // Opens and shows the window on a file of this content.
    void open(const QByteArray& content)
    {
        QFile out(m_dir.filePath(QStringLiteral("import.csv")));
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
