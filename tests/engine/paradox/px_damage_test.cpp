// Damaged Paradox files: every read stays inside the bytes there, and what cannot be
// read is refused with the file's "beschädigt" text.
#include "engine/core/error.h"
#include "engine/paradox/px_blob.h"
#include "engine/paradox/px_codec.h"
#include "engine/paradox/px_reader.h"
#include "engine/paradox/px_values.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace trevo::engine;
using namespace trevo::engine::paradox;

namespace {

PxFiles optionsFiles(const std::string& blob)
{
    PxTableData t;
    t.info.fields = {{"ID", PxType::AutoInc, 4}, {"BEZEICHNUNG", PxType::Alpha, 60}, {"RESOURCE", PxType::Memo, 138}};
    t.info.keyFields = 1;
    t.records = {{Value::number(1), Value::text("Standard-Konfiguration"), Value::text(blob)}};
    return encodeTable(t, "KEGELCFG.DB", 1);
}

// The text of the FormatError that decoding throws; empty when the files decode.
std::string decodeError(const Bytes& db, const Bytes* mb)
{
    try {
        decodeTable(db, mb, "KEGELCFG.DB", "KEGELCFG.MB");
    } catch (const FormatError& e) {
        return e.what();
    }
    return {};
}

bool startsWith(const std::string& s, const std::string& prefix) { return s.rfind(prefix, 0) == 0; }

} // namespace

TEST(ParadoxReader, ReadsUpToTheLastByteAndRefusesOneMoreNamingFileRegionAndOffsets)
{
    const Bytes file(0x100, 0x11);
    const PxReader whole(file, "KEGELCFG.DB");
    EXPECT_EQ(whole.le32(0xFC), 0x11111111u);
    EXPECT_EQ(whole.copy(0x100, 0).size(), 0u);
    EXPECT_FALSE(whole.holds(SIZE_MAX, 2)); // no wrap-around
    EXPECT_FALSE(whole.holds(2, SIZE_MAX));
    EXPECT_THROW(whole.at(SIZE_MAX, 2), FormatError);

    const PxReader block = whole.part(0x40, 0x20, "Block 1");
    EXPECT_EQ(block.size(), 0x20u);
    EXPECT_EQ(block.u8(0x1F), 0x11);
    try {
        block.le16(0x1F);
        FAIL();
    } catch (const FormatError& e) {
        EXPECT_EQ(std::string(e.what()), "Datei 'KEGELCFG.DB' ist beschädigt: Block 1 endet bei Offset 0x60 vor "
                                         "den 2 Bytes ab Offset 0x5F");
    }
    EXPECT_THROW(whole.part(0xF0, 0x11, "Block 2"), FormatError);
    try {
        PxReader(file, "KEGELCFG.MB", "Memodatei").text(0xFF, 2);
        FAIL();
    } catch (const FormatError& e) {
        EXPECT_TRUE(startsWith(e.what(), "Memodatei 'KEGELCFG.MB' ist beschädigt: ")) << e.what();
    }
}

// A header shorter than the data header of a version 7 table: the encryption word at
// 0x5C, the code page at 0x6A and the field list at 0x78 lie behind its end.
TEST(ParadoxReader, HeaderEndingBeforeTheDataHeaderIsDamageForEveryLength)
{
    const Bytes good = optionsFiles("x").db;
    for (uint16_t size = 0x58; size < 0x100; ++size) {
        Bytes db(good.begin(), good.begin() + size);
        putLe16(&db[0x02], size);
        db.shrink_to_fit();
        const std::string error = decodeError(db, nullptr);
        EXPECT_TRUE(startsWith(error, "Datei 'KEGELCFG.DB' ist beschädigt: ")) << size << ": " << error;
    }
    // Header size and file size agree, but the header is shorter than its fixed part.
    Bytes db(good.begin(), good.begin() + 0x60);
    putLe16(&db[0x02], 0x50);
    EXPECT_EQ(decodeError(db, nullptr), "Datei 'KEGELCFG.DB' ist beschädigt: Länge des Dateikopfs 80 passt nicht "
                                        "zur Dateigröße 96");
}

// Inputs that once read past the end, kept as seeds of the fuzz target: the first byte
// chooses the role of the rest (even: the .DB alone).
TEST(ParadoxReader, InputsThatOnceReadPastTheEndAreRefused)
{
    const std::filesystem::path seeds = std::filesystem::path(TREVO_TEST_SOURCE_DIR) / "../fuzz/seeds/paradox";
    int found = 0;
    for (const auto& entry : std::filesystem::directory_iterator(seeds)) {
        if (!startsWith(entry.path().filename().string(), "regression-")) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const Bytes input{std::istreambuf_iterator<char>(in), {}};
        ASSERT_FALSE(input.empty());
        ++found;
        const Bytes rest(input.begin() + 1, input.end());
        const PxFiles base = optionsFiles(std::string(700, 'r'));
        const std::string error = input[0] % 2 ? decodeError(base.db, &rest) : decodeError(rest, nullptr);
        EXPECT_NE(error.find("ist beschädigt: "), std::string::npos) << entry.path() << ": " << error;
    }
    EXPECT_GE(found, 1);
}

TEST(ParadoxReader, EveryCutOfTheTableOrTheMemoFileIsReadOrRefused)
{
    const PxFiles f = optionsFiles(std::string(5000, 'm'));
    for (size_t n = 0; n < f.db.size(); n += n < 0x900 ? 1 : 97) {
        const Bytes db(f.db.begin(), f.db.begin() + n);
        const std::string error = decodeError(db, &*f.mb);
        EXPECT_TRUE(startsWith(error, "Datei 'KEGELCFG.DB' ist beschädigt: ")) << n << ": " << error;
    }
    for (size_t n = 0; n < f.mb->size(); n += 13) {
        const Bytes mb(f.mb->begin(), f.mb->begin() + n);
        const std::string error = decodeError(f.db, &mb);
        const bool valueThere = n >= kMbChunk + 9 + 5000; // block head and value, without the padding
        EXPECT_TRUE(valueThere ? error.empty() : startsWith(error, "Memodatei 'KEGELCFG.MB' ist beschädigt: "))
            << n << ": " << error;
    }
}

TEST(ParadoxReader, BlobPointersBeyondTheMemoFileAreRefused)
{
    PxFiles f = optionsFiles(std::string(300, 'b'));
    uint8_t* pointer = &f.db[0x800 + 6 + 4 + 60 + 128];
    const BlobPointer good = readBlobPointer(pointer);
    for (const BlobPointer bad : {BlobPointer{0xFFFFFF00u | 0xFFu, good.length, 1},
                                  BlobPointer{good.offsetAndIndex, 0xFFFFFFFFu, 1},
                                  BlobPointer{0xFFFFFF00u | 5u, 200, 1}}) {
        writeBlobPointer(pointer, bad);
        const std::string error = decodeError(f.db, &*f.mb);
        EXPECT_TRUE(startsWith(error, "Memodatei 'KEGELCFG.MB' ist beschädigt: ")) << error;
    }
}
