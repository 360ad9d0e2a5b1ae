// The detail report, the call list, the reminder letters and the print log on the recording
// surface.
#include "LetterBody.h"
#include "PrintCallList.h"
#include "PrintLetters.h"
#include "PrintPatientDetail.h"
#include "PrintTestbed.h"

#include <QProcess>

using Item = RecordingSurface::Item;

namespace {

const QString ReadyToUpdate = QStringLiteral(
    "Ready to update?\n\n(only choose yes when you are sure you will not want these entries to "
    "show on the next 'Call List' report or the next 'Reminder Letters' print batch)");

RecordingSurface detail() { return Record([](PrintJob& job) { PrintPatientDetail(job, "1"); }); }
RecordingSurface callList() { return Record([](PrintJob& job) { PrintCallList(job); }); }
RecordingSurface letters() { return Record([](PrintJob& job) { PrintLetters(job); }); }

QStringList texts(const RecordingSurface& page)
{
    QStringList texts;
    for (const Item& item : page.Texts())
        texts.append(item.text);
    return texts;
}

// A text of exactly the given printed width at 10 point: the start, wide letters, narrow ones up
// to a little short of the width, two of any width, then narrow ones again.
QString textOfWidth(int width, const QString& start = QString())
{
    RecordingSurface page;
    page.SetFontSize(10);
    QString base = start + QString(30, u'm');
    while (page.TextWidth(base) < width - 600)
        base += u'i';
    for (char16_t first = u'!'; first <= u'~'; ++first)
        for (char16_t second = u'!'; second <= u'~'; ++second) {
            QString text = base + QChar(first) + QChar(second);
            while (page.TextWidth(text) < width)
                text += u'i';
            if (page.TextWidth(text) == width)
                return text;
        }
    return QString();
}

// Patients due in neither output: called tomorrow, never, or already logged for the date; and
// the given due patient logged for an older call date only.
void addPatientsNotDue(int loggedBefore)
{
    AddDuePatient(41, "Later", Today.addDays(1));
    AddDuePatient(42, "Never", QDate(1900, 1, 1));
    AddDuePatient(43, "Logged", Today);
    const QString log = QStringLiteral("INSERT INTO PrintLog (ptid, calldate, printdate) VALUES (%1, #%2#, #%2#)");
    Sql(log.arg(43).arg(UsDate(Today)));
    Sql(log.arg(loggedBefore).arg(UsDate(Today.addMonths(-3))));
}

void setCompany(const QString& address2, const QString& body)
{
    Sql(QStringLiteral("UPDATE Company SET Name='Lakeside Clinic', address1='1 Lake Rd', "
                       "address2='%1', city='Reno', st='NV', zip='89501', letterbody='%2', "
                       "sendername='Dr. Lee'").arg(address2, SqlQuote(body)));
}

} // namespace

class tst_Reports : public QObject {
    Q_OBJECT
    std::unique_ptr<ListWindowTestbed> bed;

private slots:
    void init() { bed = std::make_unique<ListWindowTestbed>(); }
    void cleanup()
    {
        QVERIFY2(bed->unanswered.isEmpty(), qPrintable(bed->unanswered.join(u'|')));
        bed.reset();
    }

    void detailOfABarePatientSaysSoInEachSection()
    {
        Sql("INSERT INTO Patients (ptid, lname, fname, systolic, diastolic) VALUES (1, 'Smith', 'Ann', 0, 80)");
        const RecordingSurface page = detail();
        const QString none = "<currently no entries>";
        QCOMPARE(texts(page), QStringList({"Smith, Ann ", "Contact Info", "Date of Brith", "1/1/1900", "Sex",
                                           "Patient of Doctor:", none, "Health Factors", none, "Current Medications",
                                           none, "Blood Pressure", "<not entered>", "Blood work performed", none,
                                           "Communications with patient", none, "Page: 1"}));
        // The first heading follows the header's lower rule by a line and a heading advance; with
        // no contact details the next heading follows it directly; a body line is not underlined.
        const int line = page.LineHeight(), contact = page.Items()[2].y + 500;
        QCOMPARE(Layout(page).mid(3, 3),
                 QStringList({"Contact Info" + At(720, contact) + " underlined",
                              "Date of Brith" + At(720, contact + line + 400) + " underlined",
                              "1/1/1900" + At(720, contact + 2 * line + 500)}));
    }

