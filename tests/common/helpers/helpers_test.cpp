#include "engine/core/error.h"
#include "common/helpers/feld_vorhanden.h"
#include "common/helpers/jahr_korrigieren.h"
#include "common/helpers/stellen_runden.h"

#include <gtest/gtest.h>

using namespace trevo::common;

namespace {
double runden(int stellen, long double wert) { return static_cast<double>(StellenRunden(stellen, wert)); }
} // namespace

TEST(StellenRunden, HalvesGoUpwards)
{
    EXPECT_DOUBLE_EQ(runden(2, 2.346L), 2.35);
    EXPECT_DOUBLE_EQ(runden(2, 2.344L), 2.34);
    EXPECT_DOUBLE_EQ(runden(1, 2.25L), 2.3);
    EXPECT_DOUBLE_EQ(runden(0, 2.5L), 3.0);
    EXPECT_DOUBLE_EQ(runden(0, 2.4999L), 2.0);
}

TEST(StellenRunden, BelowZeroHalvesAlsoGoUpwards)
{
    EXPECT_DOUBLE_EQ(runden(1, -2.25L), -2.2);
    EXPECT_DOUBLE_EQ(runden(1, -1.26L), -1.3);
    EXPECT_DOUBLE_EQ(runden(0, -2.5L), -2.0);
    EXPECT_DOUBLE_EQ(runden(0, -0.5L), 0.0);
    EXPECT_DOUBLE_EQ(runden(2, -0.004L), 0.0);
}

TEST(StellenRunden, PowerOfTenThatCannotBeFormedGivesZero)
{
    EXPECT_DOUBLE_EQ(runden(9, 1.5L), 1.5);
    EXPECT_DOUBLE_EQ(runden(10, 1.5L), 0.0);
    EXPECT_DOUBLE_EQ(runden(40, 1.5L), 0.0);
    EXPECT_DOUBLE_EQ(runden(-3, 1.5L), 2.0); // "1" without zeros: whole numbers
}

TEST(StellenRunden, ExtendedPrecisionKeepsTwoPlacesOfLargeAmounts)
{
    // 12345678.905 is not exact in binary either way; what matters is that the product is
    // formed in extended precision and does not overflow or lose the cents.
    EXPECT_DOUBLE_EQ(runden(2, 12345678.125L), 12345678.13);
    EXPECT_DOUBLE_EQ(runden(2, 1e15L + 0.125L), 1e15 + 0.13);
}

TEST(JahrKorrigieren, EarlyYearsMoveACenturyForward)
{
    std::string t = "5.6.1925";
    JahrKorrigieren(t);
    EXPECT_EQ(t, "05.06.2025");
    t = "31.12.1929";
    JahrKorrigieren(t);
    EXPECT_EQ(t, "31.12.2029");
    t = "29.2.1904"; // 2004 is a leap year too
    JahrKorrigieren(t);
    EXPECT_EQ(t, "29.02.2004");
}

TEST(JahrKorrigieren, From1930OnTheTextStaysAsTyped)
{
    for (std::string typed : {"5.6.1930", "1.1.1930", " 7.3.2024", "5.6.45", "1.2.25"}) {
        std::string t = typed;
        JahrKorrigieren(t);
        EXPECT_EQ(t, typed);
    }
}

TEST(JahrKorrigieren, UnreadableOrImpossibleDatesRaiseGermanErrors)
{
    std::string t = "32.1.2000";
    EXPECT_THROW(JahrKorrigieren(t), trevo::engine::ValueError);
    EXPECT_EQ(t, "32.1.2000");
    t = "heute";
    try {
        JahrKorrigieren(t);
        FAIL();
    } catch (const trevo::engine::ValueError& e) {
        EXPECT_STREQ(e.what(), "'heute' ist kein gültiges Datum");
    }
    t = "29.2.1600"; // 1700 is no leap year
    EXPECT_THROW(JahrKorrigieren(t), trevo::engine::ValueError);
    EXPECT_EQ(t, "29.2.1600");
}

TEST(FeldVorhanden, ComparesNamesWithoutCase)
{
    const std::vector<trevo::engine::FieldDef> felder = {{"NUMMER", 'N', 10, 0}, {"GUELTIG", 'N', 2, 0}};
    EXPECT_TRUE(FeldVorhanden(felder, "GUELTIG"));
    EXPECT_TRUE(FeldVorhanden(felder, "gueltig"));
    EXPECT_TRUE(FeldVorhanden(felder, "Nummer"));
    EXPECT_FALSE(FeldVorhanden(felder, "NUMME"));
    EXPECT_FALSE(FeldVorhanden(felder, ""));
    EXPECT_FALSE(FeldVorhanden({}, "NUMMER"));
}
