#include "SampleRecords.h"

int SampleRecords::between(int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(m_random);
}

bool SampleRecords::chance(int percent)
{
    return between(1, 100) <= percent;
}

const char* SampleRecords::pick(std::initializer_list<const char*> words)
{
    return words.begin()[between(0, int(words.size()) - 1)];
}

QDateTime SampleRecords::day(int fromYear, int toYear)
{
    const QDate date(between(fromYear, toYear), between(1, 12), between(1, 28));
    return QDateTime(date, QTime(0, 0), Qt::UTC);
}

PatientSample SampleRecords::Patient(int ptid)
{
    PatientSample p;
    p.ptid = ptid;
    p.lname = QString::fromUtf8(pick(
        {"Smith",     "Johnson", "Williams", "Brown",    "Jones",  "Miller", "Davis",     "García",
         "Rodriguez", "Wilson",  "Martinez", "Anderson", "Taylor", "Thomas", "Hernandez", "Moore",
         "Müller",    "O'Brien", "Jackson",  "Lee",      "Nguyen", "Walker"}));
    p.fname = QString::fromLatin1(pick({"James", "Mary", "Robert", "Patricia", "John", "Jennifer",
                                        "Michael", "Linda", "David", "Elizabeth", "William",
                                        "Barbara", "Richard", "Susan", "Joseph", "Jessica"}));
    p.mi = QString(QChar(u'A' + between(0, 25)));
    p.sex = QString::fromLatin1(chance(50) ? "M" : "F");
    p.address1 = QStringLiteral("%1 %2 %3")
                     .arg(between(1, 9999))
                     .arg(QLatin1String(pick({"Maple", "Oak", "Pine", "Cedar", "Elm", "Lake",
                                              "Hill", "Washington", "Park", "Main"})))
                     .arg(QLatin1String(pick({"St", "Ave", "Rd", "Blvd", "Ln", "Dr"})));
    if (chance(20))
        p.address2 = QStringLiteral("Apt %1").arg(between(1, 400));
    p.city = QString::fromLatin1(pick({"Springfield", "Riverside", "Franklin", "Greenville",
                                       "Bristol", "Clinton", "Fairview", "Salem", "Madison"}));
    p.st = QString::fromLatin1(pick({"IL", "OH", "PA", "NY", "TX", "CA", "MA", "WI", "OR"}));
    p.zip = QStringLiteral("%1").arg(between(10000, 99999));
    p.phone = QStringLiteral("(%1) %2-%3")
                  .arg(between(201, 989))
                  .arg(between(200, 999))
                  .arg(between(1000, 9999));
    if (chance(60))
        p.cellphone = QStringLiteral("(%1) %2-%3")
                          .arg(between(201, 989))
                          .arg(between(200, 999))
                          .arg(between(1000, 9999));
    if (chance(70))
        p.email = QStringLiteral("%1.%2@example.com").arg(p.fname.toLower()).arg(ptid);
    if (chance(30))
        p.comment = QString::fromLatin1(
            pick({"Prefers morning appointments.", "Call the cell phone first, works nights.",
                  "Allergic to penicillin. Family history of stroke.",
                  "Moved from another practice in spring."}));
    p.birthdate = day(1930, 2000);
    if (chance(85))
        p.callDate = day(2024, 2027);
    p.goalChol = between(170, 220);
    p.goalLdl = between(70, 130);
    p.systolic = between(100, 170);
    p.diastolic = between(60, 100);
    return p;
}

VisitSample SampleRecords::Visit(int patientCount)
{
    VisitSample v;
    v.ptid = between(1, patientCount);
    v.labDate = day(2012, 2026);
    const int ranges[][2] = {{130, 320}, {25, 95}, {50, 220}, {2, 180},  {40, 500}, {4, 20},
                             {0, 12},    {8, 60},  {7, 70},   {25, 400}, {0, 8},    {65, 200}};
    for (size_t i = 0; i < v.results.size(); ++i) {
        if (i < 3 || chance(70))
            v.results[i] = between(ranges[i][0], ranges[i][1]);
    }
    if (chance(40))
        v.intervention = QString::fromLatin1(
            pick({"Diet and exercise counselling.", "Started statin, recheck in 3 months.",
                  "Dose increased; liver panel next visit.",
                  "No change. Continue current medication."}));
    v.addDate = v.labDate.addDays(between(0, 5)).addSecs(between(8 * 3600, 17 * 3600));
    return v;
}

ContactSample SampleRecords::Contact(int patientCount)
{
    ContactSample c;
    c.ptid = between(1, patientCount);
    c.callDate = day(2012, 2026);
    c.callTime = QTime(between(8, 17), between(0, 59), between(0, 59)).toString(u"HH:mm:ss");
    c.complete = chance(70);
    c.result = QString::fromLatin1(
        c.complete ? pick({"Reminded of lab work due.", "Appointment made for next week.",
                           "Spoke to spouse, will call back."})
                   : pick({"No answer.", "Left message on machine.", "Number disconnected."}));
    return c;
}
