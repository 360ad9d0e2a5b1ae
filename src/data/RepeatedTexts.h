#pragma once

#include <QString>
#include <QVariant>
#include <array>

// One column's texts as strings, handing out one shared string for an ASCII text the column
// repeats (surnames, first names, cities, states) instead of decoding and allocating it again
// for every row. A column whose texts seldom repeat stops looking after a trial.
class RepeatedTexts {
public:
    // The text as a variant; built straight from the shared string, so that a repeat costs
    // one reference more and nothing else.
    QVariant Value(const char* utf8, int bytes);

private:
    static constexpr unsigned kSlotBits = 6;
    static constexpr unsigned kSlots = 1u << kSlotBits;
    static constexpr int kTrial = 512;

    std::array<QString, kSlots> m_slots;
    int m_tries = 0;
    int m_hits = 0;
    bool m_off = false;
};
