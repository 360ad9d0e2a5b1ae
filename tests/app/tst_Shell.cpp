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
    QDirIterator it(QStringLiteral(":/help"), {QStringLiteral("*.html")});
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
    void splashClosesWhenClicked();
    void splashClosesByItselfAfterItsTime();
    void greetingShowsItsTextsExactly();
    void aboutShowsVersionAndMainIcon();
    void helpPagesAreLinkedAndComplete();
    void helpWindowOpensOnceAtContents();
    void messageBoxesAskAndTell();
};

void tst_Shell::splashClosesWhenClicked()
{
    frmSplash splash;
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QTest::mouseClick(splash.findChild<QLabel*>(QStringLiteral("Image2")), Qt::LeftButton);
    QVERIFY(!splash.isVisible());
    QCOMPARE(splash.result(), int(QDialog::Accepted));
}

void tst_Shell::splashClosesByItselfAfterItsTime()
{
    frmSplash splash;
    splash.show();
    QTest::qWait(1000);
    QVERIFY(splash.isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!splash.isVisible(), 2000);
}

void tst_Shell::greetingShowsItsTextsExactly()
{
    frmGreeting greeting;
    auto* first = greeting.findChild<QLabel*>(QStringLiteral("lblGreeting1"));
    auto* second = greeting.findChild<QLabel*>(QStringLiteral("lblGretting2"));
    QCOMPARE(first->text(),
             QStringLiteral("Thank you for your interest in this product.\n\nWe are confident this "
                            "software will significantly increase your ability to monitor and  "
                            "improve your patients' cholesterol health."));
    const QStringList lines = second->text().split(u'\n');
    QCOMPARE(lines.size(), 10);
    QCOMPARE(lines[0], QStringLiteral("What you can do with this software:"));
    QVERIFY(lines[1].isEmpty());
    QCOMPARE(lines[2], QStringLiteral("- Rapidly retrieve / view  information on your cholesterol monitored patients"));
    QCOMPARE(lines[4], QStringLiteral("      - Print out notification letters that can remind patients of their next lab visit"));
    QCOMPARE(lines[5], QStringLiteral("      - Alternately, print a report of all names and phone numbers of those patients"));
    QCOMPARE(lines[9], QStringLiteral("- Save data entry time and effort by importing patient data from other sources."));
    QCOMPARE(first->font().family(), QStringLiteral("Arial"));
    QCOMPARE(second->font().family(), QStringLiteral("Arial"));
    QCOMPARE(greeting.windowTitle(), QStringLiteral("Welcome"));

    greeting.show();
    QTest::mouseClick(greeting.findChild<QPushButton*>(QStringLiteral("cmdExit")), Qt::LeftButton);
    QVERIFY(!greeting.isVisible());
}

void tst_Shell::aboutShowsVersionAndMainIcon()
{
    QWidget main;
    QPixmap red(16, 16);
    red.fill(Qt::red);
    main.setWindowIcon(QIcon(red));
    frmAbout about(&main);
    QCOMPARE(about.findChild<QLabel*>(QStringLiteral("lblVersion"))->text(), QStringLiteral("Version 1.0"));
    QCOMPARE(about.windowIcon().pixmap(16).toImage().pixelColor(8, 8), QColor(Qt::red));
    about.show();
    QTest::mouseClick(about.findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    QVERIFY(!about.isVisible());
}

void tst_Shell::helpPagesAreLinkedAndComplete()
{
    const QStringList pages = helpPages();
    QVERIFY(pages.contains(QStringLiteral("index.html")));
    QVERIFY(pages.size() >= 8);
    static const QRegularExpression link(QStringLiteral("href=\"([^\"#]+)"));
    QSet<QString> linkedFromContents;
    for (const QString& page : pages) {
        const QString html = resourceText(QStringLiteral(":/help/") + page);
        QVERIFY2(html.contains(QStringLiteral("<title>")), qPrintable(page));
        QVERIFY2(html.size() > 1000, qPrintable(page));
        for (auto it = link.globalMatch(html); it.hasNext();) {
            const QString target = it.next().captured(1);
            QVERIFY2(pages.contains(target), qPrintable(page + QStringLiteral(" -> ") + target));
            if (page == QLatin1String("index.html"))
                linkedFromContents.insert(target);
        }
    }
    for (const QString& page : pages) {
        if (page != QLatin1String("index.html"))
            QVERIFY2(linkedFromContents.contains(page), qPrintable(page));
    }
    // The reminder cycle is explained step by step, with the question the user must answer.
    const QString reminders = resourceText(QStringLiteral(":/help/reminders.html"));
    for (const char* needed : {"Notify", "Ready to update?", "Company", "Reminder letter"})
        QVERIFY2(reminders.contains(QString::fromLatin1(needed)), needed);
}

void tst_Shell::helpWindowOpensOnceAtContents()
{
    QWidget main;
    HelpWindow::ShowContents(&main);
    HelpWindow::ShowContents(&main);
    const auto windows = main.findChildren<HelpWindow*>();
    QCOMPARE(windows.size(), 1);
    auto* browser = windows.first()->findChild<QTextBrowser*>(QStringLiteral("browserHelp"));
    QVERIFY(windows.first()->isVisible());
    QCOMPARE(browser->source().toString(), QStringLiteral("qrc:/help/index.html"));
    QCOMPARE(browser->documentTitle(), QStringLiteral("Velmora Help"));

    browser->setSource(QUrl(QStringLiteral("reminders.html")));
    QCOMPARE(browser->documentTitle(), QStringLiteral("The reminder cycle"));
    auto* back = windows.first()->findChild<QPushButton*>(QStringLiteral("cmdBack"));
    QVERIFY(back->isEnabled());
    QTest::mouseClick(back, Qt::LeftButton);
    QCOMPARE(browser->documentTitle(), QStringLiteral("Velmora Help"));
}

void tst_Shell::messageBoxesAskAndTell()
{
    InstallMessageBoxes();
    BoxSeen seen;
    answerNextBox(seen, QMessageBox::Yes);
    QVERIFY(AskQuestion(QStringLiteral("Proceed?")));
    QCOMPARE(seen.title, QStringLiteral("Question"));
    QCOMPARE(seen.icon, QMessageBox::Question);
    QCOMPARE(seen.buttons, QMessageBox::Yes | QMessageBox::No);

    answerNextBox(seen, QMessageBox::No);
    QVERIFY(!AskQuestion(QStringLiteral("Proceed?")));

    answerNextBox(seen, QMessageBox::Ok);
    ShowAttention(QStringLiteral("Saved."));
    QCOMPARE(seen.title, QStringLiteral("Attention"));
    QCOMPARE(seen.icon, QMessageBox::Information);
    QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

QTEST_MAIN(tst_Shell)
#include "tst_Shell.moc"
