#pragma once
// SQL statements built line by line, the way every statement of the program is written.
#include <initializer_list>
#include <string>

namespace trevo::data {

// The lines joined by line breaks.
std::string Zeilen(std::initializer_list<std::string> zeilen);

// A table path (or any value) pasted into a statement in double quotation marks, with a
// quotation mark inside doubled. Deliberate mend: a quote in a folder name or in a value
// can no longer end the literal early and change the statement.
std::string InAnfuehrung(const std::string& wert);

} // namespace trevo::data
