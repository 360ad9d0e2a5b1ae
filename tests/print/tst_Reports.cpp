// The detail report, the call list, the reminder letters and the print log on the recording
// surface.
#include "FirstDoctorName.h"
#include "LetterBody.h"
#include "PageLayout.h"
#include "PrintCallList.h"
#include "PrintLetters.h"
#include "PrintPatientDetail.h"
#include "PrintTestbed.h"
#include "SplitWords.h"

#include <QProcess>
#include <QTest>

using Item = RecordingSurface::Item;

namespace {

QStringList textsOf(const RecordingSurface& page)
{
    QStringList texts;
    for (const Item& item : page.Texts())
        texts.append(item.text);
    return texts;
}

RecordingSurface printDetail(int ptid)
{
    return Record([ptid](PrintJob& job) { PrintPatientDetail(job, QString::number(ptid)); });
}

void addVisit(int id, const QString& date, const QString& intervention)
{
    ListWindowTestbed::Exec(QStringLiteral("INSERT INTO LabVisits (id, ptid, labdate, overallcl, hdl, "
                                           "ldl, the_intervention) VALUES (%1, 1, #%2#, 210, 45, "
                                           "130, '%3')")
                                .arg(id)
                                .arg(date, SqlQuote(intervention)));
}

// A text of the given printed width: wide letters, two characters of any width and narrow
// letters up to the width.
QString textOfWidth(const PageSurface& page, int width)
{
    for (char16_t first = u'!'; first <= u'~'; ++first) {
        for (char16_t second = u'!'; second <= u'~'; ++second) {
            QString text = QString(30, u'm') + QChar(first) + QChar(second);
            while (page.TextWidth(text) < width)
                text += u'i';
            if (page.TextWidth(text) == width)
                return text;
        }
    }
    return QString();
}


const QString ReadyToUpdate = QStringLiteral(
    "Ready to update?\n\n(only choose yes when you are sure you will not want these entries to "
    "show on the next 'Call List' report or the next 'Reminder Letters' print batch)");

RecordingSurface callList()
{
    return Record([](PrintJob& job) { PrintCallList(job); });
}

RecordingSurface letters()
{
    return Record([](PrintJob& job) { PrintLetters(job); });
}

void setCompany(const QString& address2, const QString& body)
{
    ListWindowTestbed::Exec(QStringLiteral("UPDATE Company SET Name='Lakeside Clinic', address1='1 Lake "
                                           "Rd', address2='%1', city='Reno', st='NV', zip='89501', "
                                           "letterbody='%2', sendername='Dr. Lee'")
                                .arg(address2, SqlQuote(body)));
}

// The body lines a letter printed, in order.
QStringList bodyLines(const RecordingSurface& page)
{
    QStringList lines;
    for (const Item& item : page.Texts()) {
        if (item.x == 1440 && (item.y >= 6480 || item.page > 1) && item.text != u"Sincerely,")
            lines.append(item.text);
    }
    return lines;
}

} // namespace

class tst_Reports : public QObject {
    Q_OBJECT

private slots:
    void init() { bed = std::make_unique<ListWindowTestbed>(); }
    void cleanup()
    {
        QVERIFY2(bed->unanswered.isEmpty(), qPrintable(bed->unanswered.join(u'|')));
        bed.reset();
    }
    void barePatient();
    void fullPatient();
    void interventionFitsTheWidthLimit_data();
    void interventionFitsTheWidthLimit();
    void sixtyVisitsSpanPages();
    void dueEntries_data();
    void dueEntries();
    void callListLayout();
    void callListBreaksAfter39Rows();
    void firstDoctorOnly();
    void printLogUpdate_data();
    void printLogUpdate();
    void failingLogInsertIsReportedAndKeepsEntriesDue();
    void letterBlocks_data();
    void letterBlocks();
    void splitWords_data();
    void splitWords();
    void bodyFilling_data();
    void bodyFilling();
    void longBodyNeverRunsIntoTheClosing();
    void lettersAskBeforePrinting_data();
    void lettersAskBeforePrinting();

private:
    std::unique_ptr<ListWindowTestbed> bed;
};

