// The call list, the reminder letters and the print log on the recording surface.
#include "FirstDoctorName.h"
#include "LetterBody.h"
#include "PrintCallList.h"
#include "PrintLetters.h"
#include "PrintTestbed.h"
#include "SplitWords.h"

#include <QProcess>
#include <QTest>

using Item = RecordingSurface::Item;

namespace {

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

class tst_ReminderCycle : public QObject {
    Q_OBJECT

private slots:
    void init() { bed = std::make_unique<ListWindowTestbed>(); }
    void cleanup()
    {
        QVERIFY2(bed->unanswered.isEmpty(), qPrintable(bed->unanswered.join(u'|')));
        bed.reset();
    }
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

void tst_ReminderCycle::dueEntries_data()
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

void tst_ReminderCycle::dueEntries()
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

void tst_ReminderCycle::callListLayout()
{
    AddDuePatient(1, QStringLiteral("Smith"), Today.addDays(-2));
    AddDuePatient(2, QStringLiteral("Brown"), Today.addDays(-9));
    bed->Answer({false});
    const RecordingSurface page = callList();
    const auto texts = page.Texts();
    // No doctor: the empty Doctor column draws nothing.
    QCOMPARE(texts.size(), size_t(2 + 4 + 2 * 3));
    const Item& title = texts[0];
    QCOMPARE(title.text, QStringLiteral("Call List"));
    QCOMPARE(QList<int>({title.x, title.y}), QList<int>({1440, 1440}));
    QVERIFY(title.bold && !title.underline && title.fontSize == 14);
    QCOMPARE(texts[1].text, UsDate(Today));
    QCOMPARE(QList<int>({texts[1].x, texts[1].y}), QList<int>({3600, 1440}));
    QVERIFY(texts[1].bold);
    const QStringList titles{"Name", "Phone", "Assigned Call Date", "Doctor"};
    const int xs[] = {1440, 3600, 5760, 7920};
    for (int i = 0; i < 4; ++i) {
        const Item& column = texts[size_t(2 + i)];
        QCOMPARE(column.text, titles[i]);
        QCOMPARE(QList<int>({column.x, column.y}), QList<int>({xs[i], 2160}));
        QVERIFY(column.underline && !column.bold && column.fontSize == 12);
    }
    // Oldest call date first, plain 10 point, one line under the other.
    const QStringList first{"Brown, Ann", "555-012", UsDate(Today.addDays(-9))};
    for (int i = 0; i < 3; ++i) {
        const Item& cell = texts[size_t(6 + i)];
        QCOMPARE(cell.text, first[i]);
        QCOMPARE(cell.x, xs[i]);
        QVERIFY(!cell.underline && !cell.bold && cell.fontSize == 10);
    }
    QVERIFY(texts[6].y > 2160);
    QCOMPARE(texts[9].text, QStringLiteral("Smith, Ann"));
    QCOMPARE(texts[9].y, texts[6].y + page.LineHeight());
    QCOMPARE(bed->questions, QStringList{ReadyToUpdate});
}

void tst_ReminderCycle::callListBreaksAfter39Rows()
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

void tst_ReminderCycle::firstDoctorOnly()
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

void tst_ReminderCycle::printLogUpdate_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("No keeps the entries due") << false;
    QTest::newRow("Yes logs each printed entry") << true;
}

void tst_ReminderCycle::printLogUpdate()
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
    // Logged entries drop out of both outputs; a new call date brings the patient back.
    bed->Answer({false, true, false});
    QCOMPARE(callList().Started(), !yes);
    QCOMPARE(letters().Started(), !yes);
    ListWindowTestbed::Exec(QStringLiteral("UPDATE Patients SET calldate = #%1# WHERE ptid = 1")
                                .arg(UsDate(Today.addDays(-1))));
    bed->Answer({false});
    QVERIFY(callList().FindText(QStringLiteral("Smith, Ann")));
}

void tst_ReminderCycle::failingLogInsertIsReportedAndKeepsEntriesDue()
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

void tst_ReminderCycle::letterBlocks_data()
{
    QTest::addColumn<QString>("address2");
    QTest::newRow("second address lines") << QStringLiteral("Suite 4");
    QTest::newRow("no second address lines") << QString();
}

void tst_ReminderCycle::letterBlocks()
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

void tst_ReminderCycle::splitWords_data()
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

void tst_ReminderCycle::splitWords()
{
    QFETCH(QString, text);
    QFETCH(QStringList, words);
    QCOMPARE(SplitWords(text), words);
}

void tst_ReminderCycle::bodyFilling_data()
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

void tst_ReminderCycle::bodyFilling()
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

void tst_ReminderCycle::longBodyNeverRunsIntoTheClosing()
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

void tst_ReminderCycle::lettersAskBeforePrinting_data()
{
    QTest::addColumn<bool>("ready");
    QTest::newRow("No prints nothing") << false;
    QTest::newRow("Yes prints every letter") << true;
}

void tst_ReminderCycle::lettersAskBeforePrinting()
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

QTEST_MAIN(tst_ReminderCycle)
#include "tst_ReminderCycle.moc"
