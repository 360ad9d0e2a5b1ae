// The company details and letter template windows, used as a user uses them.
#include "AppDatabase.h"
#include "Database.h"
#include "Messages.h"
#include "Schema.h"
#include "frmComp.h"
#include "frmletter.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

QVariant companyValue(const char* field)
{
    auto rs = AppDatabase().OpenRecordset(QStringLiteral("SELECT * FROM Company"));
    return rs->Fields()[field].Value();
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
    void init();
    void cleanup();
    void companySavesTrimmedTextWithApostrophe();
    void companyShowsStoredRowAndCancelKeepsIt();
    void companyBoxesHoldNoMoreThanTheirColumns();
    void letterShowsDefaultsAndSelectsThePrompt();
    void letterSavesBodyAndSender();
    void letterCancelKeepsTemplate();

private:
    template <class Window> QPushButton* button(Window& w, const char* name)
    {
        return w.template findChild<QPushButton*>(QString::fromLatin1(name));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_notices;
};

void tst_CompanyWindows::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    Database db = Database::Create(m_dir->filePath(QStringLiteral("brevoxal.mdb")));
    CreateSchema(db);
    SetAppDatabase(std::move(db));
    m_notices.clear();
    SetMessageHook([this](MessageKind, const QString& prompt) {
        m_notices.append(prompt);
        return true;
    });
}

void tst_CompanyWindows::cleanup()
{
    QVERIFY2(m_notices.isEmpty(), qPrintable(m_notices.join(u'\n')));
    SetAppDatabase(Database());
    m_dir.reset();
}

void tst_CompanyWindows::companySavesTrimmedTextWithApostrophe()
{
    frmComp window;
    window.show();
    const std::pair<const char*, QString> typed[] = {
        {"txtName", QStringLiteral("  O'Brien's Heart Clinic ")}, {"txtAdd1", QStringLiteral("12 Elm St")},
        {"txtAdd2", QStringLiteral("Suite 4")},  {"txtCity", QStringLiteral("Dover")},
        {"txtST", QStringLiteral("DE")},         {"txtZip", QStringLiteral("19901")},
        {"txtPhone", QStringLiteral("302-555-0100")}, {"txtFax", QStringLiteral("302-555-0101")},
        {"txtEmail", QStringLiteral("desk@obrien.example")}};
    for (const auto& [name, text] : typed)
        retype(window.findChild<QLineEdit*>(QString::fromLatin1(name)), text);
    QTest::mouseClick(button(window, "cmdOK"), Qt::LeftButton);

    QVERIFY(!window.isVisible());
    QCOMPARE(companyValue("Name").toString(), QStringLiteral("O'Brien's Heart Clinic"));
    QCOMPARE(companyValue("address1").toString(), QStringLiteral("12 Elm St"));
    QCOMPARE(companyValue("address2").toString(), QStringLiteral("Suite 4"));
    QCOMPARE(companyValue("city").toString(), QStringLiteral("Dover"));
    QCOMPARE(companyValue("st").toString(), QStringLiteral("DE"));
    QCOMPARE(companyValue("zip").toString(), QStringLiteral("19901"));
    QCOMPARE(companyValue("phone").toString(), QStringLiteral("302-555-0100"));
    QCOMPARE(companyValue("fax").toString(), QStringLiteral("302-555-0101"));
    QCOMPARE(companyValue("email").toString(), QStringLiteral("desk@obrien.example"));
    // The letter template in the same row is left alone.
    QVERIFY(companyValue("letterbody").toString().startsWith(QStringLiteral("Enter the body")));
}