void tst_Reports::barePatient()
{
    ListWindowTestbed::Exec(QStringLiteral("INSERT INTO Patients (ptid, lname, fname, systolic, "
                                           "diastolic) VALUES (1, 'Smith', 'Ann', 0, 80)"));
    const RecordingSurface page = printDetail(1);
    QCOMPARE(textsOf(page),
             QStringList({"Smith, Ann ", "Contact Info", "Date of Brith", "1/1/1900", "Sex",
                          "Patient of Doctor:", "<currently no entries>", "Health Factors",
                          "<currently no entries>", "Current Medications", "<currently no entries>",
                          "Blood Pressure", "<not entered>", "Blood work performed",
                          "<currently no entries>", "Communications with patient",
                          "<currently no entries>", "Page: 1"}));
    QVERIFY(page.Ended());
    // The first heading follows the header's lower rule by a line and a heading advance;
    // with no contact details the next heading follows it directly.
    const Item* contact = page.FindText(QStringLiteral("Contact Info"));
    const Item* birth = page.FindText(QStringLiteral("Date of Brith"));
    QCOMPARE(contact->x, 720);
    QCOMPARE(contact->y, page.Items()[2].y + 500);
    QVERIFY(contact->underline);
    QCOMPARE(contact->fontSize, 10.0);
    QCOMPARE(birth->y, contact->y + page.LineHeight() + 400);
    const Item* date = page.FindText(QStringLiteral("1/1/1900"));
    QVERIFY(!date->underline);
    QCOMPARE(date->y, birth->y + page.LineHeight() + 100);
}

void tst_Reports::fullPatient()
{
    ListWindowTestbed::Exec(QStringLiteral(
        "INSERT INTO Patients (ptid, lname, fname, mi, address1, city, phone, email, birthdate, "
        "sex, systolic, diastolic) VALUES (1, 'Smith', 'Ann', 'B', '12 Elm St', 'Reno', '555-0100', "
        "'ann@example.com', #3/4/1950#, 'F', 120, 80)"));
    AddDoctor(1, QStringLiteral("Jones"), 1);
    AddDoctor(2, QString(), 1);
    ListWindowTestbed::Exec(QStringLiteral(
        "INSERT INTO PatientFactors (id, ptid, condid, comment) VALUES (1, 1, 1, '(since 1990)')"));
    ListWindowTestbed::Exec(QStringLiteral("INSERT INTO Drugs (drugid, drugdesc) VALUES (1, 'Statin®')"));
    ListWindowTestbed::Exec(QStringLiteral(
        "INSERT INTO Schedule (id, ptid, drugid, comment) VALUES (1, 1, 1, '(20mg)')"));
    addVisit(1, QStringLiteral("1/5/2026"), QStringLiteral("Diet"));
    addVisit(2, QStringLiteral("6/5/2026"), QString());
    ListWindowTestbed::Exec(QStringLiteral("INSERT INTO Communications (id, ptid, calldate, calltime, "
                                           "result, complete) VALUES (1, 1, #6/5/2026#, '09:00:00', "
                                           "'Left message', False)"));
    ListWindowTestbed::Exec(QStringLiteral("INSERT INTO Communications (id, ptid, calldate, calltime, "
                                           "result, complete) VALUES (2, 1, #6/5/2026#, '14:30:00', "
                                           "'Booked', True)"));
    const RecordingSurface page = printDetail(1);
    QCOMPARE(textsOf(page),
             QStringList({"Smith, Ann B", "Contact Info", "12 Elm St", "Reno,   ", "555-0100",
                          "ann@example.com", "Date of Brith", "3/4/1950", "Sex", "F",
                          "Patient of Doctor:", "Jones, LeeGP", "Health Factors",
                          "Smoking(since 1990)", "Current Medications", "Statin®(20mg)",
                          "Blood Pressure", "120/80", "Blood work performed", "Lab Date",
                          "Total Ch", "HDL", "LDL", "Intervention", "6/5/2026", "210", "45", "130",
                          "1/5/2026", "210", "45", "130", "Diet", "Communications with patient",
                          "Date", "Time", "Completed", "Result", "6/5/2026", "14:30:00", "yes",
                          "Booked", "6/5/2026", "09:00:00", "no", "Left message", "Page: 1"}));
    // The doctor without a last name leaves an empty line.
    const Item* jones = page.FindText(QStringLiteral("Jones, LeeGP"));
    const Item* factors = page.FindText(QStringLiteral("Health Factors"));
    QCOMPARE(factors->y, jones->y + page.LineHeight() + 100 + 400);
    const std::pair<const char*, int> columns[] = {
        {"Total Ch", 2000}, {"HDL", 3000}, {"LDL", 4000}, {"Intervention", 5000}, {"Diet", 5000},
        {"Time", 2000}, {"Completed", 3000}, {"Result", 4000}, {"Booked", 4000}};
    for (const auto& [text, x] : columns)
        QCOMPARE(page.FindText(QString::fromUtf8(text))->x, x);
    QCOMPARE(page.FindText(QStringLiteral("Total Ch"))->y, page.FindText(QStringLiteral("Lab Date"))->y);
}

