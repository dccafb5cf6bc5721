#include "engine/core/error.h"
#include "common/stream/object_stream_reader.h"
#include "common/stream/object_stream_writer.h"
#include "stream_bytes.h"

#include <gtest/gtest.h>

using namespace trevo::common;
using trevo::common::test::StreamBytes;
using trevo::engine::FormatError;

namespace {

// A form-like object with every kind of value and a child object. `asWritten` leaves
// out what this writer codes otherwise (short texts with a 32-bit length, UTF-8).
std::string everyKind(bool asWritten = false)
{
    StreamBytes b;
    b.u8(0xF0 | 0x02).int8(3); // ffChildPos with position 3
    b.str("TKegelForm").str("Kegelform");
    b.name("Left").int16(-1200);
    b.name("Caption").shortText("Kegeln \xFC" "ber alles"); // ü in 1252
    b.name("Color").ident("clBtnFace");
    b.name("Font.Style").u8(11).str("fsBold").str("fsItalic").u8(0);
    b.name("Visible").u8(8);
    b.name("Enabled").u8(9);
    b.name("Icon.Data").u8(10).le(3, 4).raw(std::string("\x00\xFF\x01", 3));
    b.name("Lines.Strings").u8(1).shortText("eins").int32(100000).u8(0);
    b.name("Items").u8(14).int8(0).u8(1).name("Width").int8(40).u8(0).u8(1).name("Width").int16(400).u8(0).u8(0);
    const std::string hint = asWritten ? std::string(300, 'h') : "abc";
    b.name("Hint").u8(12).le(hint.size(), 4).raw(hint);
    b.name("WideCaption").u8(18).le(3, 4).le(0x20AC, 2).le(0xD83C, 2).le(0xDFB3, 2); // € and a bowling emoji
    if (!asWritten) b.name("Utf8Caption").u8(20).le(3, 4).raw("\xC3\xA4x");
    b.name("Ratio").u8(15).le(0x3FC00000, 4); // 1.5f
    b.name("Price").u8(16).le(static_cast<uint64_t>(-25000), 8); // -2.5
    b.name("When").u8(17).le(0x40E5F90000000000ull, 8); // 45000.0 days
    b.name("Big").u8(19).le(0x123456789ull, 8);
    b.name("PopupMenu").u8(13);
    b.name("Empty").u8(0);
    b.u8(0);
    b.str("TButton").str("OKBtn").name("Caption").shortText("OK").u8(0).u8(0); // child
    b.u8(0);
    return StreamBytes().raw("TPF0").s + b.s;
}

} // namespace

TEST(ObjectStream, ReadsEveryValueKindOfAForeignStream)
{
    const StreamObject o = readObjectStream(everyKind());
    EXPECT_EQ(o.className, "TKegelForm");
    EXPECT_EQ(o.name, "Kegelform");
    EXPECT_EQ(o.flags, 2);
    EXPECT_EQ(o.childPos, 3);
    ASSERT_EQ(o.properties.size(), 18u);
    EXPECT_EQ(o.property("left")->integer, -1200);
    EXPECT_EQ(o.property("Caption")->text, "Kegeln über alles");
    EXPECT_EQ(o.property("Color")->kind, StreamKind::Identifier);
    EXPECT_EQ(o.property("Color")->text, "clBtnFace");
    EXPECT_EQ(o.property("Font.Style")->set, (std::vector<std::string>{"fsBold", "fsItalic"}));
    EXPECT_FALSE(o.property("Visible")->boolean);
    EXPECT_TRUE(o.property("Enabled")->boolean);
    EXPECT_EQ(o.property("Icon.Data")->text, std::string("\x00\xFF\x01", 3));
    const auto& lines = o.property("Lines.Strings")->list;
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, "eins");
    EXPECT_EQ(lines[1].integer, 100000);
    const auto& items = o.property("Items")->items;
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].index, 0);
    EXPECT_FALSE(items[1].index);
    EXPECT_EQ(items[1].properties[0].value.integer, 400);
    EXPECT_EQ(o.property("Hint")->text, "abc");
    EXPECT_EQ(o.property("WideCaption")->text, "€\U0001F3B3");
    EXPECT_EQ(o.property("Utf8Caption")->text, "äx");
    EXPECT_EQ(o.property("Ratio")->real, 1.5);
    EXPECT_EQ(o.property("Price")->kind, StreamKind::Currency);
    EXPECT_EQ(o.property("Price")->real, -2.5);
    EXPECT_EQ(o.property("When")->kind, StreamKind::Date);
    EXPECT_EQ(o.property("When")->real, 45000.0);
    EXPECT_EQ(o.property("Big")->integer, 0x123456789);
    EXPECT_EQ(o.property("PopupMenu")->kind, StreamKind::Nil);
    EXPECT_EQ(o.property("Empty")->kind, StreamKind::Null);
    ASSERT_EQ(o.children.size(), 1u);
    EXPECT_EQ(o.children[0].name, "OKBtn");
    EXPECT_EQ(o.children[0].property("Caption")->text, "OK");
    EXPECT_EQ(o.property("Missing"), nullptr);
}

