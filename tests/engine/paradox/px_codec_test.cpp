#include "engine/core/error.h"
#include "engine/paradox/px_blob.h"
#include "engine/paradox/px_codec.h"
#include "engine/paradox/px_values.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace trevo::engine;
using namespace trevo::engine::paradox;

namespace {

PxTableInfo optionsInfo()
{
    PxTableInfo info;
    info.fields = {{"ID", PxType::AutoInc, 4}, {"BEZEICHNUNG", PxType::Alpha, 60}, {"RESOURCE", PxType::Memo, 138}};
    info.keyFields = 1;
    return info;
}

Record row(int id, const std::string& name, const std::string& blob)
{
    return {Value::number(id), Value::text(name), blob.empty() ? Value::null() : Value::text(blob)};
}

std::string bytesBlob(size_t n)
{
    std::string s;
    for (size_t i = 0; i < n; ++i) s.push_back(static_cast<char>((i * 7 + 3) & 0xFF)); // every byte value, NULs too
    return s;
}

PxTableData decodeFiles(const PxFiles& f)
{
    return decodeTable(f.db, f.mb ? &*f.mb : nullptr, "KEGELCFG.DB", "KEGELCFG.MB");
}

uint16_t le16(const Bytes& b, size_t off) { return getLe16(&b[off]); }

} // namespace

TEST(ParadoxCodec, OptionsTableHeaderIsAKeyedVersion7Table)
{
    PxTableData t;
    t.info = optionsInfo();
    t.info.autoIncrement = 1;
    t.records = {row(1, "Standard-Konfiguration", "TPF0")};
    const PxFiles f = encodeTable(t, "KEGELCFG.DB", 1);
    const Bytes& db = f.db;
    EXPECT_EQ(le16(db, 0x00), 4 + 60 + 138); // record size
    EXPECT_EQ(le16(db, 0x02), 0x800);        // header size
    EXPECT_EQ(db[0x04], 0);                  // keyed
    EXPECT_EQ(db[0x05], 2);                  // 2 KB blocks
    EXPECT_EQ(getLe32(&db[0x06]), 1u);
    EXPECT_EQ(le16(db, 0x0E), 1);            // first block
    EXPECT_EQ(le16(db, 0x21), 3);            // fields
    EXPECT_EQ(le16(db, 0x23), 1);            // key fields
    EXPECT_EQ(db[0x39], 0x0C);               // version 7
    EXPECT_EQ(getLe32(&db[0x49]), 1u);       // last auto-increment value
    EXPECT_EQ(le16(db, 0x6A), 1252);
    const uint8_t fieldList[] = {0x16, 4, 0x01, 60, 0x0C, 138};
    EXPECT_EQ(std::memcmp(&db[0x78], fieldList, 6), 0);
    const char names[] = "ID\0BEZEICHNUNG\0RESOURCE";
    EXPECT_EQ(std::memcmp(&db[0x78 + 6 + 4 + 12 + 261], names, sizeof names), 0);
    EXPECT_EQ(db.size(), 0x800u + 2048u);
    // The record: ID 1, the name, the memo in its leader.
    const uint8_t* rec = &db[0x800 + 6];
    EXPECT_EQ(rec[0], 0x80);
    EXPECT_EQ(rec[3], 0x01);
    EXPECT_EQ(std::memcmp(rec + 4, "Standard-Konfiguration", 22), 0);
    EXPECT_EQ(std::memcmp(rec + 64, "TPF0", 4), 0);
    EXPECT_EQ(getLe32(rec + 64 + 128 + 4), 4u);
    ASSERT_TRUE(f.px && f.mb && f.xIndex && f.yIndex);
    EXPECT_EQ((*f.px)[0x04], 1);
    EXPECT_EQ((*f.xIndex)[0x04], 5);
    EXPECT_EQ((*f.xIndex)[0x15], 2); // indexes the second field
    EXPECT_EQ((*f.yIndex)[0x04], 4);
    EXPECT_EQ(f.mb->size(), kMbChunk); // nothing beyond the header block
    EXPECT_EQ(secondaryExtension('X', 1), "X02");
}

TEST(ParadoxCodec, BlobsInTheRecordAndInTheMemoFileReadBackExactly)
{
    PxTableData t;
    t.info = optionsInfo();
    const std::string fits = bytesBlob(128), longer = bytesBlob(129), large = bytesBlob(9000);
    t.records = {row(1, "kurz", fits), row(2, "lang", longer), row(3, "groß", large), row(4, "leer", "")};
    t.info.autoIncrement = 4;
    const PxFiles f = encodeTable(t, "KEGELCFG.DB", 1);
    ASSERT_TRUE(f.mb);
    // 129 bytes take one chunk of their own, 9000 bytes three.
    EXPECT_EQ(f.mb->size(), kMbChunk * (1 + 1 + 3));
    EXPECT_EQ((*f.mb)[kMbChunk], 2);
    EXPECT_EQ(getLe32(&(*f.mb)[kMbChunk + 3]), 129u);
    const PxTableData back = decodeFiles(f);
    ASSERT_EQ(back.records.size(), 4u);
    EXPECT_EQ(back.records[0][2], Value::text(fits));
    EXPECT_EQ(back.records[1][2], Value::text(longer));
    EXPECT_EQ(back.records[2][2], Value::text(large));
    EXPECT_TRUE(back.records[3][2].isNull());
    EXPECT_EQ(back.records[2][1], Value::text("groß"));
    EXPECT_EQ(back.info.autoIncrement, 4u);
    EXPECT_EQ(back.info.keyFields, 1);
    ASSERT_EQ(back.info.fields.size(), 3u);
    EXPECT_EQ(back.info.fields[2].name, "RESOURCE");
    EXPECT_EQ(back.info.fields[2].size, 138);
}

