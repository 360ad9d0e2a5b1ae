// The windows around the main window: splash, welcome, about, help and the message boxes.
#include "HelpWindow.h"
#include "MessageBoxes.h"
#include "Messages.h"
#include "frmAbout.h"
#include "frmGreeting.h"
#include "frmSplash.h"

#include <QApplication>
#include <QDirIterator>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

namespace {

QString resourceText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList helpPages()
{
    QStringList pages;
    QDirIterator it(":/help", {"*.html"});
    while (it.hasNext())
        pages.append(it.next().section(u'/', -1));
    pages.sort();
    return pages;
}

// Answers the next message box with the given button and reports what it looked like.
struct BoxSeen {
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

void answerNextBox(BoxSeen& seen, QMessageBox::StandardButton press)
{
    QTimer::singleShot(0, [&seen, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        seen = {box->windowTitle(), box->icon(), box->standardButtons()};
        QTest::mouseClick(box->button(press), Qt::LeftButton);
    });
}

} // namespace

class tst_Shell : public QObject {
    Q_OBJECT

private slots:
    // The splash closes when clicked, or by itself after its time.
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

    void greetingShowsItsTextsExactly()
    {
        frmGreeting greeting;
        auto* first = greeting.findChild<QLabel*>("lblGreeting1");
        auto* second = greeting.findChild<QLabel*>("lblGretting2");
        QCOMPARE(first->text(), "Thank you for your interest in this product.\n\nWe are confident "
                                "this software will significantly increase your ability to monitor "
                                "and  improve your patients' cholesterol health.");
        const QStringList lines = second->text().split(u'\n');
        QCOMPARE(lines.size(), 10);
        QCOMPARE(lines[0], "What you can do with this software:");
        QVERIFY(lines[1].isEmpty());
        QCOMPARE(lines[2], "- Rapidly retrieve / view  information on your cholesterol monitored "
                           "patients");
        QCOMPARE(lines[4], "      - Print out notification letters that can remind patients of "
                           "their next lab visit");
        QCOMPARE(lines[5], "      - Alternately, print a report of all names and phone numbers of "
                           "those patients");
        QCOMPARE(lines[9], "- Save data entry time and effort by importing patient data from other "
                           "sources.");
        QCOMPARE(first->font().family(), "Arial");
        QCOMPARE(second->font().family(), "Arial");
        QCOMPARE(greeting.windowTitle(), "Welcome");

        greeting.show();
        QTest::mouseClick(greeting.findChild<QPushButton*>("cmdExit"), Qt::LeftButton);
        QVERIFY(!greeting.isVisible());
    }

    void aboutShowsVersionAndMainIcon()
    {
        QWidget main;
        QPixmap red(16, 16);
        red.fill(Qt::red);
        main.setWindowIcon(QIcon(red));
        frmAbout about(&main);
        QCOMPARE(about.findChild<QLabel*>("lblVersion")->text(), "Version 1.0");
        QCOMPARE(about.windowIcon().pixmap(16).toImage().pixelColor(8, 8), QColor(Qt::red));
        about.show();
        QTest::mouseClick(about.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        QVERIFY(!about.isVisible());
    }

    void helpPagesAreLinkedAndComplete()
    {
        const QStringList pages = helpPages();
        QVERIFY(pages.contains("index.html"));
        QVERIFY(pages.size() >= 8);
        static const QRegularExpression link("href=\"([^\"#]+)");
        QSet<QString> linkedFromContents;
        for (const QString& page : pages) {
            const QString html = resourceText(":/help/" + page);
            QVERIFY2(html.contains("<title>"), qPrintable(page));
            QVERIFY2(html.size() > 1000, qPrintable(page));
            for (auto it = link.globalMatch(html); it.hasNext();) {
                const QString target = it.next().captured(1);
                QVERIFY2(pages.contains(target), qPrintable(page + " -> " + target));
                if (page == QLatin1String("index.html"))
                    linkedFromContents.insert(target);
            }
        }
        for (const QString& page : pages) {
            if (page != QLatin1String("index.html"))
                QVERIFY2(linkedFromContents.contains(page), qPrintable(page));
        }
        // The reminder cycle is explained step by step, with the question the user must answer.
        const QString reminders = resourceText(":/help/reminders.html");
        for (const char* needed : {"Notify", "Ready to update?", "Company", "Reminder letter"})
            QVERIFY2(reminders.contains(QString::fromLatin1(needed)), needed);
    }

    void helpWindowOpensOnceAtContents()
    {
        QWidget main;
        HelpWindow::ShowContents(&main);
        HelpWindow::ShowContents(&main);
        const auto windows = main.findChildren<HelpWindow*>();
        QCOMPARE(windows.size(), 1);
        auto* browser = windows.first()->findChild<QTextBrowser*>("browserHelp");
        QVERIFY(windows.first()->isVisible());
        QCOMPARE(browser->source().toString(), "qrc:/help/index.html");
        QCOMPARE(browser->documentTitle(), "Velmora Help");

        browser->setSource(QUrl("reminders.html"));
        QCOMPARE(browser->documentTitle(), "The reminder cycle");
        auto* back = windows.first()->findChild<QPushButton*>("cmdBack");
        QVERIFY(back->isEnabled());
        QTest::mouseClick(back, Qt::LeftButton);
        QCOMPARE(browser->documentTitle(), "Velmora Help");
    }

    void messageBoxesAskAndTell()
    {
        InstallMessageBoxes();
        BoxSeen seen;
        answerNextBox(seen, QMessageBox::Yes);
        QVERIFY(AskQuestion("Proceed?"));
        QCOMPARE(seen.title, "Question");
        QCOMPARE(seen.icon, QMessageBox::Question);
        QCOMPARE(seen.buttons, QMessageBox::Yes | QMessageBox::No);

        answerNextBox(seen, QMessageBox::No);
        QVERIFY(!AskQuestion("Proceed?"));

        answerNextBox(seen, QMessageBox::Ok);
        ShowAttention("Saved.");
        QCOMPARE(seen.title, "Attention");
        QCOMPARE(seen.icon, QMessageBox::Information);
        QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }

};

QTEST_MAIN(tst_Shell)
#include "tst_Shell.moc"
