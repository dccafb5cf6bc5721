#include "engine/dataset/field_text.h"

#include "engine/core/collation.h"
#include "engine/core/error.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

namespace trevo::engine {

namespace {

std::string trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return std::string(s);
}

std::vector<std::string> sections(std::string_view format)
{
    std::vector<std::string> out(1);
    bool quoted = false;
    char quote = 0;
    for (char c : format) {
        if (quoted) {
            out.back() += c;
            if (c == quote) quoted = false;
        } else if (c == '"' || c == '\'') {
            quoted = true;
            quote = c;
            out.back() += c;
        } else if (c == ';') {
            out.emplace_back();
        } else {
            out.back() += c;
        }
    }
    return out;
}

// Decimal digits of |v| rounded half away from zero at `decimals` places.
std::string roundedDigits(double v, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    double scaled = std::fabs(v) * scale;
    // Values such as 2.675 are stored a hair below the half; the nudge keeps them at it.
    scaled = std::floor(scaled * (1 + 4 * std::numeric_limits<double>::epsilon()) + 0.5);
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.0f", scaled);
    std::string digits(buf);
    if (static_cast<int>(digits.size()) <= decimals) digits.insert(0, static_cast<size_t>(decimals) + 1 - digits.size(), '0');
    return digits;
}

std::string formatNumberPattern(double v, const std::string& pattern, bool withSign)
{
    std::string prefix, suffix, core;
    bool inCore = false, coreDone = false, quoted = false;
    char quote = 0;
    for (char c : pattern) {
        const bool placeholder = !quoted && (c == '0' || c == '#' || c == '.' || c == ',');
        if (quoted) {
            if (c == quote) quoted = false;
            else (coreDone || inCore ? suffix : prefix) += c;
            continue;
        }
        if (c == '"' || c == '\'') {
            quoted = true;
            quote = c;
            if (inCore) coreDone = true, inCore = false;
            continue;
        }
        if (placeholder && !coreDone) {
            inCore = true;
            core += c;
        } else {
            if (inCore) coreDone = true, inCore = false;
            (coreDone ? suffix : prefix) += c;
        }
    }
    const size_t dot = core.find('.');
    const std::string intPart = core.substr(0, dot);
    const std::string fracPart = dot == std::string::npos ? std::string() : core.substr(dot + 1);
    const bool thousands = intPart.find(',') != std::string::npos;
    int minInt = 0;
    for (char c : intPart)
        if (c == '0') ++minInt;
    int minFrac = 0, maxFrac = 0;
    for (char c : fracPart) {
        if (c == '0') minFrac = ++maxFrac;
        else if (c == '#') ++maxFrac;
    }
    std::string digits = roundedDigits(v, maxFrac);
    std::string ip = digits.substr(0, digits.size() - static_cast<size_t>(maxFrac));
    std::string fp = digits.substr(digits.size() - static_cast<size_t>(maxFrac));
    while (static_cast<int>(fp.size()) > minFrac && fp.back() == '0') fp.pop_back();
    while (ip.size() > 1 && ip.front() == '0') ip.erase(0, 1);
    if (ip == "0" && minInt == 0) ip.clear();
    while (static_cast<int>(ip.size()) < minInt) ip.insert(0, 1, '0');
    if (thousands) {
        for (int i = static_cast<int>(ip.size()) - 3; i > 0; i -= 3) ip.insert(static_cast<size_t>(i), 1, '.');
    }
    std::string out = prefix;
    bool nonZero = false;
    for (char c : ip + fp)
        if (c >= '1' && c <= '9') nonZero = true;
    if (withSign && v < 0 && nonZero) out += '-';
    out += ip;
    if (!fp.empty()) out += ',' + fp;
    if (core.empty()) out.clear(), out = prefix;
    return out + suffix;
}

std::string formatNumberValue(double v, std::string_view format)
{
    const std::vector<std::string> parts = sections(format);
    if (v == 0 && parts.size() >= 3 && !parts[2].empty()) return formatNumberPattern(v, parts[2], false);
    if (v < 0 && parts.size() >= 2 && !parts[1].empty()) return formatNumberPattern(v, parts[1], false);
    return formatNumberPattern(v, parts[0], true);
}

std::string formatDateValue(int32_t days, std::string_view format)
{
    int y, m, d;
    civilFromDays(days, y, m, d);
    std::string out;
    for (size_t i = 0; i < format.size();) {
        const char c = static_cast<char>(format[i] | 0x20);
        size_t n = 1;
        while (i + n < format.size() && static_cast<char>(format[i + n] | 0x20) == c) ++n;
        char buf[16];
        if (c == 'd' && n <= 2) {
            std::snprintf(buf, sizeof buf, n == 2 ? "%02d" : "%d", d);
            out += buf;
        } else if (c == 'm' && n <= 2) {
            std::snprintf(buf, sizeof buf, n == 2 ? "%02d" : "%d", m);
            out += buf;
        } else if (c == 'y') {
            std::snprintf(buf, sizeof buf, n <= 2 ? "%02d" : "%04d", n <= 2 ? y % 100 : y);
            out += buf;
        } else {
            out.append(format.substr(i, n));
        }
        i += n;
    }
    return out;
}

} // namespace

std::string fieldText(const FieldDef& def, const Value& v)
{
    if (v.isNull()) return {};
    if (v.isNumber()) {
        const double x = v.number();
        if (def.decimals == 0 && std::floor(x) != x) return formatNumber(x, -1);
        return formatNumber(x, def.decimals);
    }
    return v.toText();
}

Value valueFromText(const FieldDef& def, std::string_view text)
{
    const std::string t = trimmed(text);
    switch (def.type) {
    case 'N':
    case 'F': {
        if (t.empty()) return {};
        auto n = parseNumber(t);
        if (!n) throw ValueError("'" + t + "' ist keine gültige Zahl für das Feld '" + def.name + "'");
        return Value::number(*n);
    }
    case 'D': {
        if (t.empty()) return {};
        auto d = parseDate(t);
        if (!d) throw ValueError("'" + t + "' ist kein gültiges Datum für das Feld '" + def.name + "'");
        return Value::date(*d);
    }
    case 'L': {
        if (t.empty() || t == "?") return {};
        const std::string u = toUpperGerman(t);
        if (u == "T" || u == "J" || u == "Y" || u == "WAHR" || u == "JA" || u == "TRUE" || u == "1") return Value::logical(true);
        if (u == "F" || u == "N" || u == "FALSCH" || u == "NEIN" || u == "FALSE" || u == "0") return Value::logical(false);
        throw ValueError("'" + t + "' ist kein Wahrheitswert für das Feld '" + def.name + "' (J/N, T/F)");
    }
    default: return Value::text(std::string(text));
    }
}

std::string formatValue(const FieldDef& def, const Value& v, std::string_view format)
{
    if (format.empty() || v.isNull()) return fieldText(def, v);
    switch (v.type()) {
    case ValueType::Number: return formatNumberValue(v.number(), format);
    case ValueType::Date: return formatDateValue(v.date(), format);
    case ValueType::Logical: {
        const std::vector<std::string> parts = sections(format);
        if (parts.size() >= 2) return v.logical() ? parts[0] : parts[1];
        return fieldText(def, v);
    }
    default: return fieldText(def, v);
    }
}

} // namespace trevo::engine
