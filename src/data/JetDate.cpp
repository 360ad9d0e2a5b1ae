#include "JetDate.h"

#include <cmath>
#include <iterator>

namespace JetDate {

namespace {

int daysInMonth(int year, int month)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
qint64 daysFromEpoch(int year, int month, int day)
{
    const int y = month <= 2 ? year - 1 : year;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yearOfEra = y - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return qint64(era) * 146097 + dayOfEra - 719468;
}

// Writes a number as that many digits with leading zeros, then the separator if there is one;
// returns where the next character goes.
QChar* putDigits(QChar* out, int number, int width, QChar separator)
{
    for (int i = width - 1; i >= 0; --i, number /= 10)
        out[i] = QChar(u'0' + number % 10);
    out += width;
    if (!separator.isNull())
        *out++ = separator;
    return out;
}

// Reads a run of digits; returns its value and the number of digits read.
int readNumber(QStringView text, qsizetype& pos, int& digits)
{
    int value = 0;
    digits = 0;
    while (pos < text.size() && text[pos].isDigit() && digits < 9) {
        value = value * 10 + text[pos].digitValue();
        ++pos;
        ++digits;
    }
    return value;
}

void skipBlanks(QStringView text, qsizetype& pos)
{
    while (pos < text.size() && text[pos].isSpace())
        ++pos;
}

int expandYear(int year, int digits)
{
    if (digits > 2)
        return year;
    return year < 30 ? 2000 + year : 1900 + year;
}

std::optional<QDate> parseDate(QStringView text, qsizetype& pos)
{
    int d1 = 0, d2 = 0, d3 = 0;
    const int a = readNumber(text, pos, d1);
    if (d1 == 0 || pos >= text.size() || (text[pos] != u'/' && text[pos] != u'-'))
        return std::nullopt;
    const QChar sep = text[pos++];
    const int b = readNumber(text, pos, d2);
    if (d2 == 0 || d2 > 2 || pos >= text.size() || text[pos] != sep)
        return std::nullopt;
    ++pos;
    const int c = readNumber(text, pos, d3);
    if (d3 == 0)
        return std::nullopt;
    QDate date;
    if (d1 == 4 && d3 <= 2)
        date = QDate(a, b, c);
    else if (d1 <= 2 && (d3 <= 2 || d3 == 4))
        date = QDate(expandYear(c, d3), a, b);
    if (!date.isValid() || date.year() < 100 || date.year() > 9999)
        return std::nullopt;
    return date;
}

std::optional<QTime> parseTime(QStringView text, qsizetype& pos)
{
    int dh = 0, dm = 0, ds = 0;
    int h = readNumber(text, pos, dh);
    if (dh == 0 || dh > 2 || pos >= text.size() || text[pos] != u':')
        return std::nullopt;
    ++pos;
    const int m = readNumber(text, pos, dm);
    if (dm != 2)
        return std::nullopt;
    int s = 0;
    if (pos < text.size() && text[pos] == u':') {
        ++pos;
        s = readNumber(text, pos, ds);
        if (ds != 2)
            return std::nullopt;
    }
    skipBlanks(text, pos);
    const QStringView rest = text.mid(pos, 2);
    const bool am = rest.compare(u"AM", Qt::CaseInsensitive) == 0;
    const bool pm = rest.compare(u"PM", Qt::CaseInsensitive) == 0;
    if (am || pm) {
        if (h < 1 || h > 12)
            return std::nullopt;
        h = (h % 12) + (pm ? 12 : 0);
        pos += 2;
    }
    const QTime time(h, m, s);
    if (!time.isValid())
        return std::nullopt;
    return time;
}

bool startsWithTime(QStringView text, qsizetype pos)
{
    while (pos < text.size() && text[pos].isDigit())
        ++pos;
    return pos < text.size() && text[pos] == u':';
}

} // namespace

QDateTime NoDate()
{
    return QDateTime(QDate(1900, 1, 1), QTime(0, 0), Qt::UTC);
}

std::optional<QDateTime> Parse(QStringView text)
{
    qsizetype pos = 0;
    skipBlanks(text, pos);
    QDate date(1899, 12, 30);
    if (!startsWithTime(text, pos)) {
        const auto parsed = parseDate(text, pos);
        if (!parsed)
            return std::nullopt;
        date = *parsed;
        skipBlanks(text, pos);
    }
    QTime time(0, 0);
    if (pos < text.size()) {
        const auto parsed = parseTime(text, pos);
        if (!parsed)
            return std::nullopt;
        time = *parsed;
        skipBlanks(text, pos);
    }
    if (pos != text.size())
        return std::nullopt;
    return QDateTime(date, time, Qt::UTC);
}

QString ToStorage(const QDateTime& value)
{
    const QDate date = value.date();
    const QTime time = value.time();
    if (!value.isValid() || date.year() < 1 || date.year() > 9999)
        return value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    // Written directly: every date of every statement is stored through here, and the general
    // formatter costs more than the rest of the translation of an INSERT.
    QChar written[19];
    QChar* out = written;
    out = putDigits(out, date.year(), 4, u'-');
    out = putDigits(out, date.month(), 2, u'-');
    out = putDigits(out, date.day(), 2, u' ');
    out = putDigits(out, time.hour(), 2, u':');
    out = putDigits(out, time.minute(), 2, u':');
    putDigits(out, time.second(), 2, {});
    return QString(written, std::size(written));
}

QString ToUsText(QDate date)
{
    const int year = date.year();
    if (!date.isValid() || year < 0 || year > 9999)
        return date.toString(QStringLiteral("MM/dd/yyyy"));
    // Written directly: long patient lists format a date per row, and the general
    // formatter costs more than reading the row.
    QChar written[10];
    QChar* out = written;
    out = putDigits(out, date.month(), 2, u'/');
    out = putDigits(out, date.day(), 2, u'/');
    putDigits(out, year, 4, {});
    return QString(written, std::size(written));
}

std::optional<QDateTime> FromStorage(const char* text, int length)
{
    // Fixed layout "yyyy-MM-dd HH:mm:ss" (or its first ten characters), read digit by digit
    // and turned into milliseconds directly: every date of a long listing comes through here.
    auto num = [text](int from, int count) {
        int v = 0;
        for (int i = from; i < from + count; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return -1;
            v = v * 10 + (text[i] - '0');
        }
        return v;
    };
    if (length != 19 && length != 10)
        return std::nullopt;
    const int year = num(0, 4), month = num(5, 2), day = num(8, 2);
    const int hour = length == 19 ? num(11, 2) : 0;
    const int minute = length == 19 ? num(14, 2) : 0;
    const int second = length == 19 ? num(17, 2) : 0;
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month) ||
        hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return std::nullopt;
    const qint64 seconds = daysFromEpoch(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
    return QDateTime::fromMSecsSinceEpoch(seconds * 1000, Qt::UTC);
}

std::optional<QDateTime> FromSerial(double serial)
{
    if (!std::isfinite(serial) || serial < -657434.0 || serial > 2958465.999)
        return std::nullopt;
    // Before day zero the whole days count back and the fraction still counts forward:
    // -1.25 is 6 AM on 12/29/1899.
    const double days = std::trunc(serial);
    const qint64 msecs = std::llround(std::abs(serial - days) * 86400000.0);
    const QDateTime base(QDate(1899, 12, 30).addDays(static_cast<qint64>(days)), QTime(0, 0),
                         Qt::UTC);
    return base.addMSecs(msecs);
}

} // namespace JetDate
