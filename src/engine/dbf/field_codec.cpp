#include "engine/dbf/field_codec.h"

#include "engine/codepage/code_page.h"
#include "engine/core/error.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace trevo::engine {

namespace {

std::string_view asView(const uint8_t* bytes, size_t n)
{
    return std::string_view(reinterpret_cast<const char*>(bytes), n);
}

std::string_view trimBlanks(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\0')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.remove_suffix(1);
    return s;
}

// The plain form nearly every stored number has: an optional minus and at most 15 digits
// with an optional decimal point. m / 10^d of two exactly held whole numbers is the
// correctly rounded value, as strtod gives, without its cost.
std::optional<double> plainNumber(std::string_view s)
{
    static constexpr double powers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    size_t i = 0;
    const bool minus = !s.empty() && s[0] == '-';
    if (minus) ++i;
    uint64_t m = 0;
    int digits = 0, decimals = -1;
    for (; i < s.size(); ++i) {
        const char ch = s[i];
        if (ch == '.' && decimals < 0) {
            decimals = 0;
        } else if (ch >= '0' && ch <= '9') {
            if (++digits > 15) return std::nullopt;
            m = m * 10 + static_cast<uint64_t>(ch - '0');
            if (decimals >= 0) ++decimals;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0) return std::nullopt;
    const double v = static_cast<double>(m) / powers[decimals < 0 ? 0 : decimals];
    return minus ? -v : v;
}

std::optional<double> readNumber(std::string_view s)
{
    s = trimBlanks(s);
    if (s.empty() || s.size() > 40) return std::nullopt;
    if (const auto plain = plainNumber(s)) return plain;
    char buf[48];
    size_t n = 0;
    for (char ch : s) {
        const bool ok = (ch >= '0' && ch <= '9') || ch == '.' || ch == ',' || ch == '-' || ch == '+' ||
                        ch == 'e' || ch == 'E';
        if (!ok) return std::nullopt;
        buf[n++] = ch == ',' ? '.' : ch;
    }
    buf[n] = 0;
    char* end = nullptr;
    const double v = std::strtod(buf, &end);
    if (end != buf + n || !std::isfinite(v)) return std::nullopt;
    return v;
}

bool allOf(std::string_view s, char a, char b = 0)
{
    for (char ch : s)
        if (ch != a && ch != b) return false;
    return true;
}

std::optional<int32_t> readDate(std::string_view s, bool& blank)
{
    blank = allOf(s, ' ', '\0') || allOf(s, '0', ' ');
    if (blank) return std::nullopt;
    int parts[3] = {0, 0, 0};
    const int widths[3] = {4, 2, 2};
    size_t pos = 0;
    for (int k = 0; k < 3; ++k) {
        for (int i = 0; i < widths[k]; ++i, ++pos) {
            const char ch = s[pos];
            if (ch < '0' || ch > '9') return std::nullopt;
            parts[k] = parts[k] * 10 + (ch - '0');
        }
    }
    if (!validCivil(parts[0], parts[1], parts[2])) return std::nullopt;
    return daysFromCivil(parts[0], parts[1], parts[2]);
}

std::optional<bool> readLogical(uint8_t b, bool& blank)
{
    blank = b == ' ' || b == '?' || b == 0;
    switch (b) {
    case 'T': case 't': case 'Y': case 'y': case 'J': case 'j': return true;
    case 'F': case 'f': case 'N': case 'n': return false;
    default: return std::nullopt;
    }
}

std::string shorten(const std::string& s)
{
    if (s.size() <= 60) return s;
    size_t cut = 57;
    while (cut > 0 && (static_cast<unsigned char>(s[cut]) & 0xC0) == 0x80) --cut;
    return s.substr(0, cut) + "...";
}

const char* typeWord(char type)
{
    switch (type) {
    case 'C':
    case 'M': return "einen Text";
    case 'N':
    case 'F': return "eine Zahl";
    case 'D': return "ein Datum";
    case 'L': return "einen Wahrheitswert";
    }
    return "einen Wert";
}

} // namespace

void throwDoesNotFit(const FieldDef& f, const std::string& shown)
{
    throw ValueError("Der Wert '" + shorten(shown) + "' passt nicht in das Feld '" + f.name + "' (Breite " +
                     std::to_string(f.length) + ")");
}

void throwWrongType(const FieldDef& f, const Value& v)
{
    throw ValueError("Das Feld '" + f.name + "' erwartet " + typeWord(f.type) + ", nicht den Wert '" +
                     shorten(v.toText()) + "'");
}

Value decodeNumber(const uint8_t* bytes, size_t length)
{
    const auto n = readNumber(asView(bytes, length));
    return n ? Value::number(*n) : Value::null();
}

Value decodeField(const FieldDef& f, const uint8_t* bytes, const CodePage& cp)
{
    const std::string_view raw = asView(bytes, f.length);
    switch (f.type) {
    case 'C': {
        std::string_view s = raw;
        while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.remove_suffix(1);
        return Value::text(cp.decode(s));
    }
    case 'N':
    case 'F': return decodeNumber(bytes, f.length);
    case 'D': {
        bool blank = false;
        auto d = readDate(raw, blank);
        return d ? Value::date(*d) : Value::null();
    }
    case 'L': {
        bool blank = false;
        auto b = readLogical(bytes[0], blank);
        return b ? Value::logical(*b) : Value::null();
    }
    }
    return Value::null();
}

std::optional<std::string> rawFieldFault(const FieldDef& f, const uint8_t* bytes)
{
    const std::string_view raw = asView(bytes, f.length);
    switch (f.type) {
    case 'N':
    case 'F': {
        const std::string_view t = trimBlanks(raw);
        if (t.empty() || t.find('*') != std::string_view::npos) return std::nullopt; // blank or overflow fill
        if (!readNumber(raw)) return "'" + std::string(t) + "' ist keine Zahl";
        return std::nullopt;
    }
    case 'D': {
        bool blank = false;
        if (!readDate(raw, blank) && !blank) return "'" + std::string(raw) + "' ist kein gültiges Datum";
        return std::nullopt;
    }
    case 'L': {
        bool blank = false;
        if (!readLogical(bytes[0], blank) && !blank) return "das Zeichen '" + std::string(raw) + "' ist kein Wahrheitswert";
        return std::nullopt;
    }
    case 'M':
        if (!decodeMemoRef(bytes)) return "'" + std::string(raw) + "' ist keine Blocknummer";
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<uint32_t> decodeMemoRef(const uint8_t* bytes)
{
    uint64_t n = 0;
    bool digits = false, ended = false;
    for (int i = 0; i < 10; ++i) {
        const uint8_t b = bytes[i];
        if (b >= '0' && b <= '9') {
            if (ended) return std::nullopt;
            n = n * 10 + (b - '0');
            digits = true;
        } else if (b == ' ' || b == 0) {
            if (digits) ended = true;
        } else {
            return std::nullopt;
        }
    }
    if (n > 0xFFFFFFFFu) return std::nullopt;
    return static_cast<uint32_t>(n);
}

void encodeMemoRef(uint32_t block, uint8_t* out)
{
    if (block == 0) {
        std::memset(out, ' ', 10);
        return;
    }
    char buf[16];
    std::snprintf(buf, sizeof buf, "%10u", block);
    std::memcpy(out, buf, 10);
}

std::string encodeText(const FieldDef& f, std::string_view utf8, const CodePage& cp)
{
    std::string bad;
    auto bytes = cp.encode(utf8, &bad);
    if (!bytes)
        throw ValueError("Das Zeichen '" + bad + "' kann im Feld '" + f.name +
                         "' nicht gespeichert werden (Zeichensatz " + cp.name() + ")");
    return std::move(*bytes);
}

std::string fixedNumber(double v, int decimals)
{
    // The shortest decimal digits that read back as v, then rounded in decimal, so
    // 1.005 becomes 1.01 as the user typed it rather than its binary neighbour 1.00.
    char buf[64];
    const double a = std::fabs(v);
    int prec = 15;
    for (; prec <= 17; ++prec) {
        std::snprintf(buf, sizeof buf, "%.*e", prec - 1, a);
        if (std::strtod(buf, nullptr) == a) break;
    }
    std::string digits;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') digits.push_back(*p);
    const int exp = *p == 'e' ? std::atoi(p + 1) : 0;
    int point = exp + 1; // digits before the decimal point
    if (point <= 0) {
        digits.insert(0, static_cast<size_t>(-point), '0');
        point = 0;
    }
    if (static_cast<int>(digits.size()) < point) digits.append(static_cast<size_t>(point) - digits.size(), '0');
    const size_t keep = static_cast<size_t>(point + decimals);
    if (digits.size() > keep) {
        const bool up = digits[keep] >= '5';
        digits.resize(keep);
        if (up) {
            size_t i = keep;
            while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
            if (i == 0) {
                digits.insert(0, 1, '1');
                ++point;
            } else {
                ++digits[i - 1];
            }
        }
    } else {
        digits.append(keep - digits.size(), '0');
    }
    std::string intPart = digits.substr(0, static_cast<size_t>(point));
    const std::string frac = digits.substr(static_cast<size_t>(point));
    while (intPart.size() > 1 && intPart[0] == '0') intPart.erase(0, 1);
    if (intPart.empty()) intPart = "0";
    std::string out = intPart;
    if (decimals > 0) out += "." + frac;
    const bool zero = out.find_first_not_of("0.") == std::string::npos;
    if (v < 0 && !zero) out.insert(0, 1, '-');
    return out;
}

double roundToField(const FieldDef& f, double v)
{
    return std::strtod(fixedNumber(v, f.decimals).c_str(), nullptr);
}

void encodeField(const FieldDef& f, const Value& v, const CodePage& cp, uint8_t* out)
{
    std::memset(out, ' ', f.length);
    if (v.isNull()) return;
    switch (f.type) {
    case 'C': {
        if (!v.isText()) throwWrongType(f, v);
        std::string_view t = v.text();
        while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
        const std::string bytes = encodeText(f, t, cp);
        if (bytes.size() > f.length) throwDoesNotFit(f, v.text());
        std::memcpy(out, bytes.data(), bytes.size());
        return;
    }
    case 'N':
    case 'F': {
        if (!v.isNumber()) throwWrongType(f, v);
        const double d = v.number();
        if (!std::isfinite(d)) throw ValueError("Das Feld '" + f.name + "' kann keine unendliche Zahl aufnehmen");
        const std::string s = std::fabs(d) < 1e40 ? fixedNumber(d, f.decimals) : std::string(41, '9');
        if (s.size() > f.length) throwDoesNotFit(f, formatNumber(d));
        std::memcpy(out + (f.length - s.size()), s.data(), s.size());
        return;
    }
    case 'D': {
        if (!v.isDate()) throwWrongType(f, v);
        static const int32_t first = daysFromCivil(1, 1, 1), last = daysFromCivil(9999, 12, 31);
        if (v.date() < first || v.date() > last)
            throw ValueError("Das Datum mit der Tagesnummer " + std::to_string(v.date()) +
                             " liegt außerhalb der Jahre 1 bis 9999 (Feld '" + f.name + "')");
        int y, m, d;
        civilFromDays(v.date(), y, m, d);
        char buf[16];
        std::snprintf(buf, sizeof buf, "%04d%02d%02d", y, m, d);
        std::memcpy(out, buf, 8);
        return;
    }
    case 'L':
        if (!v.isLogical()) throwWrongType(f, v);
        out[0] = v.logical() ? 'T' : 'F';
        return;
    }
    throwWrongType(f, v);
}

} // namespace trevo::engine
