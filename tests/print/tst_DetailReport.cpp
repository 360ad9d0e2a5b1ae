// The patient detail report on the recording surface.
#include "PageLayout.h"
#include "PrintPatientDetail.h"
#include "PrintTestbed.h"

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

} // namespace

class tst_DetailReport : public QObject {
    Q_OBJECT

private slots:
    void init() { bed = std::make_unique<ListWindowTestbed>(); }
    void cleanup()
    {
        QVERIFY2(bed->notices.isEmpty(), qPrintable(bed->notices.join(u'|')));
        bed.reset();
    }
    void barePatient();
    void fullPatient();
    void interventionFitsTheWidthLimit_data();
    void interventionFitsTheWidthLimit();
    void sixtyVisitsSpanPages();

private:
    std::unique_ptr<ListWindowTestbed> bed;
};

void tst_DetailReport::barePatient()
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

void tst_DetailReport::fullPatient()
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

void tst_DetailReport::interventionFitsTheWidthLimit_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("cut");
    QTest::newRow("exactly 6220 twips") << 6220 << false;
    QTest::newRow("one twip wider") << 6221 << true;
}

void tst_DetailReport::interventionFitsTheWidthLimit()
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

void tst_DetailReport::sixtyVisitsSpanPages()
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

QTEST_MAIN(tst_DetailReport)
#include "tst_DetailReport.moc"
