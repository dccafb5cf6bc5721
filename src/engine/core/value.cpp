#include "engine/core/value.h"

#include "engine/core/error.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace trevo::engine {

namespace {
const char* typeName(ValueType t)
{
    switch (t) {
    case ValueType::Null: return "leer";
    case ValueType::Number: return "Zahl";
    case ValueType::Text: return "Text";
    case ValueType::Date: return "Datum";
    case ValueType::Logical: return "Wahrheitswert";
    }
    return "?";
}
[[noreturn]] void wrongType(ValueType have, ValueType want)
{
    throw ValueError(std::string("Wert vom Typ ") + typeName(have) + " ist kein(e) " + typeName(want));
}
} // namespace

double Value::number() const
{
    if (!isNumber()) wrongType(type(), ValueType::Number);
    return std::get<double>(v_);
}
const std::string& Value::text() const
{
    if (!isText()) wrongType(type(), ValueType::Text);
    return std::get<std::string>(v_);
}
int32_t Value::date() const
{
    if (!isDate()) wrongType(type(), ValueType::Date);
    return std::get<DateValue>(v_).days;
}
bool Value::logical() const
{
    if (!isLogical()) wrongType(type(), ValueType::Logical);
    return std::get<bool>(v_);
}

double Value::toNumber() const
{
    switch (type()) {
    case ValueType::Null: return 0;
    case ValueType::Number: return std::get<double>(v_);
    case ValueType::Date: return std::get<DateValue>(v_).days;
    case ValueType::Logical: return std::get<bool>(v_) ? 1 : 0;
    case ValueType::Text: {
        auto n = parseNumber(std::get<std::string>(v_));
        if (!n) throw ValueError("'" + std::get<std::string>(v_) + "' ist keine gültige Zahl");
        return *n;
    }
    }
    return 0;
}

std::string Value::toText() const
{
    switch (type()) {
    case ValueType::Null: return {};
    case ValueType::Number: return formatNumber(std::get<double>(v_));
    case ValueType::Text: return std::get<std::string>(v_);
    case ValueType::Date: return formatDate(std::get<DateValue>(v_).days);
    case ValueType::Logical: return std::get<bool>(v_) ? "Wahr" : "Falsch";
    }
    return {};
}

bool Value::toBool() const
{
    switch (type()) {
    case ValueType::Null: return false;
    case ValueType::Logical: return std::get<bool>(v_);
    case ValueType::Number: return std::get<double>(v_) != 0;
    case ValueType::Date: return true;
    case ValueType::Text: {
        const auto& s = std::get<std::string>(v_);
        return !s.empty() && (s[0] == 'T' || s[0] == 't' || s[0] == 'Y' || s[0] == 'y' || s[0] == 'J' || s[0] == 'j');
    }
    }
    return false;
}

// Howard Hinnant's civil-date algorithms, shifted to the 30.12.1899 epoch.
int32_t daysFromCivil(int y, int m, int d)
{
    y -= m <= 2;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const int32_t unixDays = era * 146097 + static_cast<int>(doe) - 719468;
    return unixDays + 25569; // 1970-01-01 is day 25569
}

void civilFromDays(int32_t days, int& y, int& m, int& d)
{
    int32_t z = days - 25569 + 719468;
    const int era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe) + era * 400 + (m <= 2);
}

bool validCivil(int y, int m, int d)
{
    if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1) return false;
    static const int len[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return d <= len[m - 1] + (m == 2 && leap ? 1 : 0);
}

std::string formatDate(int32_t days)
{
    int y, m, d;
    civilFromDays(days, y, m, d);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", d, m, y);
    return buf;
}

namespace {
std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}
bool readInt(std::string_view& s, int& out, int maxDigits)
{
    int n = 0, digits = 0;
    while (!s.empty() && s.front() >= '0' && s.front() <= '9' && digits < maxDigits) {
        n = n * 10 + (s.front() - '0');
        s.remove_prefix(1);
        ++digits;
    }
    out = n;
    return digits > 0;
}
} // namespace

std::optional<int32_t> parseDate(std::string_view text)
{
    std::string_view s = trim(text);
    if (s.empty()) return std::nullopt;
    int a, b, c;
    std::string_view rest = s;
    if (!readInt(rest, a, 4)) return std::nullopt;
    if (rest.empty()) return std::nullopt;
    const char sep = rest.front();
    if (sep != '.' && sep != '-' && sep != '/') return std::nullopt;
    rest.remove_prefix(1);
    if (!readInt(rest, b, 2) || rest.empty() || rest.front() != sep) return std::nullopt;
    rest.remove_prefix(1);
    const size_t yearDigits = rest.size();
    if (!readInt(rest, c, 4) || !rest.empty()) return std::nullopt;
    int y, m, d;
    if (sep == '-' && s.size() >= 8 && a > 31) {
        y = a, m = b, d = c;
    } else {
        d = a, m = b, y = c;
        if (yearDigits <= 2) y += y < 30 ? 2000 : 1900;
    }
    if (!validCivil(y, m, d)) return std::nullopt;
    return daysFromCivil(y, m, d);
}

std::optional<double> parseNumber(std::string_view text)
{
    std::string_view s = trim(text);
    if (s.empty()) return std::nullopt;
    std::string buf(s);
    for (char& ch : buf)
        if (ch == ',') ch = '.';
    // Only plain decimal notation with optional exponent: no hex, inf or nan.
    for (char ch : buf)
        if (!((ch >= '0' && ch <= '9') || ch == '.' || ch == '-' || ch == '+' || ch == 'e' || ch == 'E'))
            return std::nullopt;
    char* end = nullptr;
    const double v = std::strtod(buf.c_str(), &end);
    if (end != buf.c_str() + buf.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::string formatNumber(double v, int decimals)
{
    char buf[64];
    if (decimals >= 0) {
        std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    } else {
        std::snprintf(buf, sizeof buf, "%.15g", v);
    }
    std::string s(buf);
    if (s == "-0" || s.rfind("-0.", 0) == 0) {
        bool allZero = true;
        for (char ch : s.substr(1))
            if (ch != '0' && ch != '.') allZero = false;
        if (allZero) s.erase(0, 1);
    }
    for (char& ch : s)
        if (ch == '.') ch = ',';
    return s;
}

} // namespace trevo::engine