    // Newest first in both tables, each value in its column, an intervention exactly as wide as
    // its room whole; a doctor without a last name leaves an empty line.
    void detailOfAFullPatientListsEverything()
    {
        const QString whole = textOfWidth(6220), wide = textOfWidth(6221);
        const QString visit = "INSERT INTO LabVisits (id, ptid, labdate, overallcl, hdl, ldl, the_intervention) "
                              "VALUES (%1, 1, #%2#, 210, 45, 130, '%3')";
        for (const QString& sql :
             {QStringLiteral("INSERT INTO Patients (ptid, lname, fname, mi, address1, city, phone, email, birthdate, "
                             "sex, systolic, diastolic) VALUES (1, 'Smith', 'Ann', 'B', '12 Elm St', 'Reno', "
                             "'555-0100', 'ann@example.com', #3/4/1950#, 'F', 120, 80)"),
              QStringLiteral("INSERT INTO PatientFactors VALUES (1, 1, 1, '(since 1990)')"),
              QStringLiteral("INSERT INTO Drugs VALUES (1, 'Statin®')"),
              QStringLiteral("INSERT INTO Schedule VALUES (1, 1, 1, '(20mg)')"),
              QStringLiteral("INSERT INTO Communications VALUES (1, 1, #6/5/2026#, '09:00:00', 'Left message', False)"),
              QStringLiteral("INSERT INTO Communications VALUES (2, 1, #6/5/2026#, '14:30:00', 'Booked', True)"),
              visit.arg(1).arg("1/5/2026", SqlQuote(whole)), visit.arg(2).arg("6/5/2026", QString()),
              visit.arg(3).arg("3/5/2026", SqlQuote(wide))})
            Sql(sql);
        AddDoctor(1, "Jones", 1);
        AddDoctor(2, QString(), 1);
        const RecordingSurface page = detail();
        // An intervention wider than the room left before the rule's end: the longest start that
        // fits, less three characters, and "...".
        const QString cut = texts(page).value(texts(page).indexOf("3/5/2026") + 4);
        const qsizetype kept = cut.size() - 3;
        QCOMPARE(cut, wide.left(kept) + "...");
        QVERIFY(page.TextWidth(wide.left(kept + 3)) <= 6220 && page.TextWidth(wide.left(kept + 4)) > 6220);
        QCOMPARE(texts(page),
                 QStringList({"Smith, Ann B", "Contact Info", "12 Elm St", "Reno,   ", "555-0100", "ann@example.com",
                              "Date of Brith", "3/4/1950", "Sex", "F", "Patient of Doctor:", "Jones, LeeGP",
                              "Health Factors", "Smoking(since 1990)", "Current Medications", "Statin®(20mg)",
                              "Blood Pressure", "120/80", "Blood work performed", "Lab Date", "Total Ch", "HDL", "LDL",
                              "Intervention", "6/5/2026", "210", "45", "130", "3/5/2026", "210", "45", "130", cut,
                              "1/5/2026", "210", "45", "130", whole, "Communications with patient", "Date", "Time",
                              "Completed", "Result", "6/5/2026", "14:30:00", "yes", "Booked", "6/5/2026", "09:00:00",
                              "no", "Left message", "Page: 1"}));
        QCOMPARE(page.FindText("Health Factors")->y, page.FindText("Jones, LeeGP")->y + page.LineHeight() + 100 + 400);
        const auto x = [&page](const char* text) { return page.FindText(text)->x; };
        QCOMPARE(QList<int>({x("Total Ch"), x("HDL"), x("LDL"), x("Intervention"), x("Time"), x("Completed"),
                             x("Result")}),
                 QList<int>({2000, 3000, 4000, 5000, 2000, 3000, 4000}));
        QCOMPARE(page.FindText("Total Ch")->y, page.FindText("Lab Date")->y);
    }

