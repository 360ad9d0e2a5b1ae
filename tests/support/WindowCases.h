#pragma once

#include "ListWindowTestbed.h"

#include <QtTest>

#include <cstddef>
#include <memory>

// Runs every case once for each twin window of a table, tagged with the member `tag`.
template <class Twin, std::size_t N> void AddTwinRows(const Twin (&twins)[N], QString Twin::*tag)
{
    QTest::addColumn<int>("twin");
    for (std::size_t i = 0; i < N; ++i)
        QTest::newRow(qPrintable(twins[i].*tag)) << int(i);
}

// What every window case shares: a fresh test bed and, once the window is gone, no question
// left unanswered and no window left open.
template <class Window> class WindowCases {
protected:
    void start() { bed = std::make_unique<ListWindowTestbed>(); }
    void finish()
    {
        window.reset();
        QCOMPARE(bed->Loose(), QStringList());
        bed.reset();
    }

    std::unique_ptr<ListWindowTestbed> bed;
    std::unique_ptr<Window> window;
};
