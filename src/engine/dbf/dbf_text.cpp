// Fields as typed text and as display text.
#include "engine/dbf/dbf_impl.h"

#include "engine/core/collation.h"
#include "engine/core/error.h"
#include "engine/dbf/field_codec.h"

namespace trevo::engine {

namespace {

std::string trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return std::string(s);
}

std::optional<bool> parseLogical(const std::string& t)
{
    const std::string u = toUpperGerman(t);
    if (u == "T" || u == "J" || u == "Y" || u == "WAHR" || u == "JA" || u == "TRUE" || u == "1") return true;
    if (u == "F" || u == "N" || u == "FALSCH" || u == "NEIN" || u == "FALSE" || u == "0") return false;
    return std::nullopt;
}

} // namespace

Value DbfTable::fromText(int field, std::string_view text) const
{
    if (field < 0 || static_cast<size_t>(field) >= impl_->header.fields.size())
        throw EngineError("Die Tabelle '" + impl_->fileName + "' hat kein Feld Nr. " + std::to_string(field + 1));
    const FieldDef& f = impl_->header.fields[static_cast<size_t>(field)];
    const std::string t = trimmed(text);
    Value v;
    switch (f.type) {
    case 'C':
    case 'M': v = Value::text(std::string(text)); break;
    case 'N':
    case 'F': {
        if (t.empty()) break;
        auto n = parseNumber(t);
        if (!n) throw ValueError("'" + t + "' ist keine gültige Zahl für das Feld '" + f.name + "'");
        v = Value::number(*n);
        validate(field, v);
        return Value::number(roundToField(f, *n));
    }
    case 'D': {
        if (t.empty()) break;
        auto d = parseDate(t);
        if (!d) throw ValueError("'" + t + "' ist kein gültiges Datum für das Feld '" + f.name + "'");
        v = Value::date(*d);
        break;
    }
    case 'L': {
        if (t.empty() || t == "?") break;
        auto b = parseLogical(t);
        if (!b) throw ValueError("'" + t + "' ist kein Wahrheitswert für das Feld '" + f.name + "' (J/N, T/F)");
        v = Value::logical(*b);
        break;
    }
    }
    validate(field, v);
    return v;
}

std::string DbfTable::textOf(uint32_t recno, int field) const
{
    const Value v = get(recno, field);
    if (v.isNull()) return {};
    const FieldDef& f = impl_->header.fields[static_cast<size_t>(field)];
    switch (v.type()) {
    case ValueType::Number: return formatNumber(v.number(), f.decimals);
    default: return v.toText();
    }
}

} // namespace trevo::engine
