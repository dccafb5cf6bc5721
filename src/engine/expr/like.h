#pragma once
// SQL LIKE over UTF-8 texts.
#include <string_view>

namespace trevo::engine::expr {

// LIKE with % (any run of characters) and _ (one character, umlaut included); an
// escaped % or _ stands for itself. The case of letters does not matter, umlauts
// included ("mü%" matches "Müller", ß matches itself); trailing blanks never count.
bool likeMatch(std::string_view text, std::string_view pattern, char32_t escape = 0);

} // namespace trevo::engine::expr
