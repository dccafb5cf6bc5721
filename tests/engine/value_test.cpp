#include "engine/core/value.h"
#include "engine/core/error.h"

#include <gtest/gtest.h>

using namespace trevo::engine;

TEST(DayNumbers, EpochAndKnownDates)
{
    EXPECT_EQ(daysFromCivil(1899, 12, 30), 0);
    EXPECT_EQ(daysFromCivil(1900, 1, 1), 2);
    EXPECT_EQ(daysFromCivil(1990, 1, 1), 32874);
    EXPECT_EQ(daysFromCivil(2026, 12, 9), 46365);
    for (int d = -1000; d < 80000; d += 37) {
        int y, m, dd;
        civilFromDays(d, y, m, dd);
        EXPECT_EQ(daysFromCivil(y, m, dd), d);
    }
}

TEST(DateText, ParseAndFormat)
{
    EXPECT_EQ(formatDate(32874), "01.01.1990");
    EXPECT_EQ(parseDate("1.1.1990"), 32874);
    EXPECT_EQ(parseDate("01.01.90"), 32874);
    EXPECT_EQ(parseDate("01.01.05"), daysFromCivil(2005, 1, 1));
    EXPECT_EQ(parseDate("1990-01-01"), 32874);
    EXPECT_FALSE(parseDate("31.02.2020"));
    EXPECT_FALSE(parseDate("1.1."));
    EXPECT_FALSE(parseDate("abc"));
    EXPECT_FALSE(parseDate(""));
}

TEST(NumberText, CommaAndPoint)
{
    EXPECT_EQ(parseNumber("2,50"), 2.5);
    EXPECT_EQ(parseNumber(" -3.25 "), -3.25);
    EXPECT_FALSE(parseNumber("1,2,3"));
    EXPECT_FALSE(parseNumber("inf"));
    EXPECT_FALSE(parseNumber("0x10"));
    EXPECT_EQ(formatNumber(2.5, 2), "2,50");
    EXPECT_EQ(formatNumber(-0.001, 2), "0,00");
    EXPECT_EQ(Value::number(3).toText(), "3");
    EXPECT_THROW(Value::text("x").number(), trevo::engine::EngineError);
}
