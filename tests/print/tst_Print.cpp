// Printing: the page layout, the printer window, the company and letter windows; the detail
// report, the call list, the reminder letters and the print log on the recording surface; whole
// print jobs as the user runs them: the preview, a PDF file and a real CUPS queue, read back with
// pdftotext; and the patient's history chart: its options, scope window, window and printed page.
#include "CaptureFormPicture.h"
#include "ChartKind.h"
#include "ChartScope.h"
#include "ChartVisits.h"
#include "LetterBody.h"
#include "PageLayout.h"
#include "PrintCallList.h"
#include "PrintHistoryChart.h"
#include "PrintLetters.h"
#include "PrintPatientDetail.h"
#include "PrintReport.h"
#include "ListWindowTestbed.h"
#include "PrintJob.h"
#include "PrinterChoice.h"
#include "PrinterSurface.h"
#include "RecordingSurface.h"
#include "ShowHistoryChart.h"
#include "frmChart.h"
#include "frmChartSetup.h"
#include "frmComp.h"
#include "frmPrint.h"
#include "frmletter.h"

#include <QBarCategoryAxis>
#include <QChartView>
#include <QComboBox>
#include <QDate>
#include <QDirIterator>
#include <QImage>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QValueAxis>
#include <QXYSeries>

using Item = RecordingSurface::Item;

