#include "engine/core/collation.h"

#include <cstdint>

namespace trevo::engine {

char32_t nextCodePoint(std::string_view s, size_t& pos)
{
    const auto b0 = static_cast<unsigned char>(s[pos]);
    auto cont = [&](size_t i) -> int {
        if (pos + i >= s.size()) return -1;
        const auto b = static_cast<unsigned char>(s[pos + i]);
        return (b & 0xC0) == 0x80 ? (b & 0x3F) : -1;
    };
    if (b0 < 0x80) {
        ++pos;
        return b0;
    }
    int len = (b0 & 0xE0) == 0xC0 ? 2 : (b0 & 0xF0) == 0xE0 ? 3 : (b0 & 0xF8) == 0xF0 ? 4 : 0;
    if (len == 0) {
        ++pos;
        return 0xFFFD;
    }
    char32_t cp = b0 & (0x7F >> len);
    for (int i = 1; i < len; ++i) {
        const int c = cont(static_cast<size_t>(i));
        if (c < 0) {
            ++pos;
            return 0xFFFD;
        }
        cp = (cp << 6) | static_cast<char32_t>(c);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not characters: reading them
    // as one would let two different byte sequences stand for the same text.
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[len] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
        ++pos;
        return 0xFFFD;
    }
    pos += static_cast<size_t>(len);
    return cp;
}

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

namespace {

// Base letters (lower case) of the Latin-1 letters with diacritics; 0 = not a letter there.
const char* latin1Base(char32_t cp)
{
    static const char* const table[64] = {
        "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",  // C0-CF
        "d", "n", "o", "o", "o", "o", "o", nullptr, "o", "u", "u", "u", "u", "y", "th", "ss", // D0-DF
        "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",  // E0-EF
        "d", "n", "o", "o", "o", "o", "o", nullptr, "o", "u", "u", "u", "u", "y", "th", "y", // F0-FF
    };
    if (cp >= 0xC0 && cp <= 0xFF) return table[cp - 0xC0];
    return nullptr;
}

bool isUpper(char32_t cp)
{
    return (cp >= 'A' && cp <= 'Z') || (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7);
}

// Primary weight of a code point: letters by base letter, everything else by code point
// after them is not wanted: digits and punctuation sort before letters as in ASCII.
void appendPrimary(std::string& out, char32_t cp)
{
    if (cp >= 'A' && cp <= 'Z') {
        out += static_cast<char>(cp - 'A' + 'a');
    } else if (cp >= 'a' && cp <= 'z') {
        out += static_cast<char>(cp);
    } else if (const char* base = latin1Base(cp)) {
        out += base;
    } else if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else {
        // Other characters after all Latin letters, by code point.
        out += '\x7f';
        appendUtf8(out, cp);
    }
}

} // namespace

std::string collationKey(std::string_view utf8)
{
    std::string primary, caseLevel;
    primary.reserve(utf8.size() + 2);
    size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t cp = nextCodePoint(utf8, pos);
        const size_t before = primary.size();
        appendPrimary(primary, cp);
        caseLevel.append(primary.size() - before, isUpper(cp) ? '\x02' : '\x01');
    }
    // Bytes 0x00 do not occur in the levels (control characters shifted up by one).
    std::string key;
    key.reserve(primary.size() + caseLevel.size() + utf8.size() + 2);
    for (char c : primary) key += c == '\0' ? '\x01' : c;
    key += '\0';
    key += caseLevel;
    key += '\0';
    key += utf8;
    return key;
}

int collate(std::string_view a, std::string_view b)
{
    // Fast path for plain ASCII letters and digits is the key comparison itself.
    const std::string ka = collationKey(a), kb = collationKey(b);
    const int c = ka.compare(kb);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

std::string_view trimRight(std::string_view s)
{
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.remove_suffix(1);
    return s;
}

std::string toUpperGerman(std::string_view utf8)
{
    std::string out;
    size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t cp = nextCodePoint(utf8, pos);
        if (cp >= 'a' && cp <= 'z') cp -= 32;
        else if (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7) cp -= 32;
        appendUtf8(out, cp);
    }
    return out;
}

std::string toLowerGerman(std::string_view utf8)
{
    std::string out;
    size_t pos = 0;
    while (pos < utf8.size()) appendUtf8(out, lowerCodePoint(nextCodePoint(utf8, pos)));
    return out;
}

char32_t lowerCodePoint(char32_t cp)
{
    // A-Z and the Latin-1 capitals lie 32 below their small letters.
    return isUpper(cp) ? cp + 32 : cp;
}

char32_t foldCase(char32_t cp)
{
    if (cp == 0x1E9E) return 0xDF; // ẞ
    return lowerCodePoint(cp);
}

} // namespace trevo::engine
