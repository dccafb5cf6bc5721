#pragma once
// German ordering of texts, used by indexes, ORDER BY and the comparison operators
// < > <= >=: letters compare before case, umlauts as their base letter, ß as ss;
// ties are broken by case (lower before upper) and then by the exact text.
// Equality (=) stays exact and is not decided here; LIKE ignores case through foldCase.
#include <string>
#include <string_view>

namespace trevo::engine {

// A byte string whose plain byte order (memcmp) is the German order of the texts.
std::string collationKey(std::string_view utf8);
// <0, 0, >0 like strcmp, by the German order; 0 only for identical texts.
int collate(std::string_view a, std::string_view b);

// Trailing blanks never count in stored texts.
std::string_view trimRight(std::string_view s);

// Unicode code points of UTF-8 text; invalid bytes read as U+FFFD.
char32_t nextCodePoint(std::string_view s, size_t& pos);
void appendUtf8(std::string& out, char32_t cp);
// Upper and lower case of German text (umlauts included, ß stays ß).
std::string toUpperGerman(std::string_view utf8);
std::string toLowerGerman(std::string_view utf8);
// Lower case of one code point: A-Z and the Latin-1 capitals (Ä, Ö, Ü, É, ...).
char32_t lowerCodePoint(char32_t cp);
// The code point that texts compared without regard to case agree on: the lower case,
// the capital sharp s (U+1E9E) as ß. One code point stays one code point.
char32_t foldCase(char32_t cp);

} // namespace trevo::engine
