#include "PrintPatientDetail.h"

#include "AppDatabase.h"
#include "FieldText.h"
#include "Messages.h"
#include "PageLayout.h"
#include "PageSurface.h"
#include "PrintJob.h"

#include <functional>
#include <vector>

namespace {

using TextOfRow = std::function<QString(const FieldList& row)>;

const QString NoEntries = QStringLiteral("<currently no entries>");
// The intervention stops 300 twips short of the header rule's end.
constexpr int InterventionX = 5000;
constexpr int InterventionWidth = PageGeometry::RuleEnd - InterventionX - 300;

QString text(const FieldList& row, const char* name)
{
    return FieldText(row[name]).toString();
}

// A stored value as printed: dates as M/d/yyyy, numbers in their shortest form.
QString plain(const FieldList& row, const char* name)
{
    const QVariant value = FieldText(row[name]);
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().date().toString(u"M/d/yyyy");
    if (value.typeId() == QMetaType::Double)
        return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    return value.toString();
}

// A list section: one line per linked row, printed only when its key field has text.
struct ListSection {
    QString heading;
    QString sql;
    const char* key;
    TextOfRow line;
};

const std::vector<ListSection>& listSections()
{
    static const std::vector<ListSection> sections{
        {QStringLiteral("Patient of Doctor:"),
         QStringLiteral("SELECT Comment,  LName, FName, Classification FROM  PatientsDoctors INNER "
                        "JOIN Doctors ON PatientsDoctors.Doctorid = Doctors.Doctorid  WHERE PtID = "),
         "LName",
         [](const FieldList& row) {
             return text(row, "LName") + QStringLiteral(", ") + text(row, "FName") +
                    text(row, "Classification") + text(row, "Comment");
         }},
        {QStringLiteral("Health Factors"),
         QStringLiteral("SELECT Comment, CondDesc  FROM  PatientFactors INNER JOIN HealthFactors ON "
                        "PatientFactors.CondID = HealthFactors.CondID WHERE PtID = "),
         "CondDesc", [](const FieldList& row) { return text(row, "CondDesc") + text(row, "Comment"); }},
        {QStringLiteral("Current Medications"),
         QStringLiteral("SELECT DrugDesc, Comment  FROM  Schedule INNER JOIN Drugs ON Schedule.DrugID "
                        "= Drugs.DrugID WHERE PtID = "),
         "DrugDesc", [](const FieldList& row) { return text(row, "DrugDesc") + text(row, "Comment"); }},
    };
    return sections;
}

// A table section: column titles once, then one row per record at the columns' x.
struct TableColumn {
    QString title;
    int x;
    TextOfRow cell;
    // Cut to the width left before the rule's end.
    bool fitted = false;
};
struct TableSection {
    QString heading;
    QString sql;
    QString ordering;
    std::vector<TableColumn> columns;
};

TextOfRow plainField(const char* name)
{
    return [name](const FieldList& row) { return plain(row, name); };
}

const std::vector<TableSection>& tableSections()
{
    static const std::vector<TableSection> sections{
        {QStringLiteral("Blood work performed"),
         QStringLiteral("SELECT LabDate, OverallCL, HDL, LDL, the_intervention  FROM  LabVisits WHERE "
                        "PtID = "),
         QStringLiteral(" ORDER by LabDate DESC"),
         {{QStringLiteral("Lab Date"), 720, plainField("LabDate")},
          {QStringLiteral("Total Ch"), 2000, plainField("OverallCL")},
          {QStringLiteral("HDL"), 3000, plainField("HDL")},
          {QStringLiteral("LDL"), 4000, plainField("LDL")},
          {QStringLiteral("Intervention"), InterventionX, plainField("the_intervention"), true}}},
        {QStringLiteral("Communications with patient"),
         QStringLiteral("SELECT CallDate, CallTime, Result, Complete FROM Communications WHERE PtID = "),
         QStringLiteral(" ORDER BY CallDate DESC, CallTime DESC"),
         {{QStringLiteral("Date"), 720, plainField("CallDate")},
          {QStringLiteral("Time"), 2000, plainField("CallTime")},
          {QStringLiteral("Completed"), 3000,
           [](const FieldList& row) {
               return FieldText(row["Complete"]).toBool() ? QStringLiteral("yes") : QStringLiteral("no");
           }},
          {QStringLiteral("Result"), 4000, plainField("Result")}}},
    };
    return sections;
}

class DetailReport {
public:
    DetailReport(PageSurface& page, QString ptid) : page(page), ptid(std::move(ptid)) {}

