// The company details and letter template windows, used as a user uses them.
#include "ListWindowTestbed.h"
#include "frmComp.h"
#include "frmletter.h"

#include <QPlainTextEdit>

namespace {

// The boxes and their columns in the same order, each column's size, what the user types in
// each box and what is stored.
const QStringList Boxes{"txtName", "txtAdd1", "txtAdd2", "txtCity", "txtST",
                        "txtZip", "txtPhone", "txtFax", "txtEmail"};
const QString Columns = QStringLiteral("Name, address1, address2, city, st, zip, phone, fax, email");
const QList<int> Sizes{40, 40, 40, 20, 2, 10, 16, 16, 40};
const QStringList Typed{"  O'Brien's Heart Clinic ", "12 Elm St", " Suite 4", "Dover", "DE", "19901",
                        "302-555-0100", "302-555-0101", "desk@obrien.example"};
const QString Saved =
    "O'Brien's Heart Clinic|12 Elm St|Suite 4|Dover|DE|19901|302-555-0100|302-555-0101|desk@obrien.example";

// The company row's values of the fields, joined by '|'.
QString company(const QString& fields)
{
    return ListWindowTestbed::Rows("SELECT " + fields + " FROM Company").value(0);
}

} // namespace

class tst_CompanyWindows : public QObject {
    Q_OBJECT
    std::unique_ptr<ListWindowTestbed> bed;

private slots:
    void init() { bed = std::make_unique<ListWindowTestbed>(); }
    void cleanup()
    {
        QVERIFY2(bed->notices.isEmpty(), qPrintable(bed->notices.join(u'\n')));
        bed.reset();
    }

    // Each box holds no more than its column; Cancel keeps the row; OK stores the boxes trimmed,
    // apostrophes intact, where the window shows them next time, and leaves the letter alone.
    void companyBoxesSaveTrimmedWithinTheirColumns()
    {
        const QString before = company(Columns), letter = company("letterbody, sendername");
        for (const bool ok : {false, true}) {
            frmComp window;
            window.show();
            QCOMPARE(window.windowTitle(), "Company Information");
            for (int i = 0; i < Boxes.size(); ++i) {
                QCOMPARE(window.findChild<QLineEdit*>(Boxes[i])->maxLength(), Sizes[i]);
                TypeInto(window, Boxes[i], Typed[i]);
            }
            ClickButton(window, ok ? "cmdOK" : "cmdCancel");
            QVERIFY(!window.isVisible());
            QCOMPARE(company(Columns), ok ? Saved : before);
        }
        frmComp reopened;
        QCOMPARE(ShownState(reopened, Boxes), Saved);
        QCOMPARE(company("letterbody, sendername"), letter);
    }

    // Entering the body selects it while it is the prompt of a new database, never a practice's own
    // text; entering the sender always selects it; OK stores both trimmed, Cancel keeps them.
    void letterSelectsOnlyThePromptAndSavesTrimmed()
    {
        const QString saved = QStringLiteral("It's time for your blood work.  Please call us.|Dr. D'Arcy");
        for (const bool prompt : {true, false}) {
            frmletter window;
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QCOMPARE(window.windowTitle(), "Reminder Letter");
            auto* body = Child<QPlainTextEdit>(window, "txtMessage");
            auto* sender = Child<QLineEdit>(window, "txtSender");
            QCOMPARE(body->toPlainText() + u'|' + sender->text(),
                     prompt ? company("letterbody, sendername") : saved);
            QTest::mouseClick(body->viewport(), Qt::LeftButton, {}, {40, 10});
            QTest::qWait(20);
            QCOMPARE(body->textCursor().selectedText(), prompt ? body->toPlainText() : QString());
            QTest::keyClicks(body, prompt ? "  It's time for your blood work.  Please call us. " : "Changed");
            QTest::mouseClick(sender, Qt::LeftButton);
            QTRY_COMPARE(sender->selectedText(), prompt ? "Enter name of sender" : "Dr. D'Arcy");
            QTest::keyClicks(sender, " Dr. D'Arcy ");
            ClickButton(window, prompt ? "cmdOK" : "cmdCancel");
            QVERIFY(!window.isVisible());
            QCOMPARE(company("letterbody, sendername"), saved);
        }
    }
};

QTEST_MAIN(tst_CompanyWindows)
#include "tst_CompanyWindows.moc"
