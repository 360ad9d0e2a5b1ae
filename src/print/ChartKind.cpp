#include "ChartKind.h"

#include "TextRoutines.h"
#include "clsLabVisit.h"

#include <iterator>

namespace {

// The HDL kind leaves the setup window with a trailing blank; Find trims it away.
const ChartKind kinds[] = {
    {QStringLiteral("Total Cholesterol Levels"), "optTCChart", QStringLiteral("Total Cholesterol"),
     QStringLiteral("Total Cholesterol Levels"), "OverallCL", &clsLabVisit::OverallCL, 100, 800, 7, 1,
     "goal_chol"},
    {QStringLiteral("HDL Levels"), "optHDL", QStringLiteral("HDL Levels"),
     QStringLiteral("HDL Levels "), "HDL", &clsLabVisit::HDL, 0, 100, 10, 1, nullptr},
    {QStringLiteral("LDL Levels"), "optLDL", QStringLiteral("LDL Levels"),
     QStringLiteral("LDL Levels"), "LDL", &clsLabVisit::LDL, 50, 300, 5, 1, "goal_ldl"},
};

} // namespace

const ChartKind* ChartKind::Find(const QString& kind)
{
    const QString trimmed = TrimText(kind);
    for (const ChartKind& row : kinds) {
        if (row.kind == trimmed)
            return &row;
    }
    return nullptr;
}

const ChartKind& ChartKind::At(int index)
{
    return kinds[index];
}

int ChartKind::Count()
{
    return int(std::size(kinds));
}