namespace {

// The day every job of these tests prints on: not the clock's, so that a report reading the
// clock instead of its job's date is caught.
const QDate Today(2026, 3, 17);

QString UsDate(QDate date) { return date.toString(u"MM/dd/yyyy"); }

void Sql(const QString& sql) { ListWindowTestbed::Exec(sql); }

// A patient with an address, due on the given day.
void addDuePatient(int ptid, const QString& lastName, QDate callDate, const QString& address2 = QString())
{
    Sql(QStringLiteral("INSERT INTO Patients (ptid, lname, fname, phone, address1, address2, city, st, zip, calldate) "
                       "VALUES (%1, '%2', 'Ann', '555-01%1', '%1 Elm St', '%3', 'Dover', 'DE', '19901', #%4#)")
            .arg(ptid).arg(SqlQuote(lastName), address2, UsDate(callDate)));
}

// A general practitioner, the patient's doctor.
void addDoctor(int doctorId, const QString& lastName, int ptid)
{
    Sql(QStringLiteral("INSERT INTO Doctors VALUES (%1, '%2', 'Lee', 'GP')").arg(doctorId).arg(lastName));
    Sql(QStringLiteral("INSERT INTO PatientsDoctors VALUES (%1, %2, %1, '')").arg(doctorId).arg(ptid));
}

// Visits a month apart from the first date; total cholesterol, HDL and LDL rise by one a visit.
void addVisits(int ptid, QDate first, int count)
{
    static int id = 0;
    for (int i = 0; i < count; ++i)
        Sql(QStringLiteral("INSERT INTO LabVisits (id, ptid, labdate, overallcl, hdl, ldl) VALUES "
                           "(%1, %2, #%3#, %4, %5, %6)")
                .arg(++id).arg(ptid).arg(UsDate(first.addMonths(i))).arg(200 + i).arg(40 + i).arg(100 + i));
}

// Runs a report writer on a fresh letter-sized recording surface, with the dispatcher's base font.
template <class Report> RecordingSurface Record(Report report)
{
    RecordingSurface page;
    page.SetFontName(QStringLiteral("Times New Roman"));
    page.SetFontSize(10);
    PrintJob job{page, Today};
    report(job);
    return page;
}

QString At(int x, int y) { return QStringLiteral(" %1,%2").arg(x).arg(y); }

// Each item in the order drawn: a line as "line x,y to x2,y2", a picture as "picture x,y size
// w,h", a text as "text x,y" and its size, bold and underline where not plain 10 point; each
// followed by its page when not the first.
QStringList Layout(const RecordingSurface& page)
{
    using Kind = RecordingSurface::Kind;
    QStringList items;
    for (const RecordingSurface::Item& item : page.Items()) {
        QString text = item.kind == Kind::Line      ? "line" + At(item.x, item.y) + " to" + At(item.x2, item.y2)
                       : item.kind == Kind::Picture ? "picture" + At(item.x, item.y) + " size" + At(item.x2, item.y2)
                                                    : item.text + At(item.x, item.y);
        if (item.kind == Kind::Text)
            text += (item.fontSize != 10 ? QStringLiteral(" %1pt").arg(item.fontSize) : QString()) +
                    (item.bold ? " bold" : "") + (item.underline ? " underlined" : "");
        items.append(item.page > 1 ? text + QStringLiteral(" p%1").arg(item.page) : text);
    }
    return items;
}

const QString ReadyToUpdate = QStringLiteral(
    "Ready to update?\n\n(only choose yes when you are sure you will not want these entries to "
    "show on the next 'Call List' report or the next 'Reminder Letters' print batch)");

RecordingSurface detail(const char* ptid) { return Record([ptid](PrintJob& job) { PrintPatientDetail(job, ptid); }); }
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
    addDuePatient(41, "Later", Today.addDays(1));
    addDuePatient(42, "Never", QDate(1900, 1, 1));
    addDuePatient(43, "Logged", Today);
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

const QString CupsQueue = QStringLiteral("VelmoraPDF");

int printLogRows() { return ListWindowTestbed::Count("SELECT count(*) FROM PrintLog"); }

// How far the title "Call List" lies in the file from 72,72 points.
QPointF titleAt(const QString& path)
{
    QProcess bbox;
    bbox.start("pdftotext", {"-bbox", "-l", "1", path, "-"});
    bbox.waitForFinished();
    const auto box = QRegularExpression("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>Call<")
                         .match(bbox.readAllStandardOutput());
    return QPointF(box.captured(1).toDouble(), box.captured(2).toDouble()) - QPointF(72, 72);
}

// Patients due from the given day on, one a day, named by their ids.
void addDuePatients(int first, int last)
{
    for (int i = first; i <= last; ++i)
        addDuePatient(i, QStringLiteral("P%1").arg(i), Today.addDays(i - 400));
}

const int ThisYear = QDate::currentDate().year();

void addPatient(int ptid, int goalChol = 0)
{
    Sql(QStringLiteral("INSERT INTO Patients (ptid, lname, fname, mi, goal_chol, goal_ldl) VALUES "
                       "(%1, 'Okafor', 'Ada', 'Q', %2, 0)").arg(ptid).arg(goalChol));
}

void click(QWidget& window, const char* name)
{
    QTest::mouseClick(Child<QAbstractButton>(window, name), Qt::LeftButton, {}, QPoint(6, 6));
}

// What the chart window shows, a line each: its heading, the chart's title, the scale (lowest,
// highest, ticks, minor ticks), the date labels, then each series drawn, marked when dashed:
// the kind's values, and the goal and off-scale points where drawn.
QStringList read(QDialog& window)
{
    QChart* chart = Child<QChartView>(window, "ChartPatLV")->chart();
    const auto* axis = static_cast<QValueAxis*>(chart->axes(Qt::Vertical).first());
    QStringList shown{Child<QLabel>(window, "lblHeading")->text(), chart->title(),
                      QStringLiteral("%1-%2 %3 %4").arg(axis->min()).arg(axis->max())
                          .arg(axis->tickCount()).arg(axis->minorTickCount()),
                      static_cast<QBarCategoryAxis*>(chart->axes(Qt::Horizontal).first())
                          ->categories().join(u'|').remove(QChar(0x200B))};
    for (QAbstractSeries* series : chart->series()) {
        const auto* line = static_cast<QXYSeries*>(series);
        QStringList points;
        for (const QPointF& point : line->points())
            points.append(series == chart->series().first() ? QString::number(point.y())
                                                            : QStringLiteral("%1,%2").arg(point.x()).arg(point.y()));
        shown.append(series->name() + (line->pen().style() == Qt::DashLine ? " dashed: " : ": ") + points.join(u' '));
    }
    return shown;
}

} // namespace

class tst_Print : public QObject {
    Q_OBJECT
    std::unique_ptr<ListWindowTestbed> bed;
    QTemporaryDir dir;
    QStringList m_shown;