TEST(ParadoxCodec, RecordsSpreadOverBlocksInKeyOrderWithTheirIndexes)
{
    PxTableData t;
    t.info = optionsInfo();
    for (int id = 25; id >= 1; --id) t.records.push_back(row(id, id % 2 ? "Ärger " + std::to_string(id) : "Zeta", ""));
    const PxFiles f = encodeTable(t, "KEGELCFG.DB", 1);
    // 202-byte records: 10 in a 2 KB block, so 25 records take three blocks.
    EXPECT_EQ(getLe32(&f.db[0x06]), 25u);
    EXPECT_EQ(le16(f.db, 0x0C), 3);
    EXPECT_EQ(le16(f.db, 0x10), 3);
    const uint8_t* third = &f.db[0x800 + 2 * 2048];
    EXPECT_EQ(getLe16(third), 0);         // last in the chain
    EXPECT_EQ(getLe16(third + 2), 2);     // previous block
    EXPECT_EQ(getLe16(third + 4), 4 * 202); // five records
    const PxTableData back = decodeFiles(f);
    ASSERT_EQ(back.records.size(), 25u);
    for (int i = 0; i < 25; ++i) EXPECT_EQ(back.records[i][0], Value::number(i + 1));

    // Primary index: one entry per data block - first key, block, record count, 0.
    const Bytes& px = *f.px;
    EXPECT_EQ(le16(px, 0x00), 10);
    EXPECT_EQ(getLe32(&px[0x06]), 3u);
    EXPECT_EQ(le16(px, 0x1E), 1); // root block
    EXPECT_EQ(px[0x20], 1);       // one level
    const uint8_t entry3[10] = {0x80, 0, 0, 21, 0x80, 3, 0x80, 5, 0x80, 0};
    EXPECT_EQ(std::memcmp(&px[0x800 + 6 + 20], entry3, 10), 0);

    // Secondary index: sorted by the name (Ä as A), then ID, each with its data block.
    const Bytes& x = *f.xIndex;
    EXPECT_EQ(le16(x, 0x00), 60 + 4 + 2);
    EXPECT_EQ(getLe32(&x[0x06]), 25u);
    const uint8_t* first = &x[0x800 + 6];
    EXPECT_EQ(first[0], 0xC4); // "Ärger 1"
    EXPECT_EQ(first[63], 1);   // ID 1
    EXPECT_EQ(first[65], 1);   // in block 1
    const uint8_t* last = first + 24 * 66;
    EXPECT_EQ(std::memcmp(last, "Zeta", 4), 0);
    EXPECT_EQ(last[63], 24);
    EXPECT_EQ(last[65], 3);
}

TEST(ParadoxCodec, ReadsSmallBlobsFromSubAllocatedBlocks)
{
    // A memo file as other writers make it: the value in slot 2 of a type-3 block.
    Bytes mb(2 * kMbChunk, 0);
    putLe16(&mb[1], 1);
    uint8_t* blk = &mb[kMbChunk];
    blk[0] = 3;
    putLe16(blk + 1, 1);
    const std::string text(200, 'q');
    uint8_t* slot = blk + 12 + 2 * 5;
    slot[0] = 0x20; // data at 0x200
    slot[1] = 13;   // 13 * 16 bytes of room
    slot[4] = 200 % 16;
    std::memcpy(blk + 0x200, text.data(), text.size());

    PxTableData t;
    t.info = optionsInfo();
    t.records = {row(1, "Standard-Konfiguration", "")};
    PxFiles f = encodeTable(t, "KEGELCFG.DB", -1);
    uint8_t* memo = &f.db[0x800 + 6 + 64];
    std::memcpy(memo, text.data(), 128);
    writeBlobPointer(memo + 128, {static_cast<uint32_t>(kMbChunk) | 2u, 200, 1});
    EXPECT_EQ(decodeTable(f.db, &mb, "KEGELCFG.DB", "KEGELCFG.MB").records[0][2], Value::text(text));

    writeBlobPointer(memo + 128, {static_cast<uint32_t>(kMbChunk) | 2u, 300, 1}); // more than the slot holds
    EXPECT_THROW(decodeTable(f.db, &mb, "KEGELCFG.DB", "KEGELCFG.MB"), FormatError);
    writeBlobPointer(memo + 128, {static_cast<uint32_t>(3 * kMbChunk) | 0xFFu, 200, 1}); // beyond the file
    EXPECT_THROW(decodeTable(f.db, &mb, "KEGELCFG.DB", "KEGELCFG.MB"), FormatError);
    writeBlobPointer(memo + 128, {static_cast<uint32_t>(kMbChunk) | 0xFFu, 200, 1}); // not a type-2 block
    EXPECT_THROW(decodeTable(f.db, &mb, "KEGELCFG.DB", "KEGELCFG.MB"), FormatError);
    try {
        decodeTable(f.db, nullptr, "KEGELCFG.DB", "KEGELCFG.MB");
        FAIL();
    } catch (const FormatError& e) {
        EXPECT_EQ(std::string(e.what()), "Memodatei 'KEGELCFG.MB' fehlt");
    }
}

