#include "engine/codepage/code_page.h"
#include "engine/core/error.h"
#include "engine/dbf/field_codec.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

namespace trevo::engine {
namespace {

const CodePage& ansi() { return codePageForDriver(0x57); }

std::string encoded(const FieldDef& f, const Value& v)
{
    std::string out(f.length, '?');
    encodeField(f, v, ansi(), reinterpret_cast<uint8_t*>(out.data()));
    return out;
}

Value decoded(const FieldDef& f, const std::string& bytes)
{
    return decodeField(f, reinterpret_cast<const uint8_t*>(bytes.data()), ansi());
}

std::string errorOf(const FieldDef& f, const Value& v)
{
    try {
        encoded(f, v);
    } catch (const ValueError& e) {
        return e.what();
    }
    return "";
}

TEST(DbfFixedNumber, RoundsHalfAwayFromZeroInDecimal)
{
    EXPECT_EQ(fixedNumber(1.005, 2), "1.01"); // binary 1.00499999... must still round up
    EXPECT_EQ(fixedNumber(2.675, 2), "2.68");
    EXPECT_EQ(fixedNumber(-2.5, 0), "-3");
    EXPECT_EQ(fixedNumber(0.5, 0), "1");
    EXPECT_EQ(fixedNumber(9.995, 2), "10.00");
    EXPECT_EQ(fixedNumber(999.5, 0), "1000");
    EXPECT_EQ(fixedNumber(0.0001, 2), "0.00");
    EXPECT_EQ(fixedNumber(-0.001, 2), "0.00"); // no "-0.00"
    EXPECT_EQ(fixedNumber(123456789.0, 0), "123456789");
    EXPECT_EQ(fixedNumber(1e-7, 8), "0.00000010");
    EXPECT_EQ(fixedNumber(12.5, 3), "12.500");
}

TEST(DbfFieldCodec, NumbersRightAlignedWithTheirDecimals)
{
    const FieldDef betrag{"BETRAG", 'N', 8, 2};
    EXPECT_EQ(encoded(betrag, Value::number(12.5)), "   12.50");
    EXPECT_EQ(encoded(betrag, Value::number(-3.256)), "   -3.26");
    EXPECT_EQ(encoded(betrag, Value::null()), "        ");
    EXPECT_EQ(decoded(betrag, "   12.50").number(), 12.5);
    EXPECT_TRUE(decoded(betrag, "        ").isNull());
    EXPECT_TRUE(decoded(betrag, "********").isNull()); // overflow fill
    EXPECT_TRUE(decoded(betrag, "  12x.5 ").isNull());
    EXPECT_EQ(decoded(betrag, "  12,5  ").number(), 12.5);
    EXPECT_DOUBLE_EQ(roundToField(betrag, 1.005), 1.01);
}

TEST(DbfFieldCodec, NumberTooWideIsRefusedNamingTheField)
{
    const FieldDef gueltig{"GUELTIG", 'N', 2, 0};
    EXPECT_EQ(errorOf(gueltig, Value::number(123456)), "Der Wert '123456' passt nicht in das Feld 'GUELTIG' (Breite 2)");
    EXPECT_EQ(encoded(gueltig, Value::number(99)), "99");
    EXPECT_NE(errorOf(gueltig, Value::number(-10)), ""); // "-10" needs three places
    EXPECT_NE(errorOf(gueltig, Value::number(99.5)), ""); // rounds to 100
    const FieldDef betrag{"BETRAG", 'N', 6, 2};
    EXPECT_EQ(encoded(betrag, Value::number(999.99)), "999.99");
    EXPECT_EQ(errorOf(betrag, Value::number(1000)), "Der Wert '1000' passt nicht in das Feld 'BETRAG' (Breite 6)");
    EXPECT_NE(errorOf(betrag, Value::number(1e300)), "");
    EXPECT_NE(errorOf(betrag, Value::number(INFINITY)), "");
    EXPECT_NE(errorOf(betrag, Value::number(NAN)), "");
}

TEST(DbfFieldCodec, TextsArePaddedAndNeverCut)
{
    const FieldDef name{"NAME", 'C', 6, 0};
    EXPECT_EQ(encoded(name, Value::text("Jörg")), "J\xF6rg  ");
    EXPECT_EQ(encoded(name, Value::text("Müller   ")), "M\xFCller"); // trailing blanks are no part of it
    EXPECT_EQ(decoded(name, std::string("J\xF6rg\0 ", 6)).text(), "Jörg");
    EXPECT_EQ(decoded(name, "  ab  ").text(), "  ab");
    EXPECT_EQ(errorOf(name, Value::text("Schäfers")), "Der Wert 'Schäfers' passt nicht in das Feld 'NAME' (Breite 6)");
    EXPECT_EQ(errorOf(name, Value::text("Łódź")),
              "Das Zeichen 'Ł' kann im Feld 'NAME' nicht gespeichert werden (Zeichensatz Windows-1252)");
    EXPECT_EQ(encoded(name, Value::text("5 €")), "5 \x80   ");
}

TEST(DbfFieldCodec, DatesAndTheirLimits)
{
    const FieldDef datum{"DATUM", 'D', 8, 0};
    EXPECT_EQ(encoded(datum, Value::date(daysFromCivil(2024, 2, 29))), "20240229");
    EXPECT_EQ(decoded(datum, "19700517").date(), daysFromCivil(1970, 5, 17));
    EXPECT_TRUE(decoded(datum, "        ").isNull());
    EXPECT_TRUE(decoded(datum, "00000000").isNull());
    EXPECT_TRUE(decoded(datum, "20230230").isNull()); // no 30 February
    EXPECT_TRUE(decoded(datum, "2023x101").isNull());
    EXPECT_EQ(encoded(datum, Value::date(daysFromCivil(1, 1, 1))), "00010101");
    EXPECT_EQ(encoded(datum, Value::date(daysFromCivil(9999, 12, 31))), "99991231");
    EXPECT_NE(errorOf(datum, Value::date(daysFromCivil(10000, 1, 1))), "");
    EXPECT_NE(errorOf(datum, Value::date(-2000000000)), "");
    EXPECT_NE(errorOf(datum, Value::date(2000000000)), "");
}

TEST(DbfFieldCodec, LogicalsReadEveryCommonLetter)
{
    const FieldDef l{"MITGLIED", 'L', 1, 0};
    for (char c : std::string("TtYyJj")) EXPECT_TRUE(decoded(l, std::string(1, c)).logical()) << c;
    for (char c : std::string("FfNn")) EXPECT_FALSE(decoded(l, std::string(1, c)).logical()) << c;
    EXPECT_TRUE(decoded(l, "?").isNull());
    EXPECT_TRUE(decoded(l, " ").isNull());
    EXPECT_TRUE(decoded(l, "x").isNull());
    EXPECT_EQ(encoded(l, Value::logical(true)), "T");
    EXPECT_EQ(encoded(l, Value::logical(false)), "F");
    EXPECT_EQ(encoded(l, Value::null()), " ");
}

TEST(DbfFieldCodec, WrongTypesAreRefused)
{
    EXPECT_EQ(errorOf({"DATUM", 'D', 8, 0}, Value::text("1.1.2000")),
              "Das Feld 'DATUM' erwartet ein Datum, nicht den Wert '1.1.2000'");
    EXPECT_NE(errorOf({"NUMMER", 'N', 5, 0}, Value::text("12")), "");
    EXPECT_NE(errorOf({"NAME", 'C', 5, 0}, Value::number(12)), "");
    EXPECT_NE(errorOf({"MITGLIED", 'L', 1, 0}, Value::number(1)), "");
}

TEST(DbfFieldCodec, MemoReferences)
{
    auto ref = [](const char* s) { return decodeMemoRef(reinterpret_cast<const uint8_t*>(s)); };
    EXPECT_EQ(ref("         7"), 7u);
    EXPECT_EQ(ref("0000000012"), 12u);
    EXPECT_EQ(ref("          "), 0u);
    EXPECT_EQ(ref(std::string(10, '\0').c_str()), 0u);
    EXPECT_FALSE(ref("    12 34 "));
    EXPECT_FALSE(ref("      abcd"));
    EXPECT_FALSE(ref("9999999999")); // beyond 32 bits
    uint8_t out[11] = {};
    encodeMemoRef(42, out);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out)), "        42");
    encodeMemoRef(0, out);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out)), "          ");
}

TEST(DbfFieldCodec, RawFaultsDescribeUnreadableBytes)
{
    auto fault = [](const FieldDef& f, const char* s) { return rawFieldFault(f, reinterpret_cast<const uint8_t*>(s)); };
    EXPECT_FALSE(fault({"N", 'N', 4, 0}, "  12"));
    EXPECT_FALSE(fault({"N", 'N', 4, 0}, "****"));
    EXPECT_TRUE(fault({"N", 'N', 4, 0}, " 1a2"));
    EXPECT_TRUE(fault({"D", 'D', 8, 0}, "20231399"));
    EXPECT_FALSE(fault({"D", 'D', 8, 0}, "00000000"));
    EXPECT_TRUE(fault({"L", 'L', 1, 0}, "x"));
    EXPECT_TRUE(fault({"M", 'M', 10, 0}, "abc       "));
}

} // namespace
} // namespace trevo::engine
