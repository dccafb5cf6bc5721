#include "engine/paradox/px_values.h"

#include "engine/core/collation.h"
#include "engine/core/error.h"
#include "engine/paradox/px_bytes.h"

#include <bit>
#include <cmath>
#include <cstring>

namespace trevo::engine::paradox {
namespace {

int64_t decodeInteger(const uint8_t* p, int n)
{
    const uint64_t raw = getBe(p, n);
    const uint64_t sign = uint64_t{1} << (8 * n - 1);
    const uint64_t flipped = raw ^ sign;
    // Sign-extend from n bytes.
    if (flipped & sign) return static_cast<int64_t>(flipped | ~((sign << 1) - 1));
    return static_cast<int64_t>(flipped);
}

void encodeInteger(uint8_t* p, int n, int64_t v)
{
    const uint64_t sign = uint64_t{1} << (8 * n - 1);
    putBe(p, n, (static_cast<uint64_t>(v) ^ sign) & (n == 8 ? ~uint64_t{0} : (sign << 1) - 1));
}

double decodeDouble(const uint8_t* p)
{
    uint64_t raw = getBe(p, 8);
    raw = (raw & (uint64_t{1} << 63)) ? raw & ~(uint64_t{1} << 63) : ~raw;
    return std::bit_cast<double>(raw);
}

void encodeDouble(uint8_t* p, double v)
{
    uint64_t raw = std::bit_cast<uint64_t>(v);
    raw = (raw & (uint64_t{1} << 63)) ? ~raw : raw | (uint64_t{1} << 63);
    putBe(p, 8, raw);
}

// 17 bytes: sign in bit 7 of the first byte (set = positive), the count of decimal
// places in its low six bits, then 32 digits as nibbles, inverted for negative values.
Value decodeBcd(const uint8_t* p)
{
    const bool positive = (p[0] & 0x80) != 0;
    const int decimals = p[0] & 0x3F;
    double v = 0;
    for (int i = 0; i < 32; ++i) {
        int nibble = (p[1 + i / 2] >> (i % 2 ? 0 : 4)) & 0x0F;
        if (!positive) nibble = 15 - nibble;
        v = v * 10 + (nibble > 9 ? 9 : nibble);
    }
    v /= std::pow(10.0, decimals > 32 ? 32 : decimals);
    return Value::number(positive ? v : -v);
}

[[noreturn]] void doesNotFit(const PxField& f, const std::string& why)
{
    throw ValueError("Der Wert passt nicht in das Feld '" + f.name + "' (" + why + ")");
}

} // namespace

int32_t paradoxDayFromDays(int32_t days)
{
    return static_cast<int32_t>(int64_t{days} - daysFromCivil(1, 1, 1) + 1);
}

int32_t daysFromParadoxDay(int32_t pdxDay)
{
    return static_cast<int32_t>(int64_t{pdxDay} - 1 + daysFromCivil(1, 1, 1));
}

bool paradoxDayValid(int64_t pdxDay)
{
    return pdxDay >= 1 && pdxDay <= int64_t{daysFromCivil(9999, 12, 31)} - daysFromCivil(1, 1, 1) + 1;
}

Value decodeValue(const PxField& field, const uint8_t* p, const CodePage& cp, const std::string& where)
{
    if (allZero(p, field.size)) return Value::null();
    switch (field.type) {
    case PxType::Alpha: {
        size_t n = 0;
        while (n < field.size && p[n] != 0) ++n;
        return Value::text(cp.decode({reinterpret_cast<const char*>(p), n}));
    }
    case PxType::Bytes:
        return Value::text(std::string(reinterpret_cast<const char*>(p), field.size));
    case PxType::Short:
        return Value::number(static_cast<double>(decodeInteger(p, 2)));
    case PxType::Long:
    case PxType::AutoInc:
    case PxType::Time:
        return Value::number(static_cast<double>(decodeInteger(p, 4)));
    case PxType::Date: {
        const int64_t day = decodeInteger(p, 4);
        if (!paradoxDayValid(day))
            throw FormatError("Datei '" + where + "' ist beschädigt: Feld '" + field.name +
                              "' enthält ein Datum außerhalb der Jahre 1 bis 9999");
        return Value::date(daysFromParadoxDay(static_cast<int32_t>(day)));
    }
    case PxType::Number:
    case PxType::Currency:
    case PxType::Timestamp:
        return Value::number(decodeDouble(p));
    case PxType::Logical:
        return Value::logical((p[0] & 0x7F) != 0);
    case PxType::Bcd:
        return decodeBcd(p);
    default:
        throw FormatError("Datei '" + where + "': Feld '" + field.name +
                          "' hat einen unbekannten Feldtyp");
    }
}

void encodeValue(const PxField& field, const Value& v, const CodePage& cp, uint8_t* p)
{
    std::memset(p, 0, field.size);
    if (v.isNull()) return;
    switch (field.type) {
    case PxType::Alpha: {
        if (!v.isText()) doesNotFit(field, "Text erwartet");
        std::string bad;
        const auto bytes = cp.encode(trimRight(v.text()), &bad);
        if (!bytes) doesNotFit(field, "Zeichen '" + bad + "' nicht darstellbar");
        if (bytes->size() > field.size) doesNotFit(field, "Text zu lang");
        std::memcpy(p, bytes->data(), bytes->size());
        return;
    }
    case PxType::Short:
    case PxType::Long:
    case PxType::AutoInc: {
        if (!v.isNumber()) doesNotFit(field, "Zahl erwartet");
        const double d = v.number();
        const int n = field.type == PxType::Short ? 2 : 4;
        const double limit = n == 2 ? 32767.0 : 2147483647.0;
        if (d != std::floor(d) || d > limit || d < -limit) doesNotFit(field, "ganze Zahl außerhalb des Bereichs");
        encodeInteger(p, n, static_cast<int64_t>(d));
        return;
    }
    case PxType::Date:
        if (!v.isDate()) doesNotFit(field, "Datum erwartet");
        if (!paradoxDayValid(int64_t{v.date()} - daysFromCivil(1, 1, 1) + 1))
            doesNotFit(field, "Datum außerhalb der Jahre 1 bis 9999");
        encodeInteger(p, 4, paradoxDayFromDays(v.date()));
        return;
    case PxType::Number:
    case PxType::Currency:
        if (!v.isNumber() || !std::isfinite(v.number())) doesNotFit(field, "Zahl erwartet");
        encodeDouble(p, v.number());
        return;
    case PxType::Logical:
        if (!v.isLogical()) doesNotFit(field, "Wahrheitswert erwartet");
        p[0] = v.logical() ? 0x81 : 0x80;
        return;
    default:
        doesNotFit(field, "Feldtyp kann nicht geschrieben werden");
    }
}

BlobPointer readBlobPointer(const uint8_t* p)
{
    return {getLe32(p), getLe32(p + 4), getLe16(p + 8)};
}

void writeBlobPointer(uint8_t* p, const BlobPointer& ptr)
{
    putLe32(p, ptr.offsetAndIndex);
    putLe32(p + 4, ptr.length);
    putLe16(p + 8, ptr.modification);
}

bool isKnownType(uint8_t t)
{
    switch (static_cast<PxType>(t)) {
    case PxType::Alpha: case PxType::Date: case PxType::Short: case PxType::Long:
    case PxType::Currency: case PxType::Number: case PxType::Logical: case PxType::Memo:
    case PxType::Blob: case PxType::FmtMemo: case PxType::Ole: case PxType::Graphic:
    case PxType::Time: case PxType::Timestamp: case PxType::AutoInc: case PxType::Bcd:
    case PxType::Bytes:
        return true;
    }
    return false;
}

size_t fixedFieldSize(PxType t)
{
    switch (t) {
    case PxType::Short: return 2;
    case PxType::Date: case PxType::Long: case PxType::AutoInc: case PxType::Time: return 4;
    case PxType::Number: case PxType::Currency: case PxType::Timestamp: return 8;
    case PxType::Logical: return 1;
    case PxType::Bcd: return 17;
    default: return 0;
    }
}

bool isBlobType(PxType t)
{
    return t == PxType::Memo || t == PxType::Blob || t == PxType::FmtMemo || t == PxType::Ole ||
           t == PxType::Graphic;
}

} // namespace trevo::engine::paradox