    void Print(const FieldList& patient);

private:
    void line(const QString& text);
    void heading(const QString& text);
    void lineIfAny(const QString& text);
    void printList(const ListSection& section);
    void printTable(const TableSection& section);
    void printBloodPressure();
    QString fitted(const QString& text) const;

    PageSurface& page;
    QString ptid;
    QString title;
};

void DetailReport::line(const QString& text)
{
    NextLine(page, title);
    page.PrintLine(text);
}

void DetailReport::heading(const QString& text)
{
    NextHeading(page, title);
    page.PrintLine(text);
}

void DetailReport::lineIfAny(const QString& text)
{
    if (!text.isEmpty())
        line(text);
}

void DetailReport::Print(const FieldList& patient)
{
    page.SetFontName(QStringLiteral("Times New Roman"));
    title = text(patient, "Lname") + QStringLiteral(", ") + text(patient, "Fname") + u' ' +
            text(patient, "mi");
    PrintPageHeader(page, title);
    page.SetFontSize(PageGeometry::BaseFontSize);
    NextLine(page, title);
    heading(QStringLiteral("Contact Info"));
    lineIfAny(text(patient, "address1"));
    lineIfAny(text(patient, "address2"));
    if (!text(patient, "city").isEmpty())
        line(text(patient, "city") + QStringLiteral(", ") + text(patient, "st") +
             QStringLiteral("  ") + text(patient, "zip"));
    lineIfAny(text(patient, "phone"));
    lineIfAny(text(patient, "email"));
    heading(QStringLiteral("Date of Brith"));
    line(plain(patient, "birthdate"));
    heading(QStringLiteral("Sex"));
    line(text(patient, "sex"));
    for (const ListSection& section : listSections())
        printList(section);
    printBloodPressure();
    for (const TableSection& section : tableSections())
        printTable(section);
    PrintPageFooter(page);
}

void DetailReport::printList(const ListSection& section)
{
    heading(section.heading);
    auto rs = AppDatabase().OpenRecordset(section.sql + ptid);
    if (rs->Eof())
        line(NoEntries);
    for (; !rs->Eof(); rs->MoveNext()) {
        NextLine(page, title);
        if (!text(rs->Fields(), section.key).isEmpty())
            page.PrintLine(section.line(rs->Fields()));
    }
    rs->Close();
}

void DetailReport::printBloodPressure()
{
    heading(QStringLiteral("Blood Pressure"));
    auto rs = AppDatabase().OpenRecordset(
        QStringLiteral("SELECT systolic, diastolic FROM  Patients where PtID = ") + ptid);
    if (!rs->Eof()) {
        const FieldList& row = rs->Fields();
        line(plain(row, "systolic") == u"0"
                 ? QStringLiteral("<not entered>")
                 : plain(row, "systolic") + u'/' + plain(row, "diastolic"));
    }
    rs->Close();
}

void DetailReport::printTable(const TableSection& section)
{
    heading(section.heading);
    auto rs = AppDatabase().OpenRecordset(section.sql + ptid + section.ordering);
    if (rs->Eof())
        line(NoEntries);
    const auto printRow = [this, &section](const std::function<QString(const TableColumn&)>& cell) {
        NextLine(page, title);
        for (size_t i = 0; i < section.columns.size(); ++i) {
            const TableColumn& column = section.columns[i];
            page.SetCurrentX(column.x);
            if (i + 1 < section.columns.size())
                page.PrintText(cell(column));
            else
                page.PrintLine(cell(column));
        }
    };
    if (!rs->Eof())
        printRow([](const TableColumn& column) { return column.title; });
    for (; !rs->Eof(); rs->MoveNext()) {
        printRow([&](const TableColumn& column) {
            const QString value = column.cell(rs->Fields());
            return column.fitted ? fitted(value) : value;
        });
    }
    rs->Close();
}

// The intervention cut to the longest start that fits, less three characters, and "...".
QString DetailReport::fitted(const QString& text) const
{
    if (page.TextWidth(text) <= InterventionWidth)
        return text;
    QString cut = text;
    while (page.TextWidth(cut) > InterventionWidth)
        cut.chop(1);
    cut.chop(3);
    return cut + QStringLiteral("...");
}

} // namespace

void PrintPatientDetail(PrintJob& job, const QString& ptid)
{
    auto rs = AppDatabase().OpenRecordset(QStringLiteral("SELECT * from Patients WHERE ptid = ") + ptid);
    if (rs->Eof()) {
        ShowAttention(QStringLiteral("Patient ") + ptid +
                      QStringLiteral(" is no longer in the database; it may have been deleted on "
                                     "another workstation."));
        return;
    }
    DetailReport(job.page, ptid).Print(rs->Fields());
    rs->Close();
    job.page.EndDoc();
}