void tst_CompanyWindows::companyShowsStoredRowAndCancelKeepsIt()
{
    AppDatabase().Execute(QStringLiteral("UPDATE Company SET Name='Lakeside', city='Reno', st='NV'"));
    frmComp window;
    window.show();
    QCOMPARE(window.findChild<QLineEdit*>(QStringLiteral("txtName"))->text(), QStringLiteral("Lakeside"));
    QCOMPARE(window.findChild<QLineEdit*>(QStringLiteral("txtCity"))->text(), QStringLiteral("Reno"));
    QCOMPARE(window.findChild<QLineEdit*>(QStringLiteral("txtST"))->text(), QStringLiteral("NV"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Company Information"));

    retype(window.findChild<QLineEdit*>(QStringLiteral("txtName")), QStringLiteral("Changed"));
    QTest::mouseClick(button(window, "cmdCancel"), Qt::LeftButton);
    QVERIFY(!window.isVisible());
    QCOMPARE(companyValue("Name").toString(), QStringLiteral("Lakeside"));
}

void tst_CompanyWindows::companyBoxesHoldNoMoreThanTheirColumns()
{
    frmComp window;
    const TableDef company = AppDatabase().GetTableDef(QStringLiteral("Company"));
    const std::pair<const char*, const char*> boxes[] = {
        {"txtName", "Name"}, {"txtAdd1", "address1"}, {"txtAdd2", "address2"},
        {"txtCity", "city"}, {"txtST", "st"},         {"txtZip", "zip"},
        {"txtEmail", "email"}, {"txtPhone", "phone"}, {"txtFax", "fax"}};
    for (const auto& [box, field] : boxes) {
        const auto column = std::find_if(company.fields.begin(), company.fields.end(),
                                         [field = QString::fromLatin1(field)](const FieldDef& f) {
                                             return f.name.compare(field, Qt::CaseInsensitive) == 0;
                                         });
        QVERIFY(column != company.fields.end());
        QCOMPARE(window.findChild<QLineEdit*>(QString::fromLatin1(box))->maxLength(), column->size);
    }
}

void tst_CompanyWindows::letterShowsDefaultsAndSelectsThePrompt()
{
    frmletter window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* body = window.findChild<QPlainTextEdit*>(QStringLiteral("txtMessage"));
    auto* sender = window.findChild<QLineEdit*>(QStringLiteral("txtSender"));
    QCOMPARE(body->toPlainText(), companyValue("letterbody").toString());
    QCOMPARE(sender->text(), QStringLiteral("Enter name of sender"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Reminder Letter"));

    QTest::mouseClick(body->viewport(), Qt::LeftButton, {}, QPoint(40, 10));
    QTRY_COMPARE(body->textCursor().selectedText(), body->toPlainText());
    QTest::mouseClick(sender, Qt::LeftButton);
    QTRY_COMPARE(sender->selectedText(), QStringLiteral("Enter name of sender"));

    // A body of the practice's own is not selected on entry: a click places the cursor.
    body->setPlainText(QStringLiteral("Please call us to book your next test."));
    QTest::mouseClick(body->viewport(), Qt::LeftButton, {}, QPoint(40, 10));
    QTest::qWait(20);
    QVERIFY(body->textCursor().selectedText().isEmpty());
}

void tst_CompanyWindows::letterSavesBodyAndSender()
{
    frmletter window;
    window.show();
    auto* body = window.findChild<QPlainTextEdit*>(QStringLiteral("txtMessage"));
    body->selectAll();
    QTest::keyClicks(body, QStringLiteral("  It's time for your blood work.  Please call us. "));
    retype(window.findChild<QLineEdit*>(QStringLiteral("txtSender")), QStringLiteral(" Dr. D'Arcy "));
    QTest::mouseClick(button(window, "cmdOK"), Qt::LeftButton);

    QVERIFY(!window.isVisible());
    QCOMPARE(companyValue("letterbody").toString(),
             QStringLiteral("It's time for your blood work.  Please call us."));
    QCOMPARE(companyValue("sendername").toString(), QStringLiteral("Dr. D'Arcy"));
}

void tst_CompanyWindows::letterCancelKeepsTemplate()
{
    const QString before = companyValue("letterbody").toString();
    frmletter window;
    window.show();
    window.findChild<QPlainTextEdit*>(QStringLiteral("txtMessage"))->setPlainText(QStringLiteral("x"));
    QTest::mouseClick(button(window, "cmdCancel"), Qt::LeftButton);
    QVERIFY(!window.isVisible());
    QCOMPARE(companyValue("letterbody").toString(), before);
    QCOMPARE(companyValue("sendername").toString(), QStringLiteral("Enter name of sender"));
}

QTEST_MAIN(tst_CompanyWindows)
#include "tst_CompanyWindows.moc"
