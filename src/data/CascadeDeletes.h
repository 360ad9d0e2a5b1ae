#pragma once

#include <QString>

class Database;

// Each removes a record and every row that refers to it, all or nothing.
// The identifier is given as the text the windows hold.
void DeletePatient(const QString& id);
void DeleteDoctor(const QString& id);
void DeleteDrug(const QString& id);
void DeleteHealthFactor(const QString& id);

void DeletePatient(Database& db, const QString& id);
void DeleteDoctor(Database& db, const QString& id);
void DeleteDrug(Database& db, const QString& id);
void DeleteHealthFactor(Database& db, const QString& id);
