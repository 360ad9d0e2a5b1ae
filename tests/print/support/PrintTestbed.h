#pragma once

// Shared by the report tests: the window test bed's database and answers, patients due on a
// fixed day, and a report run on the recording surface.

#include "ListWindowTestbed.h"
#include "PrintJob.h"
#include "RecordingSurface.h"

#include <QDate>

// The day every job of these tests prints on: not the clock's, so that a report reading the
// clock instead of its job's date is caught.
inline const QDate Today(2026, 3, 17);

inline QString UsDate(QDate date) { return date.toString(u"MM/dd/yyyy"); }

inline void Sql(const QString& sql) { ListWindowTestbed::Exec(sql); }

// A patient with an address, due on the given day.
inline void AddDuePatient(int ptid, const QString& lastName, QDate callDate, const QString& address2 = QString())
{
    Sql(QStringLiteral("INSERT INTO Patients (ptid, lname, fname, phone, address1, address2, city, st, zip, calldate) "
                       "VALUES (%1, '%2', 'Ann', '555-01%1', '%1 Elm St', '%3', 'Dover', 'DE', '19901', #%4#)")
            .arg(ptid).arg(SqlQuote(lastName), address2, UsDate(callDate)));
}

// A general practitioner, the patient's doctor.
inline void AddDoctor(int doctorId, const QString& lastName, int ptid)
{
    Sql(QStringLiteral("INSERT INTO Doctors VALUES (%1, '%2', 'Lee', 'GP')").arg(doctorId).arg(lastName));
    Sql(QStringLiteral("INSERT INTO PatientsDoctors VALUES (%1, %2, %1, '')").arg(doctorId).arg(ptid));
}

// Visits a month apart from the first date; total cholesterol, HDL and LDL rise by one a visit.
inline void AddVisits(int ptid, QDate first, int count)
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

inline QString At(int x, int y) { return QStringLiteral(" %1,%2").arg(x).arg(y); }

// Each item in the order drawn: a line as "line x,y to x2,y2", a picture as "picture x,y size
// w,h", a text as "text x,y" and its size, bold and underline where not plain 10 point; each
// followed by its page when not the first.
inline QStringList Layout(const RecordingSurface& page)
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
