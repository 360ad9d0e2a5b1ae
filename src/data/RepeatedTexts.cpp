#include "RepeatedTexts.h"

namespace {

bool sameAscii(const QString& text, const char* ascii, int bytes)
{
    if (text.size() != bytes)
        return false;
    const char16_t* chars = reinterpret_cast<const char16_t*>(text.constData());
    for (int i = 0; i < bytes; ++i) {
        if (chars[i] != char16_t(ascii[i]))
            return false;
    }
    return true;
}

} // namespace

QVariant RepeatedTexts::Value(const char* utf8, int bytes)
{
    if (m_off)
        return QVariant(QString::fromUtf8(utf8, bytes));
    unsigned hash = 2166136261u;
    unsigned char high = 0;
    for (int i = 0; i < bytes; ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        high |= byte;
        hash = (hash ^ byte) * 16777619u;
    }
    ++m_tries;
    // Only ASCII is compared byte for character; other texts are decoded every time.
    if (high & 0x80)
        return QVariant(QString::fromUtf8(utf8, bytes));
    // The top bits: the low bits of a multiplicative hash depend on the low bits of each byte
    // only.
    QString& slot = m_slots[hash >> kShift];
    if (sameAscii(slot, utf8, bytes)) {
        ++m_hits;
        return QVariant(slot);
    }
    if (m_tries >= kTrial && m_hits * 4 < m_tries) {
        m_off = true;
        m_slots = {};
    }
    slot = QString::fromUtf8(utf8, bytes);
    return QVariant(slot);
}