    qsizetype drawn() const { return m_shown.value(4).section(u':', 1).split(u' ', Qt::SkipEmptyParts).size(); }

    // The chart window, when it opens next, is read and closed.
    void readChart()
    {
        m_shown.clear();
        bed->OnWindow("frmChart", [this](QDialog& window) { m_shown = read(window); window.reject(); });
    }
    // Charts the patient's total cholesterol as the setup window does; the chart window is read.
    void chart(int ptid, QWidget* opener = nullptr)
    {
        readChart();
        ShowHistoryChart(opener, QString::number(ptid), "Total Cholesterol Levels");
    }

private slots:
    void init() { bed = std::make_unique<ListWindowTestbed>(); }
    void cleanup()
    {
        QVERIFY2(bed->Loose().isEmpty() && bed->notices.isEmpty(),
                 qPrintable((bed->Loose() + bed->notices).join(u'|')));
        bed.reset();
    }

    void advancesBreakPastTheLimit_data()
    {
        QTest::addColumn<bool>("heading");
        QTest::addColumn<int>("startY");
        QTest::addColumn<bool>("breaks");
        QTest::newRow("line to 13680 stays") << false << 13580 << false;
        QTest::newRow("line past 13680 breaks") << false << 13581 << true;
        QTest::newRow("heading to 13680 stays") << true << 13280 << false;
        QTest::newRow("heading past 13680 breaks") << true << 13281 << true;
    }

    // A break prints the footer ending at x 10800, starts a page with the header (rules at y 720 and
    // below the 24 point title, which starts 250 below the upper one) and lands 500 below its lower
    // rule, keeping the advance's own underline and the base font.
    void advancesBreakPastTheLimit()
    {
        QFETCH(bool, heading);
        QFETCH(int, startY);
        QFETCH(bool, breaks);
        RecordingSurface page;
        page.SetFontSize(24);
        const int lower = 970 + page.LineHeight() + 50;
        page.SetFontSize(10);
        page.MoveTo(3000, startY);
        (heading ? NextHeading : NextLine)(page, "Smith, Ann B");
        QCOMPARE(page.CurrentX(), 720);
        QCOMPARE(page.Underline(), heading);
        QCOMPARE(page.FontSize(), 10.0);
        const QString footer = QStringLiteral("Page: 1");
        QCOMPARE(Layout(page), breaks ? QStringList({footer + At(10800 - page.TextWidth(footer), 14400),
                                                     "line 720,720 to 11520,720 p2", "Smith, Ann B 720,970 24pt p2",
                                                     "line" + At(720, lower) + " to" + At(11520, lower) + " p2"})
                                      : QStringList());
        QCOMPARE(page.CurrentY(), breaks ? lower + 500 : startY + (heading ? 400 : 100));
    }

