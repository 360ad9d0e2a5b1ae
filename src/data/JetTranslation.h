#pragma once

#include <QHash>
#include <QString>

// SQL text ready for SQLite, with what the original said about its result columns.
struct JetTranslation {
    enum Kind { Select, Action };

    Kind kind = Select;
    QString sql;
    // Type and width of computed result columns, by case-folded column name.
    QHash<QString, std::pair<int, int>> columnTypes;
};
