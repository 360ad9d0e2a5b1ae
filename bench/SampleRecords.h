#pragma once

#include <QDateTime>
#include <QString>
#include <array>
#include <optional>
#include <random>

// One made-up patient; a null text is a field left Null.
struct PatientSample {
    int ptid = 0;
    QString lname, fname, mi, sex, address1, address2, city, st, zip, phone, cellphone, email,
        comment;
    QDateTime birthdate;
    std::optional<QDateTime> callDate;
    int goalChol = 0, goalLdl = 0, systolic = 0, diastolic = 0;
};

// One made-up lab visit; results not taken are Null.
struct VisitSample {
    static constexpr const char* kResultFields[] = {"OverallCL",     "HDL",    "LDL", "Lp_a",
                                                    "Triglycerides", "HMCYST", "CRP", "SGOT_AST",
                                                    "SGPT_ALT",      "CPK",    "TSH", "GLUC"};

    int ptid = 0;
    QDateTime labDate;
    std::array<std::optional<int>, std::size(kResultFields)> results;
    QString intervention;
    QDateTime addDate;
};

// One made-up contact entry: a call to a patient and how it went.
struct ContactSample {
    int ptid = 0;
    QDateTime callDate;
    QString callTime, result;
    bool complete = false;
};

// Plausible patients and lab visits, the same sequence for the same seed.
class SampleRecords
{
public:
    explicit SampleRecords(unsigned seed) : m_random(seed) {}

    PatientSample Patient(int ptid);
    VisitSample Visit(int patientCount);
    ContactSample Contact(int patientCount);

private:
    int between(int low, int high);
    bool chance(int percent);
    const char* pick(std::initializer_list<const char*> words);
    QDateTime day(int fromYear, int toYear);

    std::mt19937 m_random;
};
