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

TEST(Utf8Decoding, OnlyShortestFormsOfRealCharactersAreRead)
{
    auto decode = [](std::string_view s) {
        std::u32string out;
        for (size_t pos = 0; pos < s.size();) out.push_back(nextCodePoint(s, pos));
        return out;
    };
    EXPECT_EQ(decode("\x47r\xC3\xBC\xC3\x9F" "e"), U"Grüße");
    EXPECT_EQ(decode("\xF0\x9F\x8E\xB3"), U"\U0001F3B3");
    // Overlong forms of 'd' and '/', a surrogate, a value past U+10FFFF, a lone continuation.
    EXPECT_EQ(decode("\xC1\xA4x"), U"\uFFFD\uFFFDx");
    EXPECT_EQ(decode("\xE0\x80\xAF"), U"\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(decode("\xED\xA0\x80"), U"\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(decode("\xF4\x90\x80\x80"), U"\uFFFD\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(decode("\x80"), U"\uFFFD");
}