TEST(ParadoxCodec, DamagedHeadersAreRefusedWithTheFileName)
{
    PxTableData t;
    t.info = optionsInfo();
    t.records = {row(1, "a", "")};
    const Bytes good = encodeTable(t, "KEGELCFG.DB", 1).db;
    auto fails = [](Bytes b, const char* what) {
        try {
            decodeTable(b, nullptr, "KEGELCFG.DB", "KEGELCFG.MB");
            ADD_FAILURE() << what;
        } catch (const FormatError& e) {
            EXPECT_NE(std::string(e.what()).find("'KEGELCFG.DB'"), std::string::npos) << what;
        }
    };
    fails(Bytes(good.begin(), good.begin() + 40), "short");
    fails(Bytes(good.begin(), good.begin() + 0x700), "header cut");
    Bytes b = good; b[0x05] = 5; fails(b, "block size");
    b = good; b[0x78] = 0x42; fails(b, "field type");
    b = good; putLe16(&b[0x00], 100); fails(b, "record size");
    b = good; b[0x04] = 1; fails(b, "an index file");
    b = good; b[0x39] = 0x20; fails(b, "version");
    b = good; putLe32(&b[0x5C], 0x12345678); fails(b, "encrypted");
    b = good; putLe16(&b[0x0E], 9); fails(b, "first block beyond the file");
    b = good; putLe16(&b[0x800], 1); fails(b, "block chain loops");
    b = good; putLe16(&b[0x800 + 4], 50 * 202); fails(b, "too many records in a block");
    b = good; std::memset(&b[0x190], 'x', 0x800 - 0x190); fails(b, "field names not terminated");
    fails(Bytes(3000, 0xFF), "garbage");
}

TEST(ParadoxCodec, ArbitraryDamageNeverCrashes)
{
    PxTableData t;
    t.info = optionsInfo();
    t.records = {row(1, "Standard-Konfiguration", bytesBlob(500)), row(2, "b", "x")};
    const PxFiles f = encodeTable(t, "KEGELCFG.DB", 1);
    uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (int round = 0; round < 3000; ++round) {
        Bytes db = f.db, mb = *f.mb;
        Bytes& target = round % 3 == 2 ? mb : db;
        const size_t span = &target == &db ? std::min<size_t>(db.size(), 0x800 + 600) : 4096 + 64;
        for (int k = 0; k < 1 + round % 4; ++k) target[next() % span] = static_cast<uint8_t>(next() >> 8);
        if (round % 50 == 0) target.resize(next() % target.size());
        try {
            decodeTable(db, &mb, "KEGELCFG.DB", "KEGELCFG.MB");
        } catch (const EngineError&) {
        }
    }
}

TEST(ParadoxCodec, ForeignFieldTypesReadAndFixedSizesAreChecked)
{
    PxTableData t;
    t.info.fields = {{"NR", PxType::Long, 4}, {"BETRAG", PxType::Alpha, 17}, {"TAG", PxType::Date, 4}};
    t.records = {{Value::number(7), Value::null(), Value::date(daysFromCivil(2001, 12, 31))}};
    Bytes db = encodeTable(t, "FREMD.DB", -1).db;
    // Make the second field a BCD field with two decimal places holding 12.50.
    db[0x78 + 2] = 0x17;
    db[0x78 + 3] = 2;
    uint8_t* bcd = &db[0x800 + 6 + 4];
    bcd[0] = 0x80 | 2;
    bcd[15] = 0x12;
    bcd[16] = 0x50;
    PxTableData back = decodeTable(db, nullptr, "FREMD.DB", "FREMD.MB");
    ASSERT_EQ(back.records.size(), 1u);
    EXPECT_EQ(back.records[0][0], Value::number(7));
    EXPECT_EQ(back.records[0][1], Value::number(12.5));
    EXPECT_EQ(back.records[0][2], Value::date(daysFromCivil(2001, 12, 31)));
    EXPECT_EQ(back.info.keyFields, 0); // an unkeyed table
    // A long field claiming 3 bytes is damage.
    db[0x78 + 1] = 3;
    EXPECT_THROW(decodeTable(db, nullptr, "FREMD.DB", "FREMD.MB"), FormatError);
}
