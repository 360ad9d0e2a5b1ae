#include "ViewDefinition.h"

#include "AppDatabase.h"

namespace {

std::vector<ViewDefinition> makeViews()
{
    using F = CellFormat;
    return {
        {"Patient", "  Patients", "picPatients", "people", "Patients",
         "Work with patient information", "Create new patient record",
         "SELECT * from patients order by lname",
         {{"ID", 500, "ptid"}, {"Last Name", 0, "lname"}, {"First Name", 1770, "fname"},
          {"D.O.B.", 1080, "birthdate", F::LongDate}}},
        {"Doctor", "  Doctors", "picDoctors", "doctor", "Doctors",
         "Work with doctor information", "Create new doctor record",
         "SELECT * from doctors order by lname",
         {{"ID", 500, "doctorid"}, {"Last Name", 0, "lname"}, {"First Name", 1770, "fname"},
          {"Classification", 1080, "classification"}}},
        {"Drug", "  Drugs", "picDrugs", "drugs", "Drugs", "Work with drug information",
         "Create new drug record", "SELECT * from drugs order by drugdesc",
         {{"ID", 600, "drugid"}, {"Name", 0, "drugdesc"}}},
        {"HealthFactor", "  Health Factors", "picHF", "nosmoking", "Health Factors",
         "Work with health factor information", "Create new health factor record",
         "SELECT * from healthfactors",
         {{"ID", 600, "condid"}, {"Description", 0, "conddesc"}}},
        {"LabVisits", "  Lab Visits (Last 50)", "piclabvisit", "calendar", "Lab Visits",
         "View last 50 lab visit result entries", "",
         "SELECT top 50 labvisits.*,patients.LName,patients.FName from labvisits inner join "
         "patients on patients.ptid=labvisits.ptid order by labdate desc",
         {{"ID", 600, "id"}, {"Patient", 0, "", F::PatientName},
          {"Lab Date", 1240, "labdate", F::ShortDate}}},
        {"Communications", "  Patient Communications (Last 50)", "picCom", "comm",
         "Patient Communications", "View last 50 patient contact entries", "",
         "SELECT top 50 communications.*,patients.LName,patients.FName from communications "
         "inner join patients on patients.ptid=communications.ptid order by "
         "communications.calldate desc",
         {{"ID", 600, "id"}, {"Patient", 0, "", F::PatientName},
          {"Call Date", 1000, "calldate", F::ShortDate},
          {"Success", 960, "complete", F::YesNo}}},
    };
}

} // namespace

const std::vector<ViewDefinition>& ViewDefinition::All()
{
    static const std::vector<ViewDefinition> views = makeViews();
    return views;
}

const ViewDefinition& ViewDefinition::ForKind(const QString& kind)
{
    for (const ViewDefinition& view : All()) {
        if (view.kind == kind)
            return view;
    }
    return All().front();
}

std::vector<QStringList> ViewDefinition::ReadRows() const
{
    auto recordset = AppDatabase().OpenRecordset(sql, dbOpenForwardOnly);
    std::vector<ColumnReader> readers;
    for (const ViewColumn& column : columns)
        readers.emplace_back(column, recordset->Fields());
    std::vector<QStringList> rows;
    for (; !recordset->Eof(); recordset->MoveNext()) {
        QStringList cells;
        cells.reserve(qsizetype(readers.size()));
        for (const ColumnReader& reader : readers)
            cells.append(reader.Text());
        rows.push_back(std::move(cells));
    }
    recordset->Close();
    return rows;
}
