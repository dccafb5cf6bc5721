#pragma once
// Value texts of the search and range dialogs turned into literals of a statement or a
// filter expression, by the type of the field they are compared with.
#include "engine/dbf/field.h"

#include <string>
#include <string_view>

namespace trevo::shell::stammdaten {

enum class Feldart { Datum, Text, Memo, Sonstige };

Feldart feldart(const engine::FieldDef& field);

// A date (and time) as typed, "d.m.yyyy" or "d.m.yyyy hh:mm[:ss]", as its serial number:
// days since 30.12.1899, the time of day as a fraction written with a decimal point.
// ValueError with a German text when the text is no date.
std::string datumsSeriennummer(std::string_view text);

// The literal of a value text for the field:
//   date fields: the serial number;
//   text and memo fields: the text between the quote characters, every quote inside
//   doubled, so a search text with a quote stays one literal and cannot change the
//   statement (a deliberate mend: the texts used to be pasted between quotes as typed);
//   numbers and logical values: the typed text converted for the field and written the
//   way the statement reads it ("2,50" as 2.5, "J" as TRUE). A text that is no value of
//   the field raises the ValueError naming the field instead of being pasted unchecked.
std::string literal(const engine::FieldDef& field, std::string_view text, char quote);

} // namespace trevo::shell::stammdaten
