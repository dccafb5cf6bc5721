#pragma once
// Rounding to a number of decimal places, halves upwards (also below zero:
// -2.25 with one place gives -2.2), computed in extended precision.

namespace trevo::common {

// The power of ten is formed as the 32-bit integer "1" followed by `stellen` zeros; when it
// cannot be formed (more than nine places) the result is 0. Negative places count as 0.
long double StellenRunden(int stellen, long double wert);

} // namespace trevo::common
