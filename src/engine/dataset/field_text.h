#pragma once
// Values of fields as text, the way the program shows and copies them.
#include "engine/core/value.h"
#include "engine/dbf/field.h"

#include <string>
#include <string_view>

namespace trevo::engine {

// The value as plain text for its field: "" for NULL, numbers with the field's decimals
// and a decimal comma, dates "dd.mm.yyyy", logicals "Wahr"/"Falsch", texts as they are.
std::string fieldText(const FieldDef& def, const Value& v);

// Converts typed text into a value of a field of that type (decimal comma or point,
// d.m.yyyy dates, J/N T/F logicals; blank is NULL). Throws ValueError naming the field.
Value valueFromText(const FieldDef& def, std::string_view text);

// Display formats: number patterns of '0' (digit), '#' (digit when needed), '.' (decimal
// comma on output), ',' (thousands point on output), quoted literals and up to three
// sections "positive;negative;zero"; date patterns of d, dd, m, mm, yy, yyyy and other
// characters as they are; for logicals "Ja;Nein" names the two values. An empty format
// gives fieldText.
std::string formatValue(const FieldDef& def, const Value& v, std::string_view format);

} // namespace trevo::engine
