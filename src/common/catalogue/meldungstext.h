#pragma once
// The message catalogue: one German text per situation, so that every window reports the
// same situation in the same words. Codes are grouped by thousands: 1000 number conflicts,
// 2000 data and search results, 3000 invalid input, 4000 files and other situations.
#include <string>
#include <vector>

namespace trevo::common {

// The text of a code. Parameterised texts insert parameter i (counting from 1) as its
// text followed by one blank when the list has at least i entries, and as the empty
// text otherwise. Parameters longer than 255 characters are cut to 255.
// Codes without an entry give the empty text; the function never fails.
std::string MeldungsText(int code, const std::vector<std::string>& parameter = {});

} // namespace trevo::common
