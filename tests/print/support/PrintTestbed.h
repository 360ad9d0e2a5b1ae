#pragma once

// Shared by the report tests: the window test bed's database and answers, patients due on a
// fixed day, and a report run on the recording surface.

#include "ListWindowTestbed.h"
#include "PrintJob.h"
#include "RecordingSurface.h"

#include <QDate>
#include <algorithm>

// The day every job of these tests prints on: not the clock's, so that a report reading the
// clock instead of its job's date is caught.
inline const QDate Today(2026, 3, 17);

inline QString UsDate(QDate date)
{
    return date.toString(u"MM/dd/yyyy");
}

// A patient with an address, due on the given day.
inline void AddDuePatient(int ptid, const QString& lastName, QDate callDate,
                          const QString& address2 = QString())
{
    ListWindowTestbed::Exec(
        QStringLiteral("INSERT INTO Patients (ptid, lname, fname, phone, address1, address2, city, "
                       "st, zip, calldate) VALUES (%1, '%2', 'Ann', '555-01%1', '%1 Elm St', '%3', "
                       "'Dover', 'DE', '19901', #%4#)")
            .arg(ptid)
            .arg(SqlQuote(lastName), address2, UsDate(callDate)));
}

inline void AddDoctor(int doctorId, const QString& lastName, int ptid)
{
    ListWindowTestbed::Exec(QStringLiteral("INSERT INTO Doctors (doctorid, lname, fname, "
                                           "classification) VALUES (%1, '%2', 'Lee', 'GP')")
                                .arg(doctorId)
                                .arg(lastName));
    ListWindowTestbed::Exec(
        QStringLiteral("INSERT INTO PatientsDoctors (id, ptid, doctorid, comment) VALUES (%1, %2, "
                       "%1, '')")
            .arg(doctorId)
            .arg(ptid));
}

inline int PrintLogRows()
{
    return ListWindowTestbed::Value(QStringLiteral("SELECT count(*) FROM PrintLog")).toInt();
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

inline std::vector<RecordingSurface::Item> TextsOnPage(const RecordingSurface& page, int number)
{
    std::vector<RecordingSurface::Item> texts = page.Texts();
    std::erase_if(texts, [number](const RecordingSurface::Item& item) { return item.page != number; });
    return texts;
}
