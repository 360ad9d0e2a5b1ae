#include "RepeatedTexts.h"

#include <cstdint>
#include <cstring>

namespace {

struct Scan {
    std::uint64_t hash;
    bool ascii;
};

std::uint64_t load(const char* bytes, int count)
{
    std::uint64_t word = 0;
    std::memcpy(&word, bytes, size_t(count));
    return word;
}

std::uint64_t mix(std::uint64_t hash, std::uint64_t word)
{
    hash = (hash ^ word) * 0xFF51AFD7ED558CCDull;
    return hash ^ (hash >> 29);
}

// Hashes the text and tells whether it is all ASCII, eight bytes at a step; the last step reads
// overlapping words instead of a byte at a time (every byte is covered, and the comparison
// after a matching hash is exact).
Scan scan(const char* utf8, int bytes)
{
    std::uint64_t hash = 0x9E3779B97F4A7C15ull ^ std::uint64_t(bytes);
    std::uint64_t high = 0;
    std::uint64_t last = 0;
    if (bytes >= 8) {
        for (int i = 0; i + 8 < bytes; i += 8) {
            const std::uint64_t word = load(utf8 + i, 8);
            high |= word;
            hash = mix(hash, word);
        }
        last = load(utf8 + bytes - 8, 8);
    } else if (bytes >= 4) {
        last = load(utf8, 4) | load(utf8 + bytes - 4, 4) << 32;
    } else if (bytes > 0) {
        last = load(utf8, 1) | load(utf8 + bytes / 2, 1) << 8 | load(utf8 + bytes - 1, 1) << 16;
    }
    high |= last;
    hash = mix(hash, last);
    return {hash * 0xC4CEB9FE1A85EC53ull, (high & 0x8080808080808080ull) == 0};
}

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
    const Scan text = scan(utf8, bytes);
    // Only ASCII is compared byte for character; other texts are decoded every time.
    if (!text.ascii)
        return QVariant(QString::fromUtf8(utf8, bytes));
    // ASCII is Latin-1 as well, whose widening is far cheaper than decoding UTF-8.
    if (m_off)
        return QVariant(QString::fromLatin1(utf8, bytes));
    ++m_tries;
    // The top bits, which depend on every bit of the text.
    QString& slot = m_slots[text.hash >> (64 - kSlotBits)];
    if (sameAscii(slot, utf8, bytes)) {
        ++m_hits;
        return QVariant(slot);
    }
    if (m_tries >= kTrial && m_hits * 4 < m_tries) {
        m_off = true;
        m_slots = {};
    }
    slot = QString::fromLatin1(utf8, bytes);
    return QVariant(slot);
}
