// The page layout routines and the printer window.
#include "PageLayout.h"
#include "PrintTestbed.h"
#include "frmPrint.h"

#include <QListWidget>

class tst_PrintFramework : public QObject {
    Q_OBJECT

private slots:

    void advancesBreakPastTheLimit_data()
    {
        QTest::addColumn<bool>("heading");
        QTest::addColumn<int>("startY");
        QTest::addColumn<bool>("breaks");
        QTest::newRow("line to 13680 stays") << false << 13580 << false;
        QTest::newRow("line past 13680 breaks") << false << 13581 << true;
        QTest::newRow("heading to 13680 stays") << true << 13280 << false;
        QTest::newRow("heading past 13680 breaks") << true << 13281 << true;
    }

    // A break prints the footer ending at x 10800, starts a page with the header (rules at y 720 and
    // below the 24 point title, which starts 250 below the upper one) and lands 500 below its lower
    // rule, keeping the advance's own underline and the base font.
    void advancesBreakPastTheLimit()
    {
        QFETCH(bool, heading);
        QFETCH(int, startY);
        QFETCH(bool, breaks);
        RecordingSurface page;
        page.SetFontSize(24);
        const int lower = 970 + page.LineHeight() + 50;
        page.SetFontSize(10);
        page.MoveTo(3000, startY);
        (heading ? NextHeading : NextLine)(page, "Smith, Ann B");
        QCOMPARE(page.CurrentX(), 720);
        QCOMPARE(page.Underline(), heading);
        QCOMPARE(page.FontSize(), 10.0);
        const QString footer = QStringLiteral("Page: 1");
        QCOMPARE(Layout(page),
                 breaks ? QStringList({footer + At(10800 - page.TextWidth(footer), 14400),
                                       "line 720,720 to 11520,720 p2", "Smith, Ann B 720,970 24pt p2",
                                       "line" + At(720, lower) + " to" + At(11520, lower) + " p2"})
                        : QStringList());
        QCOMPARE(page.CurrentY(), breaks ? lower + 500 : startY + (heading ? 400 : 100));
    }

    void printerWindow_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("answer");
        QTest::newRow("last equal entry preselected, OK") << "Front desk" << 2 << "Front desk";
        QTest::newRow("current not listed, Escape") << "Gone" << -1 << "~CANCEL~";
    }

    // Preselects the last entry equal to the current printer (OK is off without one); the list has
    // the focus; OK answers the chosen printer, anything else "~CANCEL~".
    void printerWindow()
    {
        QFETCH(QString, current);
        QFETCH(int, selected);
        frmPrint window;
        window.Init({"Front desk", "Lab", "Front desk", "PDF file"}, current);
        auto* list = Child<QListWidget>(window, "lstPrinters");
        QCOMPARE(window.windowTitle(), "Select Printer");
        QCOMPARE(list->selectedItems().isEmpty() ? -1 : list->row(list->selectedItems().first()), selected);
        QCOMPARE(IsEnabled(window, "cmdOK"), selected >= 0);
        QVERIFY(ShowActive(window));
        QCOMPARE(QApplication::focusWidget(), list);
        if (selected >= 0)
            ClickButton(window, "cmdOK");
        else
            QTest::keyClick(list, Qt::Key_Escape);
        QVERIFY(!window.isVisible());
        QTEST(SelectedPrinter(), "answer");
    }
};

QTEST_MAIN(tst_PrintFramework)
#include "tst_PrintFramework.moc"
