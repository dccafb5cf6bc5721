// Values as a printed page shows them: German number and date conventions, and totals
// that the evaluation keeps as text printed like numbers under a number format.
#include "reports/render/element_text.h"

#include "engine/core/value.h"

#include <gtest/gtest.h>

using trevo::engine::Value;
using trevo::reports::valueText;

TEST(ValueText, NumberFormatsShowNumbersHeldAsTextAsNumbers)
{
    EXPECT_EQ(valueText(Value::number(1234.5), nullptr, QStringLiteral("0.00")), QStringLiteral("1234,50"));
    EXPECT_EQ(valueText(Value::text("  312.40"), nullptr, QStringLiteral("0.00")), QStringLiteral("312,40"));
    EXPECT_EQ(valueText(Value::text("16.8"), nullptr, QStringLiteral("0.00")), QStringLiteral("16,80"));
    EXPECT_EQ(valueText(Value::text("-3,5"), nullptr, QStringLiteral("0.00")), QStringLiteral("-3,50"));
    // Texts that are no plain number stay as they are: currencies, dates, names.
    EXPECT_EQ(valueText(Value::text("EUR"), nullptr, QStringLiteral("0.00")), QStringLiteral("EUR"));
    EXPECT_EQ(valueText(Value::text("12.03.2024"), nullptr, QStringLiteral("0.00")), QStringLiteral("12.03.2024"));
    EXPECT_EQ(valueText(Value::text("1e3"), nullptr, QStringLiteral("0.00")), QStringLiteral("1000,00"));
    EXPECT_EQ(valueText(Value::text("inf"), nullptr, QStringLiteral("0.00")), QStringLiteral("inf"));
    // Without a format a text is printed unchanged.
    EXPECT_EQ(valueText(Value::text("312.40"), nullptr, {}), QStringLiteral("312.40"));
}
