#pragma once

#include <QStringView>

// Whether two table or field names are the same without regard to letter case. Names are
// nearly always ASCII: those are compared without building folded copies.
bool SameName(QStringView a, QStringView b);
