#pragma once
// Text of Paradox files: single-byte code pages named by the number in the table
// header (1252, 437, 850, ...). Inside the program text is UTF-8.
#include "engine/codepage/code_page.h"

#include <string>
#include <string_view>

namespace trevo::engine::paradox {

// The code page of a header's code page number; unknown numbers read as 1252.
const CodePage& codePageNumbered(uint16_t number);

// Windows-1252, the code page of the options table and of object stream strings.
std::string ansiToUtf8(std::string_view ansi);
// Characters without a code in 1252 become '?'; `lossless` (when given) tells whether
// every character could be kept.
std::string utf8ToAnsi(std::string_view utf8, bool* lossless = nullptr);

// The same for any code page.
std::string encodeLossy(const CodePage& cp, std::string_view utf8, bool* lossless = nullptr);

} // namespace trevo::engine::paradox