void tst_Reports::interventionFitsTheWidthLimit_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("cut");
    QTest::newRow("exactly 6220 twips") << 6220 << false;
    QTest::newRow("one twip wider") << 6221 << true;
}

void tst_Reports::interventionFitsTheWidthLimit()
{
    QFETCH(int, width);
    QFETCH(bool, cut);
    RecordingSurface measure;
    measure.SetFontSize(10);
    const QString intervention = textOfWidth(measure, width);
    QVERIFY(!intervention.isEmpty());
    AddDuePatient(1, QStringLiteral("Smith"), Today);
    addVisit(1, QStringLiteral("1/5/2026"), intervention);
    const RecordingSurface page = printDetail(1);
    const Item& printed = *std::find_if(page.Items().begin(), page.Items().end(),
                                        [](const Item& item) { return item.x == 5000 && item.text != u"Intervention"; });
    if (!cut) {
        QCOMPARE(printed.text, intervention);
        return;
    }
    QVERIFY(printed.text.endsWith(QStringLiteral("...")));
    const QString kept = printed.text.chopped(3);
    QVERIFY(intervention.startsWith(kept));
    // The longest start that fits, less three characters.
    QVERIFY(measure.TextWidth(intervention.left(kept.size() + 3)) <= 6220);
    QVERIFY(measure.TextWidth(intervention.left(kept.size() + 4)) > 6220);
}

void tst_Reports::sixtyVisitsSpanPages()
{
    AddDuePatient(1, QStringLiteral("Smith"), Today);
    for (int i = 1; i <= 60; ++i)
        addVisit(i, QDate(2020, 1, 1).addDays(i).toString(u"M/d/yyyy"), QStringLiteral("Visit %1").arg(i));
    const RecordingSurface page = printDetail(1);
    QVERIFY(page.Page() >= 2);
    int visits = 0;
    for (int number = 1; number <= page.Page(); ++number) {
        const auto texts = TextsOnPage(page, number);
        QCOMPARE(texts.front().text, QStringLiteral("Smith, Ann "));
        QCOMPARE(QList<int>({texts.front().x, texts.front().y}), QList<int>({720, 970}));
        QCOMPARE(texts.back().text, QStringLiteral("Page: %1").arg(number));
        for (const Item& item : texts) {
            QVERIFY(item.y <= PageGeometry::PageBreakLimit || item.text.startsWith(u"Page: "));
            visits += item.text.startsWith(u"Visit ") ? 1 : 0;
        }
    }
    QCOMPARE(visits, 60);
    QCOMPARE(std::count_if(page.Items().begin(), page.Items().end(),
                           [](const Item& item) { return item.text == u"Lab Date"; }),
             1);
    // Newest first.
    QCOMPARE(page.FindText(QStringLiteral("Visit 60"))->page, 1);
    QCOMPARE(page.FindText(QStringLiteral("Visit 1"))->page, page.Page());
}

void tst_Reports::dueEntries_data()
{
    QTest::addColumn<QDate>("callDate");
    QTest::addColumn<QDate>("logged");
    QTest::addColumn<bool>("due");
    QTest::newRow("today") << Today << QDate() << true;
    QTest::newRow("last year") << Today.addYears(-1) << QDate() << true;
    QTest::newRow("tomorrow") << Today.addDays(1) << QDate() << false;
    QTest::newRow("no call date") << QDate(1900, 1, 1) << QDate() << false;
    QTest::newRow("logged for this date") << Today << Today << false;
    QTest::newRow("logged for an earlier date") << Today << Today.addMonths(-3) << true;
}

