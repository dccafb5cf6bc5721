#include "engine/core/collation.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

using namespace trevo::engine;

TEST(GermanCollation, LettersBeforeCaseUmlautsAsBase)
{
    std::vector<std::string> names = {"Zander", "müller", "Mueller", "Müller", "Muster", "Maier", "meier",
                                      "Strauß", "Strauss", "Ärger", "Adler", "1. FC", "zeta"};
    std::sort(names.begin(), names.end(), [](auto& a, auto& b) { return collate(a, b) < 0; });
    const std::vector<std::string> expected = {"1. FC", "Adler", "Ärger", "Maier", "meier", "Mueller",
                                               "müller", "Müller", "Muster", "Strauss", "Strauß",
                                               "Zander", "zeta"};
    EXPECT_EQ(names, expected);
    EXPECT_EQ(collate("Abc", "Abc"), 0);
    EXPECT_NE(collate("Abc", "abc"), 0);
    EXPECT_LT(collate("abc", "Abc"), 0);
}

TEST(GermanCollation, KeyOrderEqualsCompare)
{
    const std::vector<std::string> words = {"", "a", "A", "ä", "Ä", "ab", "aß", "ass", "b", "é", "e", "z", "~", "0"};
    for (auto& a : words)
        for (auto& b : words) {
            const int byKey = collationKey(a).compare(collationKey(b));
            EXPECT_EQ(byKey < 0, collate(a, b) < 0) << a << " / " << b;
            EXPECT_EQ(byKey == 0, a == b) << a << " / " << b;
        }
}

TEST(GermanCase, UpperLowerUmlauts)
{
    EXPECT_EQ(toUpperGerman("müller straße"), "MÜLLER STRAßE");
    EXPECT_EQ(toLowerGerman("ÄRGER"), "ärger");
    EXPECT_EQ(trimRight("abc  "), "abc");
}