TEST(ObjectStream, WriterReproducesAForeignStreamByteForByte)
{
    // The foreign stream uses the smallest integer codes and 1252 texts, as this writer does.
    const std::string foreign = everyKind(true);
    EXPECT_EQ(writeObjectStream(readObjectStream(foreign)), foreign);
}

TEST(ObjectStream, WriterPicksTheSmallestIntegerCodeAndFitsTextsToTheirCode)
{
    auto written = [](StreamValue v) {
        StreamObject o;
        o.className = "T";
        o.properties.push_back({"P", std::move(v)});
        const std::string s = writeObjectStream(o);
        return s.substr(4 + 2 + 1 + 2, s.size() - 4 - 2 - 1 - 2 - 2); // the value alone
    };
    EXPECT_EQ(written(StreamValue::ofInteger(127)), std::string("\x02\x7F", 2));
    EXPECT_EQ(written(StreamValue::ofInteger(-128)), std::string("\x02\x80", 2));
    EXPECT_EQ(written(StreamValue::ofInteger(128)), std::string("\x03\x80\x00", 3));
    EXPECT_EQ(written(StreamValue::ofInteger(-32769)), std::string("\x04\xFF\x7F\xFF\xFF", 5));
    EXPECT_EQ(written(StreamValue::ofInteger(1ll << 40)), std::string("\x13\0\0\0\0\0\x01\0\0", 9));
    EXPECT_EQ(written(StreamValue::ofText("Größe")), std::string("\x06\x05Gr\xF6\xDF" "e", 7));
    const std::string longText(300, 'x');
    EXPECT_EQ(written(StreamValue::ofText(longText)), std::string("\x0C\x2C\x01\0\0", 5) + longText);
    EXPECT_EQ(written(StreamValue::ofText("Ω")), std::string("\x12\x01\0\0\0\xA9\x03", 7)); // no 1252 code
    EXPECT_EQ(written(StreamValue::ofFloat(1.0)), std::string("\x05\0\0\0\0\0\0\0\x80\xFF\x3F", 11));
}

TEST(ObjectStream, GenericRoundTrip)
{
    StreamObject o;
    o.className = "TProgrammoptionen";
    o.name = "Programmoptionen";
    o.properties.push_back({"Text", StreamValue::ofText("Ω and ä")});
    StreamValue list;
    list.kind = StreamKind::List;
    list.list = {StreamValue::ofInteger(-5), StreamValue::ofFloat(2.75), StreamValue::ofBoolean(true)};
    o.properties.push_back({"List", list});
    StreamValue coll;
    coll.kind = StreamKind::Collection;
    coll.items.push_back({7, {{"A", StreamValue::ofIdentifier("x")}}});
    o.properties.push_back({"Coll", coll});
    StreamObject child;
    child.className = "TKind";
    child.name = "Kind1";
    o.children.push_back(child);
    const StreamObject back = readObjectStream(writeObjectStream(o));
    EXPECT_EQ(back.property("Text")->text, "Ω and ä");
    EXPECT_EQ(back.property("List")->list[1].real, 2.75);
    EXPECT_EQ(back.property("Coll")->items[0].index, 7);
    EXPECT_EQ(back.property("Coll")->items[0].properties[0].value.text, "x");
    ASSERT_EQ(back.children.size(), 1u);
    EXPECT_EQ(back.children[0].className, "TKind");
}

TEST(ObjectStream, DamagedStreamsAreReportedNeverCrash)
{
    const std::string good = everyKind();
    // Every truncation fails with a German text.
    for (size_t n = 0; n < good.size(); ++n) {
        try {
            readObjectStream(good.substr(0, n));
            ADD_FAILURE() << "cut at " << n;
        } catch (const FormatError& e) {
            EXPECT_NE(std::string(e.what()).find("beschädigt"), std::string::npos);
        }
    }
    EXPECT_THROW(readObjectStream("TPF1" + good.substr(4)), FormatError);
    EXPECT_THROW(readObjectStream(StreamBytes().header("T", "o").name("X").u8(21).u8(0).u8(0).s), FormatError);
    EXPECT_THROW(readObjectStream(StreamBytes().header("T", "o").name("X").u8(12).le(0xFFFFFFFF, 4).s), FormatError);
    EXPECT_THROW(readObjectStream(StreamBytes().header("T", "o").name("X").u8(18).le(0x80000000, 4).s), FormatError);
    StreamBytes deep;
    deep.header("T", "o").name("X");
    for (int i = 0; i < 100000; ++i) deep.u8(1);
    EXPECT_THROW(readObjectStream(deep.s), FormatError);
    // Random damage either reads or fails cleanly.
    uint32_t seed = 99;
    for (int round = 0; round < 5000; ++round) {
        std::string s = good;
        for (int k = 0; k < 1 + round % 3; ++k) {
            seed = seed * 1664525u + 1013904223u;
            s[4 + seed % (s.size() - 4)] = static_cast<char>(seed >> 24);
        }
        try {
            readObjectStream(s);
        } catch (const FormatError&) {
        }
    }
}
