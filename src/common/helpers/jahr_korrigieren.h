#pragma once
// The date correction applied when a date field is left: a date whose year reads below
// 1930 is moved 100 years forward ("5.6.1925" becomes "05.06.2025").
#include <string>

namespace trevo::common {

// Changes the text in place. A text that is no date, or a corrected date that does not
// exist (29.02.1600 would become 29.02.1700), throws engine::ValueError with a German text.
// Dates of 1930 or later keep the text exactly as typed.
void JahrKorrigieren(std::string& text);

} // namespace trevo::common
