#pragma once
// The 10-byte extended floating-point format of object streams: a 64-bit mantissa
// with an explicit integer bit (little-endian), then sign and a 15-bit exponent with
// bias 16383. Converted with frexp/ldexp, independent of the machine's long double.
#include <cstdint>

namespace trevo::common {

void encodeExtended(double v, uint8_t out[10]);
// Rounds to the nearest double; values beyond the double range become infinite.
double decodeExtended(const uint8_t in[10]);

} // namespace trevo::common
