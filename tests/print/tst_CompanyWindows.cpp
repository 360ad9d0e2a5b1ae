// The company details and letter template windows, used as a user uses them.
#include "ListWindowTestbed.h"
#include "frmComp.h"
#include "frmletter.h"

#include <QPlainTextEdit>

namespace {

const struct {
    const char* box;
    const char* field;
    const char* typed;
} Boxes[] = {{"txtName", "Name", "  O'Brien's Heart Clinic "}, {"txtAdd1", "address1", "12 Elm St"},
             {"txtAdd2", "address2", " Suite 4"},    {"txtCity", "city", "Dover"},
             {"txtST", "st", "DE"},                  {"txtZip", "zip", "19901"},
             {"txtPhone", "phone", "302-555-0100"},  {"txtFax", "fax", "302-555-0101"},
             {"txtEmail", "email", "desk@obrien.example"}};

// The company row's values of the fields, joined by '|'.
QString company(const QString& fields)
{
    return ListWindowTestbed::Rows("SELECT " + fields + " FROM Company").value(0);
}

int columnSize(const QString& field)
{
    for (const FieldDef& column : AppDatabase().GetTableDef("Company").fields)
        if (column.name.compare(field, Qt::CaseInsensitive) == 0)
            return column.size;
    return -1;
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
        QStringList boxes, fields, trimmed;
        for (const auto& [box, field, typed] : Boxes) {
            boxes.append(box);
            fields.append(field);
            trimmed.append(QString(typed).trimmed());
        }
        const QString before = company(fields.join(u',')), letter = company("letterbody, sendername");
        for (const bool ok : {false, true}) {
            frmComp window;
            window.show();
            QCOMPARE(window.windowTitle(), "Company Information");
            for (const auto& [box, field, typed] : Boxes) {
                QCOMPARE(Child<QLineEdit>(window, box)->maxLength(), columnSize(field));
                TypeInto(window, box, typed);
            }
            ClickButton(window, ok ? "cmdOK" : "cmdCancel");
            QVERIFY(!window.isVisible());
            QCOMPARE(company(fields.join(u',')), ok ? trimmed.join(u'|') : before);
        }
        frmComp reopened;
        QCOMPARE(ShownState(reopened, boxes), trimmed.join(u'|'));
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
            if (prompt) {
                QTRY_COMPARE(body->textCursor().selectedText(), body->toPlainText());
                QTest::keyClicks(body, "  It's time for your blood work.  Please call us. ");
            } else {
                QTest::qWait(20);
                QVERIFY(body->textCursor().selectedText().isEmpty());
                QTest::keyClicks(body, "Changed");
            }
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
