// Language drivers of DOS, Windows and Macintosh tables choose their code pages, and
// tables that another program wrote with such a driver read with their letters.
#include "../dbf/dbf_test_util.h"
#include "engine/codepage/code_page.h"

#include <gtest/gtest.h>

#include <fstream>

namespace trevo::engine {
namespace {

TEST(DriverPages, EveryPublicSingleBytePageDriverIsKnownWithItsPage)
{
    const std::pair<uint8_t, int> drivers[] = {
        {0x04, 10000}, {0x08, 865}, {0x09, 437}, {0x0A, 850}, {0x0B, 437}, {0x0C, 850}, {0x0D, 437},
        {0x0E, 850},   {0x11, 437}, {0x12, 850}, {0x13, 0},   {0x14, 850}, {0x15, 437}, {0x16, 850},
        {0x17, 865},   {0x18, 437}, {0x19, 437}, {0x1A, 850}, {0x1B, 437}, {0x1C, 863}, {0x1D, 850},
        {0x1F, 852},   {0x22, 852}, {0x23, 852}, {0x24, 860}, {0x25, 850}, {0x26, 866}, {0x37, 850},
        {0x40, 852},   {0x50, 874}, {0x67, 861}, {0x6A, 737}, {0x6B, 857}, {0x6C, 863}, {0x7D, 1255},
        {0x7E, 1256},  {0x86, 737}, {0x87, 852}, {0x88, 857}, {0xCA, 1254}, {0xCB, 1253}, {0xCC, 1257},
        {0x96, 10007}, {0x97, 10029}, {0x98, 10006},
    };
    for (const auto& [id, page] : drivers) {
        bool known = false;
        const CodePage& cp = codePageForDriver(id, &known);
        // Multi-byte pages are not read; such a driver stays unknown.
        EXPECT_EQ(known, page != 0) << std::hex << int(id);
        if (page) EXPECT_EQ(cp.number(), page) << std::hex << int(id);
    }
}

TEST(DriverPages, EveryByteOfEveryPageSurvivesARoundTrip)
{
    std::string all;
    for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
    for (int id = 0; id < 256; ++id) {
        bool known = false;
        const CodePage& cp = codePageForDriver(static_cast<uint8_t>(id), &known);
        if (!known) continue;
        const auto back = cp.encode(cp.decode(all));
        ASSERT_TRUE(back) << cp.name();
        EXPECT_EQ(*back, all) << cp.name();
    }
}

TEST(DriverPages, LettersOfTheirLanguages)
{
    EXPECT_EQ(codePageForDriver(0x37).decode("Gr\x81\xE1" "e \x99l"), "Grüße Öl");
    EXPECT_EQ(codePageForDriver(0x1B).decode("Gr\x81\xE1" "e \x99l"), "Grüße Öl");
    EXPECT_EQ(codePageForDriver(0xCB).decode("\xC1\xE8\xDE\xED\xE1"), "Αθήνα");
    EXPECT_EQ(codePageForDriver(0x6B).decode("\x9F" "ehir"), "şehir");
    EXPECT_EQ(codePageForDriver(0xCC).decode("R\xEEga"), "Rīga");
    EXPECT_EQ(codePageForDriver(0x04).decode("M\x8A" "rz"), "März");
    EXPECT_EQ(*codePageForDriver(0x1C).encode("Québec"), "Qu\x82" "bec");
}

const char* kDosTables = R"PY(
import dbf
for name, codepage in (('DOS437.DBF', 'cp437'), ('DOS850.DBF', 'cp850')):
    t = dbf.Table(name, 'NAME C(20)', dbf_type='db3', codepage=codepage)
    t.open(dbf.READ_WRITE)
    t.append(('Grüße Öl',))
    t.close()
print('ok')
)PY";

void driverSetzen(const std::string& path, uint8_t id)
{
    std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(29);
    f.put(static_cast<char>(id));
}

TEST(DriverPages, OldDosTablesWrittenByAnotherProgramShowTheirUmlauts)
{
    test::ScratchDir dir;
    std::string out;
    ASSERT_EQ(test::runPython(dir, kDosTables, &out), 0) << out;
    // The other program writes its own ids for the two pages; old DOS programs wrote these.
    driverSetzen(dir.file("DOS437.DBF"), 0x1B);
    driverSetzen(dir.file("DOS850.DBF"), 0x37);
    for (const char* name : {"DOS437.DBF", "DOS850.DBF"}) {
        Database db;
        auto t = db.table(dir.file(name));
        ASSERT_EQ(t->recordCount(), 1u) << name;
        EXPECT_EQ(t->get(0, 0), Value::text("Grüße Öl")) << name;
        EXPECT_FALSE(t->readOnly()) << name;
    }
}

} // namespace
} // namespace trevo::engine
