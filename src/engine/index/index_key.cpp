#include "engine/index/index_key.h"

#include "engine/core/collation.h"
#include "engine/core/error.h"

#include <bit>
#include <cmath>

namespace trevo::engine {

namespace {

std::string bigEndian(uint64_t v, int bytes)
{
    std::string out(static_cast<size_t>(bytes), '\0');
    for (int i = 0; i < bytes; ++i) out[static_cast<size_t>(bytes - 1 - i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return out;
}

// Order-preserving image of a double: flip all bits of negatives, the sign bit of the rest.
std::string numberKey(double d)
{
    if (d == 0) d = 0; // -0 and 0 are one key
    uint64_t bits = std::bit_cast<uint64_t>(d);
    bits = (bits & 0x8000000000000000ull) ? ~bits : bits | 0x8000000000000000ull;
    return bigEndian(bits, 8);
}

std::string dateKey(int32_t days)
{
    return bigEndian(static_cast<uint32_t>(days) ^ 0x80000000u, 4);
}

int32_t toDays(const Value& v)
{
    switch (v.type()) {
    case ValueType::Date: return v.date();
    case ValueType::Number: return static_cast<int32_t>(std::floor(v.number()));
    case ValueType::Text:
        if (auto d = parseDate(v.text())) return *d;
        throw ValueError("'" + v.text() + "' ist kein gültiges Datum");
    default: throw ValueError("Der Wert ist kein gültiges Datum");
    }
}

} // namespace

std::string indexKey(char fieldType, const Value& v)
{
    if (v.isNull()) return {};
    switch (fieldType) {
    case 'N':
    case 'F': return numberKey(v.toNumber());
    case 'D': return dateKey(toDays(v));
    case 'L': return std::string(1, v.toBool() ? '\x02' : '\x01');
    default: {
        const std::string text = v.toText();
        const std::string_view trimmed = trimRight(text);
        if (trimmed.empty()) return {};
        return collationKey(trimmed);
    }
    }
}

} // namespace trevo::engine
