#pragma once

#include <QDate>

class PageSurface;

// What a report writer is handed: the page, today's date read once for the whole job (so a
// job running over midnight logs the date it printed), and whether it draws a preview only,
// which asks nothing and logs nothing.
struct PrintJob {
    PageSurface& page;
    QDate today;
    bool preview = false;
};
