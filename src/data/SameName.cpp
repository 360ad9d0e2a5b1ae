#include "SameName.h"

namespace {

char16_t foldAscii(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
}

} // namespace

bool SameName(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const char16_t x = a[i].unicode();
        const char16_t y = b[i].unicode();
        if (x == y || (x < 128 && y < 128 && foldAscii(x) == foldAscii(y)))
            continue;
        if (x < 128 && y < 128)
            return false;
        return a.compare(b, Qt::CaseInsensitive) == 0;
    }
    return true;
}