    void printerWindow_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("answer");
        QTest::newRow("last equal entry preselected, OK") << "Front desk" << 2 << "Front desk";
        QTest::newRow("current not listed, Escape") << "Gone" << -1 << "~CANCEL~";
    }

    // Preselects the last entry equal to the current printer (OK is off without one); the list has
    // the focus; OK answers the chosen printer, anything else "~CANCEL~".
    void printerWindow()
    {
        QFETCH(QString, current);
        QFETCH(int, selected);
        frmPrint window;
        window.Init({"Front desk", "Lab", "Front desk", "PDF file"}, current);
        auto* list = Child<QListWidget>(window, "lstPrinters");
        QCOMPARE(window.windowTitle(), "Select Printer");
        QCOMPARE(list->selectedItems().isEmpty() ? -1 : list->row(list->selectedItems().first()), selected);
        QCOMPARE(IsEnabled(window, "cmdOK"), selected >= 0);
        QVERIFY(ShowActive(window));
        QCOMPARE(QApplication::focusWidget(), list);
        if (selected >= 0)
            ClickButton(window, "cmdOK");
        else
            QTest::keyClick(list, Qt::Key_Escape);
        QVERIFY(!window.isVisible());
        QTEST(SelectedPrinter(), "answer");
    }

    // Each box holds no more than its column; OK stores the boxes trimmed, apostrophes intact, where
    // the window shows them next time, and leaves the letter alone.
    void companyBoxesSaveTrimmedWithinTheirColumns()
    {
        const QString letter = company("letterbody, sendername");
        frmComp window;
        window.show();
        QCOMPARE(window.windowTitle(), "Company Information");
        for (int i = 0; i < Boxes.size(); ++i) {
            QCOMPARE(window.findChild<QLineEdit*>(Boxes[i])->maxLength(), Sizes[i]);
            TypeInto(window, Boxes[i], Typed[i]);
        }
        ClickButton(window, "cmdOK");
        QVERIFY(!window.isVisible());
        QCOMPARE(company(Columns), Saved);
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
            QCOMPARE(body->toPlainText() + u'|' + sender->text(), prompt ? company("letterbody, sendername") : saved);
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

    // Newest first in both tables, each value in its column, an intervention exactly as wide as
    // its room whole; a doctor without a last name leaves an empty line. A patient with nothing
    // entered has each section say so, and no empty lines for missing contact details.
    void detailListsEverythingOrSaysThereIsNone()
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
        addDoctor(1, "Jones", 1);
        addDoctor(2, QString(), 1);
        const RecordingSurface page = detail("1");
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
                             x("Result"), page.FindText("Total Ch")->y}),
                 QList<int>({2000, 3000, 4000, 5000, 2000, 3000, 4000, page.FindText("Lab Date")->y}));
        Sql("INSERT INTO Patients (ptid, lname, fname, systolic, diastolic) VALUES (2, 'Smith', 'Ann', 0, 80)");
        const RecordingSurface bare = detail("2");
        const QString none = "<currently no entries>";
        QCOMPARE(texts(bare), QStringList({"Smith, Ann ", "Contact Info", "Date of Brith", "1/1/1900", "Sex",
                                           "Patient of Doctor:", none, "Health Factors", none, "Current Medications",
                                           none, "Blood Pressure", "<not entered>", "Blood work performed", none,
                                           "Communications with patient", none, "Page: 1"}));
        // The first heading a line and a heading advance below the header's lower rule, the next
        // right after it.
        const int contact = bare.Items()[2].y + 500;
        QCOMPARE(QList<int>({bare.FindText("Contact Info")->y, bare.FindText("Date of Brith")->y}),
                 QList<int>({contact, contact + bare.LineHeight() + 400}));
    }

    // Due: a call date up to today, never logged for that date. Oldest call date first; only
    // the first doctor of a patient, none drawn for one without; 39 rows a page, the 40th at
    // y 2880 of page 2 without titles or page numbers.
    void callListLayout()
    {
        addDuePatient(1, "Smith", Today.addDays(-2));
        addDuePatient(2, "Brown", Today.addDays(-9));
        addDoctor(1, "Jones", 1);
        addDoctor(2, "Kahn", 1);
        addDuePatients(3, 40);
        addPatientsNotDue(3);
        bed->Answer({false});
        const RecordingSurface page = callList();
        RecordingSurface titles;
        titles.SetFontSize(12);
        const int row = 2160 + titles.LineHeight() + 38 * page.LineHeight();
        QCOMPARE(Layout(page).mid(0, 6),
                 QStringList({"Call List 1440,1440 14pt bold", UsDate(Today) + " 3600,1440 14pt bold",
                              "Name 1440,2160 12pt underlined", "Phone 3600,2160 12pt underlined",
                              "Assigned Call Date 5760,2160 12pt underlined", "Doctor 7920,2160 12pt underlined"}));
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
        addDuePatient(1, "Smith", Today);
        addDuePatient(2, "Brown", Today.addDays(-30));
        if (failing)
            QCOMPARE(QProcess::execute("sqlite3", {AppDatabase().Name(), "CREATE TRIGGER refuse BEFORE INSERT ON "
                     "PrintLog WHEN NEW.PtId = 1 BEGIN SELECT RAISE(ABORT, 'disk is full'); END;"}), 0);
        for (const bool answer : answers)
            bed->Answer({answer});
        const RecordingSurface page = letter ? letters() : callList();
        QTEST(bed->questions, "questions");
        QTEST(page.Started() ? page.Page() : 0, "pages");
        const QStringList notices = std::exchange(bed->notices, {});
        QVERIFY2(notices.size() == int(failing) && (!failing || notices.first().contains("disk is full")),
                 qPrintable(notices.join(u'|')));
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
        addDuePatient(7, "Smith", Today.addYears(-1), address2);
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
        addDuePatient(1, "Smith", Today);
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

    void failedPdfWriteLogsNothing()
    {
        addDuePatients(1, 2);
        const QString path = dir.filePath("missing/folder/list.pdf");
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageSize(QPageSize(QPageSize::Letter));
        PrinterSurface page(printer);
        QCOMPARE(QSize(page.PageWidth(), page.PageHeight()), QSize(12240, 15840));
        PrintJob job{page, Today};
        PrintCallList(job);
        QCOMPARE(std::exchange(bed->notices, {}), QStringList{"The document could not be printed to " + path + u'.'});
        QVERIFY(bed->questions.isEmpty() && printLogRows() == 0);
    }

    void preview_data()
    {
        QTest::addColumn<bool>("printFromPreview");
        QTest::newRow("closed, then Cancel") << false;
        QTest::newRow("Print from the preview") << true;
    }

    // The preview shows the job's pages; only a job printed from it asks to update the print log.
    void preview()
    {
        QFETCH(bool, printFromPreview);
        addDuePatients(1, 40);
        const QString path = dir.filePath("previewed.pdf");
        int previewPages = 0;
        bed->OnWindow("frmPrint", [&](QDialog& window) {
            // The preview is a window of its own inside this one.
            QTimer::singleShot(200, [&] {
                QWidget* preview = QApplication::activeModalWidget();
                previewPages = Child<QPrintPreviewWidget>(*preview, "pvwPages")->pageCount();
                QTest::mouseClick(Child<QPushButton>(*preview, printFromPreview ? "cmdPrint" : "cmdClose"),
                                  Qt::LeftButton);
            });
            ChoosePrinter(window, "PDF file", "cmdPreview");
            if (window.isVisible())
                QTest::mouseClick(Child<QPushButton>(window, "cmdCancel"), Qt::LeftButton);
        });
        if (printFromPreview) {
            bed->OnWindow("dlgSavePdf", [path](QDialog& window) { SaveAs(window, path); });
            bed->Answer({true});
        }
        PrintReport("CallList", QString());
        // The preview's pages, the file's pages (pdftotext ends each with a form feed), questions
        // and entries logged; the title where the recording places it, at 1440,1440 (pdftotext's
        // boxes are in points, 20 twips, from the page's top-left corner).
        QCOMPARE(QList<qsizetype>({previewPages, PdfText(path).count(u'\f'), bed->questions.size(), printLogRows()}),
                 printFromPreview ? QList<qsizetype>({2, 2, 1, 40}) : QList<qsizetype>({2, 0, 0, 0}));
        if (printFromPreview)
            QVERIFY2(titleAt(path).manhattanLength() < 3, qPrintable(PdfText(path)));
    }

    void callListThroughCupsQueue()
    {
        if (!QPrinterInfo::availablePrinterNames().contains(CupsQueue))
            QSKIP("The CUPS queue VelmoraPDF is not there: the CUPS server cannot be reached or the "
                  "queue was not added (bash scripts/start-cups.sh starts both).");
        const QString name = QStringLiteral("Quimby%1x").arg(QDateTime::currentMSecsSinceEpoch() % 100000);
        addDuePatient(1, name, Today);
        bed->OnWindow("frmPrint", [](QDialog& window) { ChoosePrinter(window, CupsQueue); });
        bed->Answer({true});
        const QDateTime sent = QDateTime::currentDateTime().addSecs(-1);
        PrintReport("CallList", QString());
        QCOMPARE(printLogRows(), 1);

        // cups-pdf writes the file below its folder (set by scripts/start-cups.sh) once the job has
        // passed the queue.
        QString found;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                QDirIterator pdfs("/var/spool/cups-pdf", {"call-list*.pdf"}, QDir::Files, QDirIterator::Subdirectories);
                while (pdfs.hasNext()) {
                    const QString file = pdfs.next();
                    if (pdfs.fileInfo().lastModified() >= sent && PdfText(file).contains(name))
                        found = file;
                }
                return !found.isEmpty();
            }(),
            30000);
        const QString text = PdfText(found);
        QVERIFY2(text.contains("Call List") && text.contains("Assigned Call Date") && text.contains(name + ", Ann"),
                 qPrintable(text));
    }

    void rangeOfYears_data()
    {
        QTest::addColumn<int>("inRange");
        QTest::addColumn<bool>("beginAfterEnd");
        QTest::addColumn<QStringList>("notices");
        QTest::newRow("11 accepted") << 11 << false << QStringList();
        QTest::newRow("12 refused") << 12 << false
                                    << QStringList{"Selected date range is too broad. Please narrow your search"};
        QTest::newRow("begin after end") << 2 << true << QStringList();
    }

    // 12 visits nine years back and those of the range: 13 or more open the scope window, which
    // offers the years from three back; it stays open on a range it refuses, and closed then
    // charts nothing. The next chart, of a patient with few visits, uses no range.
    void rangeOfYears()
    {
        addPatient(1, 200);
        QFETCH(int, inRange);
        QFETCH(bool, beginAfterEnd);
        QFETCH(QStringList, notices);
        const bool charted = notices.isEmpty() && !beginAfterEnd;
        addVisits(1, QDate(ThisYear - 9, 1, 5), 12);
        addVisits(1, QDate(ThisYear - 2, 1, 5), inRange);
        bool stayedOpen = false;
        bed->OnWindow("frmChartSp", [&](QDialog& window) {
            click(window, "optDateRange");
            QVERIFY(Child<QComboBox>(window, "cmbBegin")->isEnabled());
            QCOMPARE(Child<QComboBox>(window, "cmbBegin")->currentText(), QString::number(ThisYear - 3));
            if (beginAfterEnd)
                Child<QComboBox>(window, "cmbEnd")->setCurrentIndex(0);
            click(window, "cmdOK");
            stayedOpen = window.isVisible();
            if (stayedOpen)
                QTest::keyClick(&window, Qt::Key_Escape);
        });
        chart(1);
        QCOMPARE(std::exchange(bed->notices, {}), notices);
        QCOMPARE(stayedOpen, !charted);
        QCOMPARE(drawn(), charted ? inRange : 0);
        addPatient(2);
        addVisits(2, QDate(ThisYear - 8, 1, 5), 5);
        chart(2);
        QCOMPARE(drawn(), 5);
        QVERIFY(ChartScopeClause.isEmpty());
    }

    void kindsFromTheChartOptions_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("scaleAndValues");
        QTest::newRow("total cholesterol, goal") << "optTCChart" << "Total Cholesterol Levels"
            << QStringList{"100-800 8 0", "200 201 202 203 204 205 206 207 208 209 210 211",
                           "Goal dashed: 0,200 11,200"};
        QTest::newRow("HDL, none kept")
            << "optHDL" << "HDL Levels" << QStringList{"0-100 11 0", "40 41 42 43 44 45 46 47 48 49 50 51"};
        QTest::newRow("LDL, none set")
            << "optLDL" << "LDL Levels" << QStringList{"50-300 6 0", "100 101 102 103 104 105 106 107 108 109 110 111"};
    }

    // The setup window hands its kind on and stays; 12 visits are charted without the scope
    // window, with the kind's scale, values and goal.
    void kindsFromTheChartOptions()
    {
        addPatient(1, 200);
        QFETCH(QString, option);
        addVisits(1, QDate(2021, 4, 2), 12);
        frmChartSetup setup;
        setup.Init(1);
        setup.show();
        click(setup, option.toLatin1());
        readChart();
        click(setup, "cmdChart");
        QVERIFY(setup.isVisible());
        QFETCH(QString, kind);
        QFETCH(QStringList, scaleAndValues);
        QCOMPARE(m_shown, QStringList({"Okafor, Ada Q - " + kind, kind, scaleAndValues[0],
                                       "4 '21|5 '21|6 '21|7 '21|8 '21|9 '21|10 '21|11 '21|12 '21|1 '22|2 '22|3 '22",
                                       kind + ": " + scaleAndValues[1]}) + scaleAndValues.mid(2));
    }

    // A result above the scale is drawn at its top and marked; one never entered is no point;
    // the chart window kept by its opener and drawn again shows nothing of the previous chart;
    // the scope window's preset charts the last 12 of 20 visits.
    void keptWindowShowsOnlyTheLatestEnteredResults()
    {
        addPatient(1, 200);
        addVisits(1, QDate(2022, 1, 3), 3);
        Sql("UPDATE LabVisits SET overallcl = 912 WHERE labdate = #1/3/2022#");
        Sql("UPDATE LabVisits SET overallcl = 0 WHERE labdate = #2/3/2022#");
        addPatient(2);
        addVisits(2, QDate(2003, 3, 1), 20);
        QDialog opener;
        chart(1, &opener);
        QCOMPARE(m_shown.mid(3), QStringList({"1 '22|3 '22", "Total Cholesterol Levels: 800 202",
                                              "Off scale: 0,800", "Goal dashed: 0,200 1,200"}));
        bed->OnWindow("frmChartSp", [](QDialog& window) { click(window, "cmdOK"); });
        chart(2, &opener);
        QCOMPARE(m_shown.mid(3),
                 QStringList({"11 '03|12 '03|1 '04|2 '04|3 '04|4 '04|5 '04|6 '04|7 '04|8 '04|9 '04|10 '04",
                              "Total Cholesterol Levels: 208 209 210 211 212 213 214 215 216 217 218 219"}));
        Sql("UPDATE LabVisits SET overallcl = 0 WHERE labdate = #3/3/2022#");
        chart(1, &opener);
        QCOMPARE(std::exchange(bed->notices, {}),
                 QStringList{"Not enough bloodwork results entered for this patient.  At least two are required"});
    }

    // Printing from the chart window saves the chart itself, at its size, in the per-user data
    // folder, and asks for a printer. The page: the header with the patient's name, the kind, the
    // picture centred by its size and the table of dates and values oldest first from y 9360, in
    // a date and a value column.
    void printedChart()
    {
        addPatient(1, 200);
        addVisits(1, QDate(2022, 11, 20), 3);
        Sql("UPDATE LabVisits SET overallcl = 912 WHERE labdate = #11/20/2022#");
        ChartScopeClause.clear();
        frmChart window;
        window.Init(ChartPoints(ReadChartVisits("1", *ChartKind::Find("LDL Levels"))), "1", "LDL Levels");
        window.show();
        bed->OnWindow("frmPrint", [](QDialog&) {});
        click(window, "cmdPrint");
        QCOMPARE(std::exchange(bed->leftOpen, {}), QStringList{"frmPrint"});
        QCOMPARE(QImage(ChartPicturePath()).size(), Child<QChartView>(window, "ChartPatLV")->size());
        RecordingSurface page;
        DrawHistoryChart(page, QImage(600, 301, QImage::Format_RGB32), "Total Cholesterol Levels ", "1");
        QVERIFY(page.Ended());
        const QStringList layout = Layout(page);
        const int kindY = page.Items()[2].y + 100, row = page.LineHeight() + 100;
        QCOMPARE(layout[1], "Okafor, Ada Q 720,970 24pt");
        QCOMPARE(layout.mid(3),
                 QStringList({"Total Cholesterol Levels" + At(720, kindY), "picture 1620,4222 size 9000,4515",
                              "Lab Date 1440,9360 underlined", "Result 2880,9360 underlined",
                              "11/20/2022" + At(1440, 9360 + row), "912" + At(2880, 9360 + row),
                              "12/20/2022" + At(1440, 9360 + 2 * row), "201" + At(2880, 9360 + 2 * row),
                              "01/20/2023" + At(1440, 9360 + 3 * row), "202" + At(2880, 9360 + 3 * row)}));
    }
};

QTEST_MAIN(tst_Print)
#include "tst_Print.moc"
