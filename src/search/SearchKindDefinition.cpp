#include "SearchKindDefinition.h"

#include "DoctorResults.h"
#include "DrugResults.h"
#include "HealthFactorResults.h"
#include "PatientResults.h"

#include <QHash>

namespace
{

template <class Results> std::unique_ptr<SearchRecords> make()
{
    return std::make_unique<Results>();
}

// The bases of the listing and of a search differ in their trailing blank for drugs only.
QHash<QString, SearchKindDefinition> kinds()
{
    const clsSearchSpecs firstName(QStringLiteral("fname"), QStringLiteral("First Name"));
    const clsSearchSpecs lastName(QStringLiteral("lname"), QStringLiteral("Last Name"));
    const clsViewSpecs id(QStringLiteral("ID"), QStringLiteral("ID"), 600);
    QHash<QString, SearchKindDefinition> all;
    all.insert(QStringLiteral("Patient"),
               {QStringLiteral("SELECT * from patients "),
                QStringLiteral("SELECT * from patients "),
                {firstName, lastName},
                {id,
                 {QStringLiteral("fname"), QStringLiteral("First"), 1800},
                 {QStringLiteral("lname"), QStringLiteral("Last"), 1800},
                 {QStringLiteral("birthdate"), QStringLiteral("D.O.B."), 1080}},
                make<PatientResults>});
    all.insert(QStringLiteral("Doctor"),
               {QStringLiteral("SELECT * from doctors "),
                QStringLiteral("SELECT * from doctors "),
                {firstName, lastName},
                {id,
                 {QStringLiteral("fname"), QStringLiteral("First"), 1600},
                 {QStringLiteral("lname"), QStringLiteral("Last"), 1600},
                 {QStringLiteral("classification"), QStringLiteral("Class."), 1480}},
                make<DoctorResults>});
    all.insert(QStringLiteral("Drug"),
               {QStringLiteral("SELECT * from drugs"),
                QStringLiteral("SELECT * from drugs "),
                {{QStringLiteral("drugdesc"), QStringLiteral("Name")}},
                {{QStringLiteral("DrugID"), QStringLiteral("ID"), 600},
                 {QStringLiteral("drugdesc"), QStringLiteral("Name"), 4680}},
                make<DrugResults>});
    all.insert(QStringLiteral("HealthFactor"),
               {QStringLiteral("SELECT * from healthfactors"),
                QStringLiteral("SELECT * from healthfactors"),
                {{QStringLiteral("conddesc"), QStringLiteral("Description")}},
                {{QStringLiteral("condid"), QStringLiteral("ID"), 600},
                 {QStringLiteral("conddesc"), QStringLiteral("Description"), 4680}},
                make<HealthFactorResults>});
    return all;
}

} // namespace

const SearchKindDefinition* SearchKindDefinition::Find(const QString& name)
{
    static const QHash<QString, SearchKindDefinition> all = kinds();
    const auto found = all.constFind(name);
    return found == all.cend() ? nullptr : &*found;
}
