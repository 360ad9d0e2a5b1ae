// The company details and letter template windows, used as a user uses them.
#include "ListWindowTestbed.h"
#include "frmComp.h"
#include "frmletter.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

QString companyValue(const QString& field)
{
    return ListWindowTestbed::Value("SELECT " + field + " FROM Company").toString();
}

void retype(QLineEdit* box, const QString& text)
{
    box->selectAll();
    QTest::keyClicks(box, text);
}

} // namespace

class tst_CompanyWindows : public QObject {
    Q_OBJECT

private slots:
    void init() { bed = std::make_unique<ListWindowTestbed>(); }
    void cleanup()
    {
        QVERIFY2(bed->notices.isEmpty(), qPrintable(bed->notices.join(u'\n')));
        bed.reset();
    }
    void companyBoxesSaveTrimmedWithinTheirColumns();
    void cancelKeepsTheRow_data();
    void cancelKeepsTheRow();
    void letterSelectsOnlyThePrompt();
    void letterSavesBodyAndSender();

private:
    std::unique_ptr<ListWindowTestbed> bed;
};

// Each box holds no more than its column; OK stores it trimmed, apostrophes intact, where the
// window shows it next time, and leaves the letter template in the same row alone.
void tst_CompanyWindows::companyBoxesSaveTrimmedWithinTheirColumns()
{
    const struct {
        const char* box;
        const char* field;
        QString typed;
    } boxes[] = {{"txtName", "Name", "  O'Brien's Heart Clinic "}, {"txtAdd1", "address1", "12 Elm St"},
                 {"txtAdd2", "address2", " Suite 4"},    {"txtCity", "city", "Dover"},
                 {"txtST", "st", "DE"},                  {"txtZip", "zip", "19901"},
                 {"txtPhone", "phone", "302-555-0100"},  {"txtFax", "fax", "302-555-0101"},
                 {"txtEmail", "email", "desk@obrien.example"}};
    const TableDef company = AppDatabase().GetTableDef("Company");
    frmComp window;
    window.show();
    for (const auto& [box, field, typed] : boxes) {
        const auto column = std::find_if(company.fields.begin(), company.fields.end(),
                                         [field](const FieldDef& f) {
                                             return f.name.compare(field, Qt::CaseInsensitive) == 0;
                                         });
        QCOMPARE(Child<QLineEdit>(window, box)->maxLength(), column->size);
        retype(Child<QLineEdit>(window, box), typed);
    }
    QTest::mouseClick(Child<QPushButton>(window, "cmdOK"), Qt::LeftButton);
    QVERIFY(!window.isVisible());
    frmComp reopened;
    for (const auto& [box, field, typed] : boxes) {
        QCOMPARE(companyValue(field), typed.trimmed());
        QCOMPARE(Child<QLineEdit>(reopened, box)->text(), typed.trimmed());
    }
    QVERIFY(companyValue("letterbody").startsWith("Enter the body"));
}

void tst_CompanyWindows::cancelKeepsTheRow_data()
{
    QTest::addColumn<bool>("company");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("field");
    QTest::newRow("company") << true << "Company Information" << "txtName" << "Name";
    QTest::newRow("letter") << false << "Reminder Letter" << "txtMessage" << "letterbody";
}

// Both windows show the stored row; Cancel after a change keeps it.
void tst_CompanyWindows::cancelKeepsTheRow()
{
    QFETCH(bool, company);
    QFETCH(QString, title);
    QFETCH(QString, box);
    QFETCH(QString, field);
    ListWindowTestbed::Exec("UPDATE Company SET Name='Lakeside', letterbody='Please call us.'");
    std::unique_ptr<QDialog> window;
    if (company)
        window = std::make_unique<frmComp>();
    else
        window = std::make_unique<frmletter>();
    window->show();
    QCOMPARE(window->windowTitle(), title);
    QObject* shown = window->findChild<QWidget*>(box);
    const char* text = company ? "text" : "plainText";
    QCOMPARE(shown->property(text).toString(), company ? "Lakeside" : "Please call us.");
    shown->setProperty(text, "Changed");
    QTest::mouseClick(Child<QPushButton>(*window, "cmdCancel"), Qt::LeftButton);
    QVERIFY(!window->isVisible());
    QCOMPARE(companyValue(field), company ? "Lakeside" : "Please call us.");
}

// Entering the body selects it while it is the prompt of a new database, never a practice's own
// text; entering the sender always selects it.
void tst_CompanyWindows::letterSelectsOnlyThePrompt()
{
    frmletter window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* body = Child<QPlainTextEdit>(window, "txtMessage");
    auto* sender = Child<QLineEdit>(window, "txtSender");
    QCOMPARE(body->toPlainText(), companyValue("letterbody"));
    QCOMPARE(sender->text(), "Enter name of sender");
    QTest::mouseClick(body->viewport(), Qt::LeftButton, {}, QPoint(40, 10));
    QTRY_COMPARE(body->textCursor().selectedText(), body->toPlainText());
    QTest::mouseClick(sender, Qt::LeftButton);
    QTRY_COMPARE(sender->selectedText(), "Enter name of sender");
    body->setPlainText("Please call us to book your next test.");
    QTest::mouseClick(body->viewport(), Qt::LeftButton, {}, QPoint(40, 10));
    QTest::qWait(20);
    QVERIFY(body->textCursor().selectedText().isEmpty());
}

void tst_CompanyWindows::letterSavesBodyAndSender()
{
    frmletter window;
    window.show();
    auto* body = Child<QPlainTextEdit>(window, "txtMessage");
    body->selectAll();
    QTest::keyClicks(body, "  It's time for your blood work.  Please call us. ");
    retype(Child<QLineEdit>(window, "txtSender"), " Dr. D'Arcy ");
    QTest::mouseClick(Child<QPushButton>(window, "cmdOK"), Qt::LeftButton);
    QVERIFY(!window.isVisible());
    QCOMPARE(companyValue("letterbody"), "It's time for your blood work.  Please call us.");
    QCOMPARE(companyValue("sendername"), "Dr. D'Arcy");
}

QTEST_MAIN(tst_CompanyWindows)
#include "tst_CompanyWindows.moc"