void tst_Reports::dueEntries()
{
    QFETCH(QDate, callDate);
    QFETCH(QDate, logged);
    QFETCH(bool, due);
    AddDuePatient(1, QStringLiteral("Smith"), callDate);
    if (logged.isValid())
        ListWindowTestbed::Exec(QStringLiteral("INSERT INTO PrintLog (ptid, calldate, printdate) "
                                               "VALUES (1, #%1#, #%1#)")
                                    .arg(UsDate(logged)));
    if (due)
        bed->Answer({false, true, false});
    QCOMPARE(callList().FindText(QStringLiteral("Smith, Ann")) != nullptr, due);
    QCOMPARE(letters().FindText(QStringLiteral("Dear Ann, ")) != nullptr, due);
    QCOMPARE(bed->questions.size(), due ? 3 : 0);
}

void tst_Reports::callListLayout()
{
    AddDuePatient(1, QStringLiteral("Smith"), Today.addDays(-2));
    AddDuePatient(2, QStringLiteral("Brown"), Today.addDays(-9));
    bed->Answer({false});
    const RecordingSurface page = callList();
    RecordingSurface titles;
    titles.SetFontSize(12);
    const int row = 2160 + titles.LineHeight(), next = row + page.LineHeight();
    // Text, x, y, size, bold, underline; no doctor draws nothing. Oldest call date first.
    const std::tuple<QString, int, int, double, bool, bool> expected[] = {
        {"Call List", 1440, 1440, 14, true, false}, {UsDate(Today), 3600, 1440, 14, true, false},
        {"Name", 1440, 2160, 12, false, true}, {"Phone", 3600, 2160, 12, false, true},
        {"Assigned Call Date", 5760, 2160, 12, false, true}, {"Doctor", 7920, 2160, 12, false, true},
        {"Brown, Ann", 1440, -1, 10, false, false}, {"555-012", 3600, -1, 10, false, false},
        {UsDate(Today.addDays(-9)), 5760, -1, 10, false, false},
        {"Smith, Ann", 1440, -2, 10, false, false}, {"555-011", 3600, -2, 10, false, false},
        {UsDate(Today.addDays(-2)), 5760, -2, 10, false, false}};
    const auto texts = page.Texts();
    QCOMPARE(texts.size(), std::size(expected));
    for (size_t i = 0; i < texts.size(); ++i) {
        const auto& [text, x, y, size, bold, underline] = expected[i];
        const Item& item = texts[i];
        QCOMPARE(std::tuple(item.text, item.x, item.y, item.fontSize, item.bold, item.underline),
                 std::tuple(text, x, y == -1 ? row : y == -2 ? next : y, size, bold, underline));
    }
    QCOMPARE(bed->questions, QStringList{ReadyToUpdate});
}

void tst_Reports::callListBreaksAfter39Rows()
{
    for (int i = 1; i <= 40; ++i)
        AddDuePatient(i, QStringLiteral("P%1").arg(i, 2, 10, QChar(u'0')), Today.addDays(i - 100));
    bed->Answer({false});
    const RecordingSurface page = callList();
    QCOMPARE(page.Page(), 2);
    const auto second = TextsOnPage(page, 2);
    QCOMPARE(second.size(), size_t(3));
    QCOMPARE(second[0].text, QStringLiteral("P40, Ann"));
    QCOMPARE(second[0].y, 2880);
    QCOMPARE(TextsOnPage(page, 1).size(), size_t(6 + 39 * 3));
    QVERIFY(!page.FindText(QStringLiteral("Page: 1")));
}

void tst_Reports::firstDoctorOnly()
{
    AddDuePatient(1, QStringLiteral("Smith"), Today);
    AddDuePatient(2, QStringLiteral("Brown"), Today);
    AddDoctor(1, QStringLiteral("Jones"), 1);
    AddDoctor(2, QStringLiteral("Kahn"), 1);
    QCOMPARE(FirstDoctorName(1), QStringLiteral("Jones, Lee"));
    QCOMPARE(FirstDoctorName(2), QString());
    bed->Answer({false});
    const RecordingSurface page = callList();
    const Item* doctor = page.FindText(QStringLiteral("Jones, Lee"));
    QVERIFY(doctor);
    QCOMPARE(doctor->x, 7920);
    QVERIFY(!page.FindText(QStringLiteral("Kahn, Lee")));
    // The patient without a doctor ends the row with an empty column.
    QCOMPARE(page.Texts().size(), size_t(6 + 4 + 3));
}