    // Due: a call date up to today, never logged for that date. Oldest call date first; only
    // the first doctor of a patient, none drawn for one without; 39 rows a page, the 40th at
    // y 2880 of page 2 without titles or page numbers.
    void callListLayout()
    {
        AddDuePatient(1, "Smith", Today.addDays(-2));
        AddDuePatient(2, "Brown", Today.addDays(-9));
        AddDoctor(1, "Jones", 1);
        AddDoctor(2, "Kahn", 1);
        for (int i = 3; i <= 40; ++i)
            AddDuePatient(i, QStringLiteral("P%1").arg(i), Today.addDays(i - 400));
        addPatientsNotDue(3);
        bed->Answer({false});
        const RecordingSurface page = callList();
        RecordingSurface titles;
        titles.SetFontSize(12);
        const int row = 2160 + titles.LineHeight() + 38 * page.LineHeight();
        QCOMPARE(Layout(page).mid(0, 6),
                 QStringList({"Call List 1440,1440 14pt bold", UsDate(Today) + " 3600,1440 14pt bold",
                              "Name 1440,2160 12pt underlined", "Phone 3600,2160 12pt underlined",
                              "Assigned Call Date 5760,2160 12pt underlined",
                              "Doctor 7920,2160 12pt underlined"}));
        QCOMPARE(Layout(page).mid(6 + 38 * 3),
                 QStringList({"Brown, Ann" + At(1440, row), "555-012" + At(3600, row),
                              UsDate(Today.addDays(-9)) + At(5760, row),
                              "Smith, Ann 1440,2880 p2", "555-011 3600,2880 p2",
                              UsDate(Today.addDays(-2)) + " 5760,2880 p2", "Jones, Lee 7920,2880 p2"}));
    }

    void printLogOnlyAfterYes_data()
    {
        QTest::addColumn<bool>("letter");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<int>("pages");
        QTest::addColumn<bool>("failing");
        const QString ready = QStringLiteral("2 letters are about to print.  Ready?");
        const QStringList update{ReadyToUpdate};
        QTest::newRow("call list, No") << false << QList<bool>{false} << update << 1 << false;
        QTest::newRow("call list, Yes") << false << QList<bool>{true} << update << 1 << false;
        QTest::newRow("call list, Yes, an insert fails") << false << QList<bool>{true} << update << 1 << true;
        QTest::newRow("letters not ready") << true << QList<bool>{false} << QStringList{ready} << 0 << false;
        QTest::newRow("letters, Yes") << true << QList<bool>{true, true} << QStringList{ready, ReadyToUpdate} << 2
                                      << false;
    }

    // A Yes logs each printed entry with its call date and the job's date. An insert failing in a
    // way the engine cannot foresee (set up with the standard shell on the file) is reported and
    // logs nothing.
    void printLogOnlyAfterYes()
    {
        QFETCH(bool, letter);
        QFETCH(QList<bool>, answers);
        QFETCH(bool, failing);
        setCompany(QString(), "Please call us.");
        AddDuePatient(1, "Smith", Today);
        AddDuePatient(2, "Brown", Today.addDays(-30));
        if (failing)
            QCOMPARE(QProcess::execute("sqlite3", {AppDatabase().Name(), "CREATE TRIGGER refuse BEFORE INSERT ON "
                     "PrintLog WHEN NEW.PtId = 1 BEGIN SELECT RAISE(ABORT, 'disk is full'); END;"}), 0);
        for (const bool answer : answers)
            bed->Answer({answer});
        const RecordingSurface page = letter ? letters() : callList();
        QTEST(bed->questions, "questions");
        QTEST(page.Started() ? page.Page() : 0, "pages");
        QVERIFY2(bed->notices.size() == int(failing) && (!failing || bed->notices.first().contains("disk is full")),
                 qPrintable(bed->notices.join(u'|')));
        const QString printed = Today.toString(Qt::ISODate);
        const QStringList logged{"1|" + printed + u'|' + printed,
                                 Today.addDays(-30).toString(u"2|yyyy-MM-dd|") + printed};
        QCOMPARE(ListWindowTestbed::Rows("SELECT ptid, calldate, printdate FROM PrintLog ORDER BY ptid"),
                 answers.last() && !failing ? logged : QStringList());
        // Logged entries stay out: with nothing else due neither output starts a page.
        if (answers.last() && !failing)
            QVERIFY(!callList().Started() && !letters().Started());
    }

    void letterBlocks_data()
    {
        QTest::addColumn<QString>("address2");
        QTest::newRow("second address lines") << QStringLiteral("Suite 4");
        QTest::newRow("no second address lines") << QString();
    }

