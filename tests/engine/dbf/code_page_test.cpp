#include "engine/codepage/code_page.h"

#include <gtest/gtest.h>

namespace trevo::engine {
namespace {

TEST(DbfCodePage, DriversChooseTheirPage)
{
    EXPECT_EQ(codePageForDriver(0x57).number(), 1252);
    EXPECT_EQ(codePageForDriver(0x03).number(), 1252);
    EXPECT_EQ(codePageForDriver(0x01).number(), 437);
    EXPECT_EQ(codePageForDriver(0x0F).number(), 437);
    EXPECT_EQ(codePageForDriver(0x02).number(), 850);
    EXPECT_EQ(codePageForDriver(0x10).number(), 850);
    EXPECT_EQ(codePageForDriver(0x64).number(), 852);
    EXPECT_EQ(codePageForDriver(0x65).number(), 866);
    EXPECT_EQ(codePageForDriver(0x66).number(), 865);
    EXPECT_EQ(codePageForDriver(0xC8).number(), 1250);
    EXPECT_EQ(codePageForDriver(0xC9).number(), 1251);
    bool known = true;
    EXPECT_EQ(codePageForDriver(0x00, &known).number(), 1252);
    EXPECT_TRUE(known);
    EXPECT_EQ(codePageForDriver(0x7A, &known).number(), 1252);
    EXPECT_FALSE(known);
}

TEST(DbfCodePage, EveryByteSurvivesARoundTrip)
{
    for (uint8_t id : {0x57, 0x01, 0x02, 0x64, 0x65, 0x66, 0xC8, 0xC9}) {
        const CodePage& cp = codePageForDriver(id);
        std::string all;
        for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
        auto back = cp.encode(cp.decode(all));
        ASSERT_TRUE(back) << cp.name();
        EXPECT_EQ(*back, all) << cp.name();
    }
}

TEST(DbfCodePage, GermanLettersInEachWesternPage)
{
    const std::string text = "Äpfel, Öl, Übermut, süß";
    EXPECT_EQ(*codePageForDriver(0x57).encode(text), "\xC4pfel, \xD6l, \xDC" "bermut, s\xFC\xDF");
    EXPECT_EQ(*codePageForDriver(0x01).encode(text), "\x8Epfel, \x99l, \x9A" "bermut, s\x81\xE1");
    EXPECT_EQ(*codePageForDriver(0x02).encode(text), "\x8Epfel, \x99l, \x9A" "bermut, s\x81\xE1");
    EXPECT_EQ(codePageForDriver(0x01).decode("Gr\x81\xE1"), "Grüß");
    EXPECT_EQ(codePageForDriver(0xC9).decode("\xCC\xE8\xF0"), "Мир");
    EXPECT_EQ(codePageForDriver(0xC8).decode("\xA3\xF3\x9F"), "Łóź");
}

TEST(DbfCodePage, RefusesWhatThePageCannotHold)
{
    std::string bad;
    EXPECT_FALSE(codePageForDriver(0x57).encode("Мир", &bad));
    EXPECT_EQ(bad, "М");
    EXPECT_FALSE(codePageForDriver(0x01).encode("5 €", &bad));
    EXPECT_EQ(bad, "€");
    EXPECT_FALSE(codePageForDriver(0x57).encode("a\xFF" "b", &bad)); // broken UTF-8
    EXPECT_TRUE(codePageForDriver(0x65).encode("Мир"));
}

} // namespace
} // namespace trevo::engine
