#include "JetFunctions.h"

#include "DaoType.h"
#include "JetDate.h"
#include "JetPattern.h"

#include <QString>
#include <cmath>
#include <limits>
#include <sqlite3.h>

namespace JetFunctions {

namespace {

QString textArg(sqlite3_value* v)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)),
                             sqlite3_value_bytes(v));
}

void resultText(sqlite3_context* ctx, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_result_text(ctx, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void resultError(sqlite3_context* ctx, const QString& message)
{
    const QByteArray utf8 = message.toUtf8();
    sqlite3_result_error(ctx, utf8.constData(), int(utf8.size()));
}

int collate(void*, int aLength, const void* a, int bLength, const void* b)
{
    return CompareText(static_cast<const char*>(a), aLength, static_cast<const char*>(b), bLength);
}

void like(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    // The compiled pattern is kept with the statement while the pattern stays the same.
    auto* pattern = static_cast<JetPattern*>(sqlite3_get_auxdata(ctx, 0));
    if (!pattern) {
        auto compiled = JetPattern::Compile(textArg(argv[0]));
        if (!compiled)
            return resultError(ctx, QStringLiteral("Invalid pattern string: a '[' is not closed."));
        pattern = new JetPattern(std::move(*compiled));
        sqlite3_set_auxdata(ctx, 0, pattern, [](void* p) { delete static_cast<JetPattern*>(p); });
    }
    sqlite3_result_int(ctx, pattern->Matches(textArg(argv[1])) ? 1 : 0);
}

void ucase(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    resultText(ctx, textArg(argv[0]).toUpper());
}

void lcase(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    resultText(ctx, textArg(argv[0]).toLower());
}

const char* typeName(int type)
{
    switch (type) {
    case dbBoolean:
        return "Yes/No";
    case dbInteger:
        return "Integer";
    case dbLong:
        return "Long Integer";
    case dbDate:
        return "Date/Time";
    default:
        return "Number";
    }
}

// A number from a stored value: integers as they are, text when it reads as a number.
std::optional<double> numberOf(sqlite3_value* v)
{
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
        return double(sqlite3_value_int64(v));
    case SQLITE_FLOAT:
        return sqlite3_value_double(v);
    default: {
        bool ok = false;
        const double d = textArg(v).trimmed().toDouble(&ok);
        return ok && std::isfinite(d) ? std::optional<double>(d) : std::nullopt;
    }
    }
}

void overflow(sqlite3_context* ctx, const QString& value, int type, const QString& field)
{
    resultError(ctx, QStringLiteral("Overflow: %1 does not fit the %2 field '%3'.")
                         .arg(value, QLatin1String(typeName(type)), field));
}

void mismatch(sqlite3_context* ctx, sqlite3_value* v, int type, const QString& field)
{
    resultError(ctx, QStringLiteral("Data type mismatch: '%1' cannot be stored in the %2 field "
                                    "'%3'.")
                         .arg(textArg(v), QLatin1String(typeName(type)), field));
}

void storeWhole(sqlite3_context* ctx, sqlite3_value* v, int type, const QString& field)
{
    const qint64 low = type == dbInteger ? -32768 : std::numeric_limits<qint32>::min();
    const qint64 high = type == dbInteger ? 32767 : std::numeric_limits<qint32>::max();
    qint64 n = 0;
    if (sqlite3_value_type(v) == SQLITE_INTEGER) {
        n = sqlite3_value_int64(v);
    } else {
        const auto number = numberOf(v);
        if (!number)
            return mismatch(ctx, v, type, field);
        const double rounded = std::nearbyint(*number); // half to even
        if (rounded < double(low) || rounded > double(high))
            return overflow(ctx, textArg(v), type, field);
        n = qint64(rounded);
    }
    if (n < low || n > high)
        return overflow(ctx, QString::number(n), type, field);
    sqlite3_result_int64(ctx, n);
}

void storeBoolean(sqlite3_context* ctx, sqlite3_value* v, const QString& field)
{
    if (sqlite3_value_type(v) == SQLITE_TEXT) {
        const QString word = textArg(v).trimmed();
        for (const char* yes : {"true", "yes", "on"}) {
            if (word.compare(QLatin1String(yes), Qt::CaseInsensitive) == 0)
                return sqlite3_result_int(ctx, 1);
        }
        for (const char* no : {"false", "no", "off"}) {
            if (word.compare(QLatin1String(no), Qt::CaseInsensitive) == 0)
                return sqlite3_result_int(ctx, 0);
        }
    }
    const auto number = numberOf(v);
    if (!number)
        return mismatch(ctx, v, dbBoolean, field);
    sqlite3_result_int(ctx, *number != 0 ? 1 : 0);
}

void storeDate(sqlite3_context* ctx, sqlite3_value* v, const QString& field)
{
    std::optional<QDateTime> date;
    if (sqlite3_value_type(v) == SQLITE_TEXT) {
        const char* text = reinterpret_cast<const char*>(sqlite3_value_text(v));
        date = JetDate::FromStorage(text, sqlite3_value_bytes(v));
        if (!date)
            date = JetDate::Parse(textArg(v));
    } else {
        date = JetDate::FromSerial(sqlite3_value_double(v));
    }
    if (!date)
        return mismatch(ctx, v, dbDate, field);
    resultText(ctx, JetDate::ToStorage(*date));
}

void storeText(sqlite3_context* ctx, sqlite3_value* v, int width)
{
    const char* text = reinterpret_cast<const char*>(sqlite3_value_text(v));
    int bytes = sqlite3_value_bytes(v);
    if (width > 0) {
        // Cut after `width` characters, never inside a UTF-8 sequence.
        int chars = 0, i = 0;
        for (; i < bytes; ++i) {
            if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && chars++ == width)
                break;
        }
        bytes = i;
    }
    sqlite3_result_text(ctx, text, bytes, SQLITE_TRANSIENT);
}