void tst_Reports::printLogUpdate_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("No keeps the entries due") << false;
    QTest::newRow("Yes logs each printed entry") << true;
}

void tst_Reports::printLogUpdate()
{
    QFETCH(bool, yes);
    AddDuePatient(1, QStringLiteral("Smith"), Today);
    AddDuePatient(2, QStringLiteral("Brown"), Today.addDays(-30));
    bed->Answer({yes});
    callList();
    QCOMPARE(bed->questions, QStringList{ReadyToUpdate});
    QCOMPARE(PrintLogRows(), yes ? 2 : 0);
    if (yes) {
        QCOMPARE(ListWindowTestbed::Value(QStringLiteral("SELECT calldate FROM PrintLog WHERE ptid = 2"))
                     .toDateTime()
                     .date(),
                 Today.addDays(-30));
        QCOMPARE(ListWindowTestbed::Value(QStringLiteral("SELECT printdate FROM PrintLog WHERE ptid = 2"))
                     .toDateTime()
                     .date(),
                 Today);
    }
    // Logged entries drop out of both outputs.
    bed->Answer({false, true, false});
    QCOMPARE(callList().Started(), !yes);
    QCOMPARE(letters().Started(), !yes);
}

void tst_Reports::failingLogInsertIsReportedAndKeepsEntriesDue()
{
    AddDuePatient(1, QStringLiteral("Smith"), Today);
    AddDuePatient(2, QStringLiteral("Brown"), Today);
    // A failure the engine cannot foresee, set up with the standard shell on the file.
    const int shell = QProcess::execute(
        QStringLiteral("sqlite3"),
        {AppDatabase().Name(), QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON PrintLog WHEN "
                                              "NEW.PtId = 2 BEGIN SELECT RAISE(ABORT, 'disk is "
                                              "full'); END;")});
    QCOMPARE(shell, 0);
    bed->Answer({true});
    callList();
    QCOMPARE(bed->notices.size(), 1);
    QVERIFY2(bed->notices.first().contains(QStringLiteral("disk is full")), qPrintable(bed->notices.first()));
    QCOMPARE(PrintLogRows(), 0);
    bed->Answer({false});
    QCOMPARE(callList().Texts().size(), size_t(6 + 2 * 3));
}

void tst_Reports::letterBlocks_data()
{
    QTest::addColumn<QString>("address2");
    QTest::newRow("second address lines") << QStringLiteral("Suite 4");
    QTest::newRow("no second address lines") << QString();
}

void tst_Reports::letterBlocks()
{
    QFETCH(QString, address2);
    setCompany(address2, QStringLiteral("Please call us."));
    AddDuePatient(7, QStringLiteral("Smith"), Today, address2);
    bed->Answer({true, false});
    const RecordingSurface page = letters();
    const int line = page.LineHeight();
    const int cityRow = address2.isEmpty() ? 2 : 3;
    const QString date = UsDate(Today);
    const struct {
        QString text;
        int x;
        int y;
    } expected[] = {
        {QStringLiteral("Lakeside Clinic"), 1440, 1440},
        {QStringLiteral("1 Lake Rd"), 1440, 1440 + line},
        {QStringLiteral("Reno,NV  89501"), 1440, 1440 + cityRow * line},
        {date, 12240 - page.TextWidth(date) - 1440, 1440},
        {QStringLiteral("Ann Smith"), 1440, 3600},
        {QStringLiteral("7 Elm St"), 1440, 3600 + line},
        {QStringLiteral("Dover, DE  19901"), 1440, 3600 + cityRow * line},
        {QStringLiteral("Dear Ann, "), 1440, 5760},
        {QStringLiteral("Please call us."), 1440, 6480},
        {QStringLiteral("Sincerely,"), 7920, 10080},
        {QStringLiteral("Dr. Lee"), 7920, 10080 + 3 * line},
    };
    for (const auto& [text, x, y] : expected) {
        const Item* item = page.FindText(text);
        QVERIFY2(item, qPrintable(text));
        QCOMPARE(QList<int>({item->x, item->y}), QList<int>({x, y}));
    }
    QCOMPARE(page.Texts().size(), std::size(expected) + (address2.isEmpty() ? 0 : 2));
    QCOMPARE(bed->questions.first(), QStringLiteral("1 letters are about to print.  Ready?"));
}