    // The company block with the date right-aligned to x 10800, the patient's, the salutation,
    // the body and the closing, each at its place; the city right below address 1 when there is
    // no 2.
    void letterBlocks()
    {
        QFETCH(QString, address2);
        setCompany(address2, "Please call us.");
        AddDuePatient(7, "Smith", Today.addYears(-1), address2);
        addPatientsNotDue(7);
        bed->Answer({true, false});
        const RecordingSurface page = letters();
        const int line = page.LineHeight(), city = (address2.isEmpty() ? 2 : 3) * line;
        QStringList expected{"Lakeside Clinic" + At(1440, 1440), "1 Lake Rd" + At(1440, 1440 + line),
                             address2 + At(1440, 1440 + 2 * line), "Reno,NV  89501" + At(1440, 1440 + city),
                             UsDate(Today) + At(12240 - page.TextWidth(UsDate(Today)) - 1440, 1440),
                             "Ann Smith" + At(1440, 3600), "7 Elm St" + At(1440, 3600 + line),
                             address2 + At(1440, 3600 + 2 * line), "Dover, DE  19901" + At(1440, 3600 + city),
                             "Dear Ann, " + At(1440, 5760), "Please call us." + At(1440, 6480),
                             "Sincerely," + At(7920, 10080), "Dr. Lee" + At(7920, 10080 + 3 * line)};
        if (address2.isEmpty())
            expected.removeIf([](const QString& text) { return text.startsWith(u' '); });
        QCOMPARE(Layout(page), expected);
    }

    void bodyFilling_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QStringList>("lines");
        const QString word = QString(10, u'w');
        const QString fullLine = textOfWidth(12240 - 2880, QStringLiteral("a "));
        QTest::newRow("two blanks after a period kept, other runs folded")
            << QStringLiteral("Call  us.  Thanks") << QStringList{"Call us.  Thanks"};
        QTest::newRow("three blanks leave two") << QStringLiteral("a   b") << QStringList{"a  b"};
        QTest::newRow("trailing blank dropped") << QStringLiteral("a b ") << QStringList{"a b"};
        QTest::newRow("one-character last word") << QStringLiteral("Call us a") << QStringList{"Call us a"};
        QTest::newRow("line as wide as the limit") << fullLine << QStringList{fullLine};
        QTest::newRow("full line ends with a blank")
            << QStringList(7, word).join(u' ') << QStringList{QStringList(6, word).join(u' ') + u' ', word};
        QTest::newRow("word wider than a line stands alone")
            << "Hi " + QString(100, u'W') + " end" << QStringList{"Hi ", QString(100, u'W'), "end"};
    }

    // Lines from x 1440 no wider than the page less two inches, a word too wide standing alone.
    void bodyFilling()
    {
        QFETCH(QString, body);
        RecordingSurface page;
        page.SetFontSize(10);
        page.MoveTo(1440, 6480);
        PrintLetterBody(page, body);
        QTEST(texts(page), "lines");
        for (const Item& item : page.Texts())
            QVERIFY(item.x == 1440 && (item.text.contains(u'W') || page.TextWidth(item.text) <= 12240 - 2880));
    }

    void longBodyNeverRunsIntoTheClosing_data()
    {
        QTest::addColumn<int>("sentences");
        QTest::addColumn<int>("pages");
        QTest::newRow("past y 10080") << 40 << 1;
        QTest::newRow("longer than a page") << 150 << 2;
    }

    // The closing moves below the body, to a new page when it would pass the bottom margin.
    void longBodyNeverRunsIntoTheClosing()
    {
        QFETCH(int, sentences);
        setCompany(QString(), QString("Your next blood work test is due, please call us.  ").repeated(sentences));
        AddDuePatient(1, "Smith", Today);
        bed->Answer({true, false});
        const RecordingSurface page = letters();
        const Item* closing = page.FindText("Sincerely,");
        const int line = page.LineHeight();
        QVERIFY(closing->y >= 10080);
        for (const Item& item : page.Texts()) {
            QVERIFY(item.y + line <= 15840 - 1440);
            QVERIFY2(item.page != closing->page || item.x >= closing->x || item.y + line <= closing->y ||
                         item.y >= closing->y + 4 * line,
                     qPrintable(item.text));
        }
        QTEST(page.Page(), "pages");
    }
};

QTEST_MAIN(tst_Reports)
#include "tst_Reports.moc"
