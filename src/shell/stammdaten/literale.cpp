#include "shell/stammdaten/literale.h"

#include "engine/core/error.h"
#include "engine/core/value.h"
#include "engine/dataset/field_text.h"
#include "engine/sql/sql.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <optional>

namespace trevo::shell::stammdaten {

using engine::FieldDef;
using engine::Value;

Feldart feldart(const FieldDef& field)
{
    switch (field.type) {
    case 'D': return Feldart::Datum;
    case 'C': return Feldart::Text;
    case 'M': return Feldart::Memo;
    default: return Feldart::Sonstige;
    }
}

namespace {

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

// "hh:mm" or "hh:mm:ss" as a fraction of a day.
std::optional<double> timeOfDay(std::string_view t)
{
    int part[3] = {0, 0, 0};
    int count = 0;
    size_t i = 0;
    while (i <= t.size() && count < 3) {
        size_t b = i;
        while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i;
        if (i == b || i - b > 2) return std::nullopt;
        part[count++] = std::stoi(std::string(t.substr(b, i - b)));
        if (i == t.size()) break;
        if (t[i] != ':') return std::nullopt;
        ++i;
    }
    if (i != t.size() || count < 2) return std::nullopt;
    if (part[0] > 23 || part[1] > 59 || part[2] > 59) return std::nullopt;
    return (part[0] * 3600.0 + part[1] * 60.0 + part[2]) / 86400.0;
}

[[noreturn]] void noDate(std::string_view text)
{
    throw engine::ValueError("'" + std::string(text) + "' ist kein gültiges Datum");
}

std::string numberText(double v)
{
    if (v == std::floor(v) && std::fabs(v) < 1e15) return std::to_string(static_cast<long long>(v));
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.10g", v);
    return buf;
}

} // namespace

std::string datumsSeriennummer(std::string_view text)
{
    const std::string_view t = trimmed(text);
    const size_t blank = t.find(' ');
    const std::string_view datePart = blank == std::string_view::npos ? t : t.substr(0, blank);
    const std::optional<int32_t> days = engine::parseDate(datePart);
    if (!days) noDate(text);
    if (blank == std::string_view::npos) return std::to_string(*days);
    const std::optional<double> time = timeOfDay(trimmed(t.substr(blank)));
    if (!time) noDate(text);
    return numberText(*days + *time);
}

std::string literal(const FieldDef& field, std::string_view text, char quote)
{
    switch (feldart(field)) {
    case Feldart::Datum: return datumsSeriennummer(text);
    case Feldart::Text:
    case Feldart::Memo: return engine::sql::quoted(text, quote);
    case Feldart::Sonstige: break;
    }
    const Value v = engine::valueFromText(field, text);
    if (v.isLogical()) return v.logical() ? "TRUE" : "FALSE";
    if (v.isNumber()) return numberText(v.number());
    throw engine::ValueError("Ungültiger Wert für das Feld " + field.name);
}

} // namespace trevo::shell::stammdaten
