#pragma once

#include "SearchRecords.h"
#include "clsSearchSpecs.h"
#include "clsViewSpecs.h"

#include <QList>
#include <QString>
#include <memory>

// What the search window knows of one kind of record: the statements it runs, the fields
// it can search by, the grid's columns and the records a listing is read into.
struct SearchKindDefinition {
    // The kind named "Patient", "Doctor", "Drug" or "HealthFactor"; nullptr for any other.
    static const SearchKindDefinition* Find(const QString& name);

    QString listingSql;
    QString searchBase;
    QList<clsSearchSpecs> searchFields;
    QList<clsViewSpecs> columns;
    std::unique_ptr<SearchRecords> (*makeRecords)() = nullptr;
};
