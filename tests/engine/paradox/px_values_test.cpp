#include "engine/core/error.h"
#include "engine/paradox/px_values.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace trevo::engine;
using namespace trevo::engine::paradox;

namespace {

const CodePage& ansi() { return codePageForDriver(0x57); }

std::vector<uint8_t> encoded(const PxField& f, const Value& v)
{
    std::vector<uint8_t> b(f.size, 0xEE);
    encodeValue(f, v, ansi(), b.data());
    return b;
}

Value decoded(const PxField& f, const std::vector<uint8_t>& b) { return decodeValue(f, b.data(), ansi(), "T.DB"); }

const PxField kShort{"S", PxType::Short, 2};
const PxField kLong{"L", PxType::Long, 4};
const PxField kAuto{"ID", PxType::AutoInc, 4};
const PxField kNumber{"N", PxType::Number, 8};
const PxField kDate{"D", PxType::Date, 4};
const PxField kLogical{"B", PxType::Logical, 1};
const PxField kAlpha{"A", PxType::Alpha, 6};

} // namespace

TEST(ParadoxValues, IntegersAreBigEndianWithTheSignBitFlipped)
{
    EXPECT_EQ(encoded(kLong, Value::number(1)), (std::vector<uint8_t>{0x80, 0, 0, 1}));
    EXPECT_EQ(encoded(kAuto, Value::number(258)), (std::vector<uint8_t>{0x80, 0, 1, 2}));
    EXPECT_EQ(encoded(kLong, Value::number(-1)), (std::vector<uint8_t>{0x7F, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(encoded(kShort, Value::number(0)), (std::vector<uint8_t>{0x80, 0x00}));
    EXPECT_EQ(encoded(kShort, Value::number(-2)), (std::vector<uint8_t>{0x7F, 0xFE}));
    for (double v : {0.0, 1.0, -1.0, 32767.0, -32767.0})
        EXPECT_EQ(decoded(kShort, encoded(kShort, Value::number(v))), Value::number(v)) << v;
    for (double v : {0.0, 7.0, -123456.0, 2147483647.0, -2147483647.0})
        EXPECT_EQ(decoded(kLong, encoded(kLong, Value::number(v))), Value::number(v)) << v;
}

TEST(ParadoxValues, NumbersFlipTheSignBitWhenPositiveAndEveryBitWhenNegative)
{
    EXPECT_EQ(encoded(kNumber, Value::number(1.0)),
              (std::vector<uint8_t>{0xBF, 0xF0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(encoded(kNumber, Value::number(-1.0)),
              (std::vector<uint8_t>{0x40, 0x0F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(encoded(kNumber, Value::number(0.0)),
              (std::vector<uint8_t>{0x80, 0, 0, 0, 0, 0, 0, 0}));
    for (double v : {0.0, 1.95583, -0.5, 1e300, -1e-300})
        EXPECT_EQ(decoded(kNumber, encoded(kNumber, Value::number(v))), Value::number(v)) << v;
}

TEST(ParadoxValues, DatesCountDaysFromTheFirstOfJanuaryOfYearOne)
{
    EXPECT_EQ(encoded(kDate, Value::date(daysFromCivil(1, 1, 1))), (std::vector<uint8_t>{0x80, 0, 0, 1}));
    // 30.12.1899 is day 693594 of that count.
    EXPECT_EQ(encoded(kDate, Value::date(0)), (std::vector<uint8_t>{0x80, 0x0A, 0x95, 0x5A}));
    const Value d = Value::date(daysFromCivil(2024, 2, 29));
    EXPECT_EQ(decoded(kDate, encoded(kDate, d)), d);
    const Value last = Value::date(daysFromCivil(9999, 12, 31));
    EXPECT_EQ(decoded(kDate, encoded(kDate, last)), last);
}

TEST(ParadoxValues, DayCountsOutsideTheCalendarAreDamageOrRefused)
{
    // A damaged table can hold any four bytes; the most negative count once overflowed.
    for (const std::vector<uint8_t>& raw : {std::vector<uint8_t>{0x00, 0x00, 0x0C, 0x00},
                                            std::vector<uint8_t>{0x7F, 0xFF, 0xFF, 0xFF},
                                            std::vector<uint8_t>{0x80, 0x00, 0x00, 0x00},
                                            std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}}) {
        try {
            decoded(kDate, raw);
            ADD_FAILURE() << "accepted " << int(raw[0]) << " " << int(raw[3]);
        } catch (const FormatError& e) {
            EXPECT_NE(std::string(e.what()).find("T.DB' ist beschädigt"), std::string::npos) << e.what();
        }
    }
    EXPECT_THROW(encoded(kDate, Value::date(daysFromCivil(1, 1, 1) - 1)), ValueError);
    EXPECT_THROW(encoded(kDate, Value::date(2147483000)), ValueError);
}

TEST(ParadoxValues, LogicalAlphaAndBlanks)
{
    EXPECT_EQ(encoded(kLogical, Value::logical(true)), (std::vector<uint8_t>{0x81}));
    EXPECT_EQ(encoded(kLogical, Value::logical(false)), (std::vector<uint8_t>{0x80}));
    EXPECT_EQ(decoded(kLogical, {0x80}), Value::logical(false));
    // Text is written in code page 1252 and padded with NULs.
    EXPECT_EQ(encoded(kAlpha, Value::text("Müll")), (std::vector<uint8_t>{'M', 0xFC, 'l', 'l', 0, 0}));
    EXPECT_EQ(decoded(kAlpha, {'M', 0xFC, 'l', 'l', 0, 0}), Value::text("Müll"));
    // All zero bytes are a blank value of every type; a blank value writes zeros.
    for (const PxField* f : {&kShort, &kLong, &kNumber, &kDate, &kLogical, &kAlpha}) {
        EXPECT_TRUE(decoded(*f, std::vector<uint8_t>(f->size, 0)).isNull()) << f->name;
        EXPECT_EQ(encoded(*f, Value::null()), std::vector<uint8_t>(f->size, 0)) << f->name;
    }
}

TEST(ParadoxValues, ValuesThatDoNotFitAreRefusedNamingTheField)
{
    EXPECT_THROW(encoded(kAlpha, Value::text("zu langer Text")), ValueError);
    EXPECT_EQ(encoded(kAlpha, Value::text("€uro"))[0], 0x80); // one byte in 1252
    EXPECT_THROW(encoded(kAlpha, Value::text("日本")), ValueError);
    EXPECT_THROW(encoded(kShort, Value::number(40000)), ValueError);
    EXPECT_THROW(encoded(kLong, Value::number(1.5)), ValueError);
    EXPECT_THROW(encoded(kLong, Value::text("1")), ValueError);
    try {
        encoded(kNumber, Value::text("x"));
        FAIL();
    } catch (const ValueError& e) {
        EXPECT_NE(std::string(e.what()).find("'N'"), std::string::npos);
    }
}

TEST(ParadoxValues, BlobPointerIsLittleEndian)
{
    uint8_t b[10];
    writeBlobPointer(b, {0x000012FFu, 300, 7});
    const uint8_t expect[10] = {0xFF, 0x12, 0, 0, 0x2C, 0x01, 0, 0, 7, 0};
    EXPECT_EQ(std::memcmp(b, expect, 10), 0);
    const BlobPointer p = readBlobPointer(b);
    EXPECT_EQ(p.offsetAndIndex, 0x12FFu);
    EXPECT_EQ(p.length, 300u);
    EXPECT_EQ(p.modification, 7);
}
