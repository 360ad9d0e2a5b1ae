#include "BenchDatabases.h"

#include "GeneratedDatabase.h"

namespace BenchDatabases
{

const QString& Large()
{
    static const QString path = GeneratedDatabase::Ensure({kLargePatients, kLargeVisits});
    return path;
}

const QString& Small()
{
    static const QString path = GeneratedDatabase::Ensure({kSmallPatients, kSmallVisits});
    return path;
}

const QString& Practice()
{
    static const QString path = GeneratedDatabase::Ensure(
        {kLargePatients, kLargeVisits, kPracticeContacts, kBusyPatientVisits, kChartedPatientVisits});
    return path;
}

} // namespace BenchDatabases
