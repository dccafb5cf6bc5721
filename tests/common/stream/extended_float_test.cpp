#include "common/stream/extended_float.h"
#include "stream_bytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

using namespace trevo::common;

namespace {

std::string encoded(double v)
{
    uint8_t b[10];
    encodeExtended(v, b);
    return std::string(reinterpret_cast<const char*>(b), 10);
}

double decoded(const std::string& b) { return decodeExtended(reinterpret_cast<const uint8_t*>(b.data())); }

} // namespace

TEST(ExtendedFloat, KnownBytes)
{
    EXPECT_EQ(encoded(1.0), std::string("\0\0\0\0\0\0\0\x80\xFF\x3F", 10));
    EXPECT_EQ(encoded(-2.0), std::string("\0\0\0\0\0\0\0\x80\x00\xC0", 10));
    EXPECT_EQ(encoded(0.0), std::string(10, '\0'));
    // The double nearest 1.95583 keeps its 53 bits; the low 11 mantissa bits are zero.
    EXPECT_EQ(encoded(1.95583), std::string("\x00\x28\x91\x44\x2F\xA3\x58\xFA\xFF\x3F", 10));
    EXPECT_EQ(decoded(test::kEurokursExtended), 1.95583);
    EXPECT_EQ(decoded(std::string("\0\0\0\0\0\0\0\xA0\x02\x40", 10)), 10.0);
}

TEST(ExtendedFloat, RoundTripsEveryDoubleExactly)
{
    const double denormal = std::numeric_limits<double>::denorm_min();
    for (double v : {1.95583, -1.95583, 0.1, 1e-300, -1e300, 123456789.125, denormal, -0.0,
                     std::numeric_limits<double>::max(), std::numeric_limits<double>::infinity()}) {
        const double back = decoded(encoded(v));
        EXPECT_EQ(back, v) << v;
        EXPECT_EQ(std::signbit(back), std::signbit(v)) << v;
    }
    EXPECT_TRUE(std::isnan(decoded(encoded(std::nan("")))));
}

TEST(ExtendedFloat, AgreesWithTheMachinesExtendedFormatWhereThereIsOne)
{
    if constexpr (std::numeric_limits<long double>::digits == 64) {
        for (long double v : {1.95583L, -3.25L, 1e-4000L, 1e4000L, 0.333333333333333333L}) {
            std::string machine(10, '\0');
            std::memcpy(machine.data(), &v, 10);
            EXPECT_EQ(decoded(machine), static_cast<double>(v));
            if (static_cast<long double>(static_cast<double>(v)) == v) {
                EXPECT_EQ(encoded(static_cast<double>(v)), machine);
            }
        }
    } else {
        GTEST_SKIP() << "long double is not the 80-bit format here";
    }
}
