#pragma once
// The texts the search dialogs build: the search statement that the calling window runs
// and the filter expression of the range dialog.
#include "engine/dbf/field.h"

#include <string>
#include <string_view>
#include <vector>

namespace trevo::shell::stammdaten {

// How a text field matches the search text: from its start (search dialog) or anywhere
// in its value (search and replace).
enum class Suchart { Anfang, Irgendwo };

// SELECT NUMMER,<field> / FROM / "<path>" / WHERE / <condition>, one line each. The
// condition: a date field "=" its serial number; a text field LIKE the quoted pattern;
// any other field "=" its literal. ValueError when the text is no value of the field.
std::vector<std::string> suchAnweisung(const std::string& path, const engine::FieldDef& field,
                                       std::string_view text, Suchart art);

// The conditions of the range dialog, in the order of its list.
enum class Bedingung { Gleich, Groesser, GroesserGleich, Kleiner, KleinerGleich, Ungleich, Zwischen };
constexpr int bedingungsAnzahl = 7;

// The list item of a condition, blanks included ("größer als  >  ").
const char* bedingungsText(Bedingung b);

// "(F op V1)", or for the interval "(F>=V1 AND F<=V2)"; text literals in single quotes.
// ValueError when a value is no value of the field (no date for a date field).
std::string filterAusdruck(const engine::FieldDef& field, Bedingung b, std::string_view from,
                           std::string_view to);

} // namespace trevo::shell::stammdaten
