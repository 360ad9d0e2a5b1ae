// The windows around the main window: splash, welcome, about and help. The message boxes are
// answered as a user would in the end-to-end test of the installed program.
#include "HelpWindow.h"
#include "frmAbout.h"
#include "frmGreeting.h"
#include "frmSplash.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>

class tst_Shell : public QObject {
    Q_OBJECT

private slots:
    void splashClosesWhenClickedOrAfterItsTime()
    {
        frmSplash clicked;
        clicked.show();
        QVERIFY(QTest::qWaitForWindowExposed(&clicked));
        QTest::mouseClick(clicked.findChild<QLabel*>("Image2"), Qt::LeftButton);
        QVERIFY(!clicked.isVisible());
        QCOMPARE(clicked.result(), int(QDialog::Accepted));
        frmSplash waited;
        waited.show();
        QTest::qWait(1000);
        QVERIFY(waited.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!waited.isVisible(), 2000);
    }

    // The welcome and about windows show their texts exactly; their button closes them.
    void welcomeAndAboutShowTheirTextsAndClose()
    {
        frmGreeting greeting;
        QWidget main;
        QPixmap red(16, 16);
        red.fill(Qt::red);
        main.setWindowIcon(QIcon(red));
        frmAbout about(&main);
        const auto text = [](QWidget& window, const char* name) {
            return window.findChild<QLabel*>(name)->text();
        };
        QCOMPARE(text(greeting, "lblGreeting1"),
                 "Thank you for your interest in this product.\n\nWe are confident this software "
                 "will significantly increase your ability to monitor and  improve your patients' "
                 "cholesterol health.");
        const QStringList lines = text(greeting, "lblGretting2").split(u'\n');
        QCOMPARE(lines.size(), 10);
        QCOMPARE(QStringList({lines[0], lines[1], lines[2], lines[4], lines[5], lines[9]}),
                 QStringList({"What you can do with this software:", "",
                              "- Rapidly retrieve / view  information on your cholesterol "
                              "monitored patients",
                              "      - Print out notification letters that can remind patients "
                              "of their next lab visit",
                              "      - Alternately, print a report of all names and phone "
                              "numbers of those patients",
                              "- Save data entry time and effort by importing patient data "
                              "from other sources."}));
        QCOMPARE(QStringList({greeting.findChild<QLabel*>("lblGreeting1")->font().family(),
                              greeting.findChild<QLabel*>("lblGretting2")->font().family(),
                              greeting.windowTitle(), text(about, "lblVersion")}),
                 QStringList({"Arial", "Arial", "Welcome", "Version 1.0"}));
        QCOMPARE(about.windowIcon().pixmap(16).toImage().pixelColor(8, 8), QColor(Qt::red));
        for (const auto& [window, button] :
             {std::pair<QDialog*, const char*>(&greeting, "cmdExit"), {&about, "cmdOK"}}) {
            window->show();
            QTest::mouseClick(window->findChild<QPushButton*>(button), Qt::LeftButton);
            QVERIFY(!window->isVisible());
        }
    }

    // Every page is listed on the contents page and links only to pages that are there.
    void helpPagesAreLinkedAndComplete()
    {
        const QStringList pages = QDir(":/help").entryList({"*.html"});
        QVERIFY(pages.size() >= 8);
        static const QRegularExpression link("href=\"([^\"#]+)");
        QStringList unlisted = pages;
        unlisted.removeAll("index.html");
        for (const QString& page : pages) {
            QFile file(":/help/" + page);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString html = QString::fromUtf8(file.readAll());
            QVERIFY2(html.contains("<title>"), qPrintable(page));
            for (auto it = link.globalMatch(html); it.hasNext();) {
                const QString target = it.next().captured(1);
                QVERIFY2(pages.contains(target), qPrintable(page + " -> " + target));
                if (page == u"index.html")
                    unlisted.removeAll(target);
            }
        }
        QCOMPARE(unlisted, QStringList());
    }

    void helpWindowOpensOnceAtContents()
    {
        QWidget main;
        HelpWindow::ShowContents(&main);
        HelpWindow::ShowContents(&main);
        const auto windows = main.findChildren<HelpWindow*>();
        QCOMPARE(windows.size(), 1);
        QVERIFY(windows.first()->isVisible());
        auto* browser = windows.first()->findChild<QTextBrowser*>("browserHelp");
        QCOMPARE(browser->source().toString(), "qrc:/help/index.html");
        QCOMPARE(browser->documentTitle(), "Velmora Help");
        browser->setSource(QUrl("reminders.html"));
        QCOMPARE(browser->documentTitle(), "The reminder cycle");
        QTest::mouseClick(windows.first()->findChild<QPushButton*>("cmdBack"), Qt::LeftButton);
        QCOMPARE(browser->documentTitle(), "Velmora Help");
    }
};

QTEST_MAIN(tst_Shell)
#include "tst_Shell.moc"
