#pragma once

#include <QString>

struct sqlite3;

// A Velmora file filled with plausible patients, lab visits and contact entries. It is
// generated once, straight through SQLite for speed, and kept under the build folder for
// the next run.
class GeneratedDatabase
{
public:
    struct Content {
        int patients = 0;
        int visits = 0;
        int contacts = 0;
        // How many of the visits belong to patient BusyPatient and no other: a known
        // patient with a long blood work list. The rest never go to that patient.
        int busyPatientVisits = 0;
        // The same for patient ChartedPatient: a long history to chart.
        int chartedPatientVisits = 0;
    };
    static constexpr int BusyPatient = 4242;
    static constexpr int ChartedPatient = 4343;

    // The path of the cached file; generated when missing or made by an older schema.
    static QString Ensure(const Content& content);
    // The rows as the engine would store them, in one transaction.
    static void Fill(sqlite3* db, const Content& content);

private:
    static QString fileName(const Content& content);
    static bool isCurrent(const QString& path, const Content& content);
    static QString schemaText(sqlite3* db);
    static void generate(const QString& path, const Content& content);
};
