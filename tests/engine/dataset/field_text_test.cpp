#include "engine/core/error.h"
#include "engine/dataset/field_text.h"

#include <gtest/gtest.h>

using namespace trevo::engine;

namespace {
const FieldDef kAmount{"BETRAG", 'N', 10, 2};
const FieldDef kCount{"ANZAHL", 'N', 6, 0};
const FieldDef kDate{"DATUM", 'D', 8, 0};
const FieldDef kFlag{"MITGLIED", 'L', 1, 0};
} // namespace

TEST(FieldText, PlainTextOfFields)
{
    EXPECT_EQ(fieldText(kAmount, Value::number(6)), "6,00");
    EXPECT_EQ(fieldText(kCount, Value::number(4)), "4");
    EXPECT_EQ(fieldText(kCount, Value::number(1.5)), "1,5"); // a computed value is not cut
    EXPECT_EQ(fieldText(kAmount, Value()), "");
    EXPECT_EQ(fieldText(kDate, Value::date(daysFromCivil(2024, 3, 5))), "05.03.2024");
    EXPECT_EQ(fieldText(kFlag, Value::logical(true)), "Wahr");
}

TEST(FieldText, NumberDisplayFormats)
{
    auto f = [](double v, const char* fmt) { return formatValue(kAmount, Value::number(v), fmt); };
    EXPECT_EQ(f(6, "0.00"), "6,00");
    EXPECT_EQ(f(-1.5, "0.00"), "-1,50");
    EXPECT_EQ(f(2.675, "0.00"), "2,68"); // halves away from zero, also when stored a hair below
    EXPECT_EQ(f(-2.675, "0.00"), "-2,68");
    EXPECT_EQ(f(-0.001, "0.00"), "0,00"); // no "-0,00"
    EXPECT_EQ(f(1234567.891, "#,##0.00"), "1.234.567,89");
    EXPECT_EQ(f(999, "#,##0"), "999");
    EXPECT_EQ(f(0.5, "#.##"), ",5");
    EXPECT_EQ(f(3, "0.##"), "3");
    EXPECT_EQ(f(12.5, "0.0 \"EUR\""), "12,5 EUR");
    EXPECT_EQ(f(-4, "0.00;(0.00)"), "(4,00)");
    EXPECT_EQ(f(0, "0.00;-0.00;\"nichts\""), "nichts");
    EXPECT_EQ(formatValue(kAmount, Value(), "0.00"), "");
}

TEST(FieldText, DateAndLogicalFormats)
{
    const Value d = Value::date(daysFromCivil(2009, 7, 4));
    EXPECT_EQ(formatValue(kDate, d, "dd.mm.yyyy"), "04.07.2009");
    EXPECT_EQ(formatValue(kDate, d, "d.m.yy"), "4.7.09");
    EXPECT_EQ(formatValue(kDate, d, "yyyy-mm-dd"), "2009-07-04");
    EXPECT_EQ(formatValue(kFlag, Value::logical(false), "Ja;Nein"), "Nein");
    EXPECT_EQ(formatValue(kFlag, Value::logical(true), "Ja;Nein"), "Ja");
}

TEST(FieldText, TypedTextToValues)
{
    EXPECT_EQ(valueFromText(kAmount, " 1,25 "), Value::number(1.25));
    EXPECT_EQ(valueFromText(kAmount, "1.25"), Value::number(1.25));
    EXPECT_EQ(valueFromText(kAmount, ""), Value());
    EXPECT_EQ(valueFromText(kDate, "4.7.2009"), Value::date(daysFromCivil(2009, 7, 4)));
    EXPECT_EQ(valueFromText(kFlag, "j"), Value::logical(true));
    EXPECT_EQ(valueFromText(kFlag, "Nein"), Value::logical(false));
    try {
        valueFromText(kAmount, "zwölf");
        FAIL();
    } catch (const ValueError& e) {
        EXPECT_NE(std::string(e.what()).find("BETRAG"), std::string::npos);
    }
    EXPECT_THROW(valueFromText(kDate, "30.2.2009"), ValueError);
    EXPECT_THROW(valueFromText(kFlag, "vielleicht"), ValueError);
}
