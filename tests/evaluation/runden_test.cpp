// The rounding of averages and totals and the texts amounts are written with.
#include "evaluation/kern/betrag.h"

#include <gtest/gtest.h>

namespace trevo::evaluation {
namespace {

const Rundung beideAn{true, true};
const Rundung beideAus{false, false};
const Rundung nurZehntel{true, false};
const Rundung nurAufrunden{false, true};

TEST(Runden, SevenAmongThreeGivesTwoFortyOrTwoThirtyThree)
{
    EXPECT_EQ(Runden(beideAn, 700, 3), 240);
    EXPECT_EQ(Runden(beideAus, 700, 3), 233);
    EXPECT_EQ(Runden(nurZehntel, 700, 3), 230);   // 23.33 + 0.5 cut
    EXPECT_EQ(Runden(nurAufrunden, 700, 3), 234); // 233.33 + 0.99 cut
}

TEST(Runden, MultiplesStayAndTheSmallestExcessIsCutOff)
{
    EXPECT_EQ(Runden(beideAn, 240), 240);
    EXPECT_EQ(Runden(beideAn, 300, 4), 80);  // 0.75 raised to 0.80
    EXPECT_EQ(Runden(beideAn, 2301), 2310);  // 230.1 + 0.99 cut to 231 tenths
    EXPECT_EQ(Runden(beideAn, 0), 0);
    // x*10 exceeding a whole number by less than 0.01 is cut: 46001 / 20 cents = 23.0005, 230.005 + 0.99
    EXPECT_EQ(Runden(beideAn, 46001, 20), 2300);
    EXPECT_EQ(Runden(beideAus, 1, 2), 1);    // 0.005 rounds half up
    EXPECT_EQ(Runden(beideAus, 1, 3), 0);
}

TEST(Runden, NegativeAmountsAreCutTowardsZero)
{
    EXPECT_EQ(Runden(beideAn, -233), -220); // -23.3 + 0.99 = -22.31 -> -22
    EXPECT_EQ(Runden(beideAus, -233), -232); // -233 + 0.5 cut towards zero
    EXPECT_EQ(Runden(beideAus, -1, 2), 0); // -0.5 + 0.5
}

TEST(Runden, NoDriftOverManyAmounts)
{
    // A thousand times 0.10: adding doubles drifts, cents do not.
    Cent summe = 0;
    double d = 0;
    for (int i = 0; i < 1000; ++i) {
        summe += centVon(engine::Value::number(0.1));
        d += 0.1;
    }
    EXPECT_EQ(summe, 10000);
    EXPECT_NE(d, 100.0);
    EXPECT_EQ(Runden(beideAn, summe), 10000);
}

TEST(Betragstexte, PrintfFormsWithPointAndShortestText)
{
    EXPECT_EQ(formatiert(31240, 8), "  312.40");
    EXPECT_EQ(formatiert(-5, 8), "   -0.05");
    EXPECT_EQ(formatiert(1250, 6, true), "12.50 ");
    EXPECT_EQ(formatiert(123456789, 8), "1234567.89");
    EXPECT_EQ(kuerzesterText(1680), "16.8");
    EXPECT_EQ(kuerzesterText(1200), "12");
    EXPECT_EQ(kuerzesterText(-5), "-0.05");
    EXPECT_EQ(kuerzesterText(0), "0");
    EXPECT_EQ(mitKomma("  312.40"), "  312,40");
}

TEST(Betragstexte, StoredAmountsBecomeCents)
{
    EXPECT_EQ(centVon(engine::Value()), 0);
    EXPECT_EQ(centVon(engine::Value::number(0.29)), 29);
    EXPECT_EQ(centVon(engine::Value::number(-7.25)), -725);
    EXPECT_EQ(centMal(3, 10), 30);
}

} // namespace
} // namespace trevo::evaluation
