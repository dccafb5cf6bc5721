#include "engine/core/error.h"
#include "../storage/temp_folder.h"
#include "engine/fs/file_system.h"
#include "engine/paradox/paradox_table.h"
#include "engine/paradox/px_bytes.h"
#include "engine/storage/session.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace trevo::engine;
using namespace trevo::engine::paradox;

namespace {

PxTableInfo configInfo()
{
    PxTableInfo info;
    info.fields = {{"ID", PxType::AutoInc, 4}, {"BEZEICHNUNG", PxType::Alpha, 60}, {"RESOURCE", PxType::Memo, 138}};
    info.keyFields = 1;
    return info;
}

Record named(const std::string& name, const std::string& blob)
{
    return {Value::null(), Value::text(name), Value::text(blob)};
}

std::vector<uint8_t> contentsOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void putFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

class ParadoxTableTest : public ::testing::Test {
protected:
    test::TempFolder dir;
    FileSystem& fs = realFileSystem();
    std::string path = dir.file("KEGELCFG.DB");

    std::unique_ptr<ParadoxTable> created(Storage& storage)
    {
        Session s(storage, "Default");
        return s.atomically([&] { return ParadoxTable::create(storage, path, configInfo(), 1); });
    }
};

} // namespace

TEST_F(ParadoxTableTest, RoundTripWithBlobsInTheRecordAndInTheMemoFileAfterReopening)
{
    const std::string small(100, 's');
    std::string large;
    for (int i = 0; i < 5000; ++i) large.push_back(static_cast<char>(i % 251));
    {
        Storage storage(fs);
        Session s(storage, "Default");
        auto t = created(storage);
        s.atomically([&] {
            EXPECT_EQ(t->append(named("Standard-Konfiguration", large)), 0u);
            EXPECT_EQ(t->append(named("Zweite", small)), 1u);
        });
        EXPECT_EQ(t->record(0)[0], Value::number(1));
        EXPECT_EQ(t->record(1)[0], Value::number(2));
    }
    for (const char* f : {"KEGELCFG.DB", "KEGELCFG.MB", "KEGELCFG.PX", "KEGELCFG.X02", "KEGELCFG.Y02"})
        EXPECT_TRUE(fs.exists(dir.file(f))) << f;
    EXPECT_GE(contentsOf(dir.file("KEGELCFG.MB")).size(), 2u * 4096);

    Storage again(fs);
    auto t = ParadoxTable::open(again, dir.file("kegelcfg.db"));
    ASSERT_EQ(t->recordCount(), 2u);
    EXPECT_EQ(t->record(0)[2], Value::text(large));
    EXPECT_EQ(t->record(1)[2], Value::text(small));
    EXPECT_EQ(t->record(1)[1], Value::text("Zweite"));
    EXPECT_EQ(t->secondaryField(), 1);
    EXPECT_EQ(t->fieldIndex("bezeichnung"), 1);
    EXPECT_EQ(t->find(1, Value::text("Zweite")), std::optional<size_t>(1));
    EXPECT_EQ(t->find(1, Value::text("Zweite  ")), std::optional<size_t>(1));
    EXPECT_EQ(t->find(1, Value::text("zweite")), std::nullopt);
    EXPECT_EQ(t->nextAutoIncrement(), 3u);
}

TEST_F(ParadoxTableTest, AutoIncrementIsAssignedOnAppendKeptOnChangeAndNeverReused)
{
    Storage storage(fs);
    Session s(storage, "Default");
    auto t = created(storage);
    s.atomically([&] {
        for (const char* n : {"a", "b", "c"}) t->append(named(n, "x"));
    });
    s.atomically([&] { t->remove(2); });
    EXPECT_EQ(getLe32(&contentsOf(path)[0x49]), 3u); // the header keeps the last value
    Record changed = t->record(0);
    changed[0] = Value::number(77); // an ID cannot be set
    changed[1] = Value::text("neu");
    s.atomically([&] { EXPECT_EQ(t->put(0, changed), 0u); });
    EXPECT_EQ(t->record(0)[0], Value::number(1));
    s.atomically([&] { t->append(named("d", "")); });
    EXPECT_EQ(t->record(2)[0], Value::number(4));
    EXPECT_TRUE(t->record(2)[2].isNull());

    Storage again(fs);
    auto back = ParadoxTable::open(again, path);
    ASSERT_EQ(back->recordCount(), 3u);
    EXPECT_EQ(back->record(0)[1], Value::text("neu"));
    EXPECT_EQ(back->nextAutoIncrement(), 5u);
}

TEST_F(ParadoxTableTest, ChangesOutsideAnAtomicScopeAndBadValuesChangeNothing)
{
    Storage storage(fs);
    Session s(storage, "Default");
    auto t = created(storage);
    const auto before = contentsOf(path);
    EXPECT_THROW(t->append(named("a", "x")), std::logic_error);
    EXPECT_EQ(t->recordCount(), 0u);
    EXPECT_THROW(s.atomically([&] { t->append(named(std::string(61, 'z'), "x")); }), ValueError);
    EXPECT_EQ(t->recordCount(), 0u);
    EXPECT_EQ(contentsOf(path), before);
}

TEST_F(ParadoxTableTest, RolledBackTransactionRestoresTheRecords)
{
    Storage storage(fs);
    Session s(storage, "Default");
    auto t = created(storage);
    s.atomically([&] { t->append(named("bleibt", "1")); });
    s.startTransaction();
    s.atomically([&] { t->append(named("weg", "2")); });
    EXPECT_EQ(t->recordCount(), 2u);
    s.rollback();
    ASSERT_EQ(t->recordCount(), 1u);
    EXPECT_EQ(t->record(0)[1], Value::text("bleibt"));
}

TEST_F(ParadoxTableTest, CreateNeverOverwritesAndOpenReportsMissingOrDamagedFiles)
{
    {
        Storage storage(fs);
        created(storage);
        EXPECT_THROW(created(storage), EngineError);
    }
    putFile(dir.file("ANDERS.MB"), std::string(4096, '\0'));
    {
        Storage storage(fs);
        Session s(storage, "Default");
        EXPECT_THROW(s.atomically([&] { ParadoxTable::create(storage, dir.file("ANDERS.DB"), configInfo(), 1); }),
                     EngineError);
        EXPECT_FALSE(fs.exists(dir.file("ANDERS.DB")));
    }
    Storage storage(fs);
    EXPECT_THROW(ParadoxTable::open(storage, dir.file("FEHLT.DB")), EngineError);
    putFile(dir.file("KAPUTT.DB"), std::string(5000, 'k'));
    try {
        ParadoxTable::open(storage, dir.file("KAPUTT.DB"));
        FAIL();
    } catch (const FormatError& e) {
        EXPECT_NE(std::string(e.what()).find("KAPUTT.DB"), std::string::npos);
    }
}
