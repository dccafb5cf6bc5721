#include "engine/core/error.h"
#include "engine/index/index_key.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

using namespace trevo::engine;

namespace {
bool keyLess(char type, const Value& a, const Value& b)
{
    return indexKey(type, a) < indexKey(type, b);
}
} // namespace

TEST(IndexKey, NumbersByValueNullFirst)
{
    std::vector<double> nums = {3.5, -2, 0, -0.0, 1e9, -1e-9, 1e-9, 12, 2, -1e9, 100.25};
    std::vector<double> byKey = nums;
    std::sort(byKey.begin(), byKey.end(),
              [](double a, double b) { return keyLess('N', Value::number(a), Value::number(b)); });
    std::vector<double> byValue = nums;
    std::stable_sort(byValue.begin(), byValue.end());
    for (size_t i = 0; i < nums.size(); ++i) EXPECT_EQ(byKey[i], byValue[i]) << i;
    EXPECT_EQ(indexKey('N', Value::number(-0.0)), indexKey('N', Value::number(0)));
    EXPECT_TRUE(keyLess('N', Value::null(), Value::number(-1e300)));
    // A text for a number field is read as the number it spells.
    EXPECT_EQ(indexKey('N', Value::text("12,5")), indexKey('N', Value::number(12.5)));
    EXPECT_THROW(indexKey('N', Value::text("zwölf")), ValueError);
}

TEST(IndexKey, DatesLogicalsAndTexts)
{
    const int32_t d1 = daysFromCivil(1999, 12, 31), d2 = daysFromCivil(2000, 1, 1);
    EXPECT_TRUE(keyLess('D', Value::date(d1), Value::date(d2)));
    EXPECT_TRUE(keyLess('D', Value::date(-5), Value::date(3)));
    EXPECT_TRUE(keyLess('D', Value::null(), Value::date(-100000)));
    EXPECT_EQ(indexKey('D', Value::text("1.1.2000")), indexKey('D', Value::date(d2)));
    EXPECT_EQ(indexKey('D', Value::number(d2)), indexKey('D', Value::date(d2)));
    EXPECT_THROW(indexKey('D', Value::text("31.02.2001")), ValueError);

    EXPECT_TRUE(keyLess('L', Value::logical(false), Value::logical(true)));
    EXPECT_TRUE(keyLess('L', Value::null(), Value::logical(false)));

    // German collation, trailing blanks do not count, blank text reads as NULL.
    EXPECT_TRUE(keyLess('C', Value::text("Mueller"), Value::text("Müller")));
    EXPECT_TRUE(keyLess('C', Value::text("Müller"), Value::text("Muster")));
    EXPECT_TRUE(keyLess('C', Value::text("meier"), Value::text("Meier")));
    EXPECT_EQ(indexKey('C', Value::text("Abc   ")), indexKey('C', Value::text("Abc")));
    EXPECT_EQ(indexKey('C', Value::text("   ")), indexKey('C', Value::null()));
    // A typed beginning sorts before the names it starts.
    EXPECT_TRUE(keyLess('C', Value::text("Mü"), Value::text("Müller")));
    EXPECT_TRUE(keyLess('C', Value::text("Mül"), Value::text("Müller")));
    EXPECT_FALSE(keyLess('C', Value::text("Mus"), Value::text("Müller")));
}