void tst_Reports::splitWords_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("words");
    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("one word") << QStringLiteral("Hello") << QStringList{"Hello"};
    QTest::newRow("sentence end keeps two blanks")
        << QStringLiteral("soon.  Please call") << QStringList{"soon.", "~Please", "call"};
    QTest::newRow("pair folds") << QStringLiteral("a  b") << QStringList{"a", "b"};
    QTest::newRow("three blanks leave two") << QStringLiteral("a   b") << QStringList{"a", "", "b"};
    QTest::newRow("trailing blank") << QStringLiteral("a b ") << QStringList{"a", "b"};
    QTest::newRow("line break stays in the word") << QStringLiteral("end\nstart x")
                                                  << QStringList{"end\nstart", "x"};
}

void tst_Reports::splitWords()
{
    QFETCH(QString, text);
    QFETCH(QStringList, words);
    QCOMPARE(SplitWords(text), words);
}

void tst_Reports::bodyFilling_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QStringList>("lines");
    const QString word = QString(10, u'w');
    QTest::newRow("two blanks after a period kept, other runs folded")
        << QStringLiteral("Call  us.  Thanks") << QStringList{"Call us.  Thanks"};
    QTest::newRow("one-character last word") << QStringLiteral("Call us a") << QStringList{"Call us a"};
    QTest::newRow("full line ends with a blank")
        << QStringList(7, word).join(u' ')
        << QStringList{QStringList(6, word).join(u' ') + u' ', word};
    QTest::newRow("word wider than a line stands alone")
        << QStringLiteral("Hi ") + QString(100, u'W') + QStringLiteral(" end")
        << QStringList{"Hi ", QString(100, u'W'), "end"};
}

void tst_Reports::bodyFilling()
{
    QFETCH(QString, body);
    QFETCH(QStringList, lines);
    RecordingSurface page;
    page.SetFontSize(10);
    page.MoveTo(1440, 6480);
    PrintLetterBody(page, body);
    QCOMPARE(bodyLines(page), lines);
    for (const Item& item : page.Texts())
        QVERIFY(item.text.contains(u'W') || page.TextWidth(item.text) <= 12240 - 2880);
}

void tst_Reports::longBodyNeverRunsIntoTheClosing()
{
    const QString sentence = QStringLiteral("Your next blood work test is due, please call us.  ");
    for (const int sentences : {40, 150}) {
        bed.reset();
        bed = std::make_unique<ListWindowTestbed>();
        setCompany(QString(), sentence.repeated(sentences));
        AddDuePatient(1, QStringLiteral("Smith"), Today);
        bed->Answer({true, false});
        const RecordingSurface page = letters();
        const auto texts = page.Texts();
        const Item* closing = page.FindText(QStringLiteral("Sincerely,"));
        QVERIFY(closing->y >= 10080);
        for (const Item& item : texts) {
            QVERIFY(item.y + page.LineHeight() <= 15840 - 1440);
            const bool overlaps = item.page == closing->page && item.x < closing->x &&
                                  item.y + page.LineHeight() > closing->y && item.y < closing->y + 4 * page.LineHeight();
            QVERIFY2(!overlaps, qPrintable(item.text));
        }
        QCOMPARE(page.Page(), sentences > 100 ? 2 : 1);
    }
}

void tst_Reports::lettersAskBeforePrinting_data()
{
    QTest::addColumn<bool>("ready");
    QTest::newRow("No prints nothing") << false;
    QTest::newRow("Yes prints every letter") << true;
}

void tst_Reports::lettersAskBeforePrinting()
{
    QFETCH(bool, ready);
    setCompany(QString(), QStringLiteral("Please call us."));
    AddDuePatient(1, QStringLiteral("Smith"), Today);
    AddDuePatient(2, QStringLiteral("Brown"), Today);
    bed->Answer({ready, true});
    const RecordingSurface page = letters();
    QCOMPARE(bed->questions.first(), QStringLiteral("2 letters are about to print.  Ready?"));
    QCOMPARE(page.Started(), ready);
    QCOMPARE(page.Page(), ready ? 2 : 1);
    QCOMPARE(bed->questions.size(), ready ? 2 : 1);
    QCOMPARE(PrintLogRows(), ready ? 2 : 0);
}

QTEST_MAIN(tst_Reports)
#include "tst_Reports.moc"
