#include "common/stream/extended_float.h"

#include <cmath>
#include <limits>

namespace trevo::common {

void encodeExtended(double v, uint8_t out[10])
{
    uint64_t mantissa = 0;
    uint16_t exponent = 0;
    const bool negative = std::signbit(v);
    if (std::isnan(v)) {
        mantissa = 0xC000000000000000ull;
        exponent = 0x7FFF;
    } else if (std::isinf(v)) {
        mantissa = 0x8000000000000000ull;
        exponent = 0x7FFF;
    } else if (v != 0) {
        int e = 0;
        const double m = std::frexp(std::fabs(v), &e); // |v| = m * 2^e, 0.5 <= m < 1
        mantissa = static_cast<uint64_t>(std::ldexp(m, 64));
        exponent = static_cast<uint16_t>(e + 16382);
    }
    for (int i = 0; i < 8; ++i) out[i] = static_cast<uint8_t>(mantissa >> (8 * i));
    const uint16_t top = static_cast<uint16_t>(exponent | (negative ? 0x8000 : 0));
    out[8] = static_cast<uint8_t>(top);
    out[9] = static_cast<uint8_t>(top >> 8);
}

double decodeExtended(const uint8_t in[10])
{
    uint64_t mantissa = 0;
    for (int i = 7; i >= 0; --i) mantissa = (mantissa << 8) | in[i];
    const uint16_t top = static_cast<uint16_t>(in[8] | (in[9] << 8));
    const bool negative = (top & 0x8000) != 0;
    const int exponent = top & 0x7FFF;
    double v;
    if (exponent == 0x7FFF) {
        v = (mantissa << 1) == 0 ? std::numeric_limits<double>::infinity()
                                 : std::numeric_limits<double>::quiet_NaN();
    } else {
        v = std::ldexp(static_cast<double>(mantissa), (exponent == 0 ? 1 : exponent) - 16383 - 63);
    }
    return negative ? -v : v;
}

} // namespace trevo::common