// jet_store(value, type, width, field name)
void store(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    sqlite3_value* v = argv[0];
    if (sqlite3_value_type(v) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    const int type = sqlite3_value_int(argv[1]);
    const QString field = textArg(argv[3]);
    switch (type) {
    case dbText:
        return storeText(ctx, v, sqlite3_value_int(argv[2]));
    case dbMemo:
        return storeText(ctx, v, 0);
    case dbInteger:
    case dbLong:
        return storeWhole(ctx, v, type, field);
    case dbBoolean:
        return storeBoolean(ctx, v, field);
    case dbDate:
        return storeDate(ctx, v, field);
    default: {
        const auto number = numberOf(v);
        if (!number)
            return mismatch(ctx, v, type, field);
        sqlite3_result_double(ctx, *number);
    }
    }
}

bool isAscii(const char* s, int length)
{
    for (int i = 0; i < length; ++i) {
        if (static_cast<unsigned char>(s[i]) >= 0x80)
            return false;
    }
    return true;
}

} // namespace

int CompareText(const char* a, int aLength, const char* b, int bLength)
{
    // Plain ASCII on both sides compares byte by byte with letters folded; the same order
    // as the full Unicode comparison below gives for such texts.
    if (isAscii(a, aLength) && isAscii(b, bLength)) {
        const int n = qMin(aLength, bLength);
        for (int i = 0; i < n; ++i) {
            const int ca = (a[i] >= 'A' && a[i] <= 'Z') ? a[i] + 32 : a[i];
            const int cb = (b[i] >= 'A' && b[i] <= 'Z') ? b[i] + 32 : b[i];
            if (ca != cb)
                return ca < cb ? -1 : 1;
        }
        return aLength == bLength ? 0 : (aLength < bLength ? -1 : 1);
    }
    const QString sa = QString::fromUtf8(a, aLength);
    const QString sb = QString::fromUtf8(b, bLength);
    const int c = sa.compare(sb, Qt::CaseInsensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

void Register(sqlite3* db)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_collation(db, "JETTEXT", SQLITE_UTF8, nullptr, collate);
    sqlite3_create_function(db, "like", 2, flags, nullptr, like, nullptr, nullptr);
    sqlite3_create_function(db, "jet_ucase", 1, flags, nullptr, ucase, nullptr, nullptr);
    sqlite3_create_function(db, "jet_lcase", 1, flags, nullptr, lcase, nullptr, nullptr);
    sqlite3_create_function(db, "jet_store", 4, flags, nullptr, store, nullptr, nullptr);
}

} // namespace JetFunctions
