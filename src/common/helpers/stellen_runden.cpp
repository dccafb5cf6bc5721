#include "common/helpers/stellen_runden.h"

#include <cmath>
#include <cstdint>

namespace trevo::common {
namespace {

// "1" followed by n zeros as a 32-bit integer; 0 when it does not fit.
int64_t zehnHoch(int n)
{
    int64_t m = 1;
    for (int i = 0; i < n; ++i) {
        m *= 10;
        if (m > INT32_MAX) return 0;
    }
    return m;
}

} // namespace

long double StellenRunden(int stellen, long double wert)
{
    const int64_t m = zehnHoch(stellen);
    if (m == 0) return 0;
    const long double faktor = static_cast<long double>(m);
    return std::floor(wert * faktor + 0.5L) / faktor;
}

} // namespace trevo::common
