#include "../../engine/storage/temp_folder.h"
#include "engine/core/error.h"
#include "engine/fs/file_system.h"
#include "engine/paradox/paradox_table.h"
#include "engine/storage/session.h"
#include "common/stream/options_store.h"
#include "stream_bytes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace trevo::common;
using namespace trevo::engine;

namespace {

class OptionsStoreTest : public ::testing::Test {
protected:
    trevo::engine::test::TempFolder dir;
    FileSystem& fs = realFileSystem();
    const std::string folder = dir.path() + "/";

    void putFile(const std::string& path, const std::string& bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    void createTable()
    {
        Storage storage(fs);
        Session s(storage, "Default");
        s.atomically([&] { createOptionsTable(storage, folder + kConfigFileName); });
    }
    OptionsLoadResult load()
    {
        Storage storage(fs);
        return loadStoredOptions(storage, folder);
    }
    void save(const StoredOptions& o)
    {
        Storage storage(fs);
        saveStoredOptions(storage, folder, o);
    }
    std::unique_ptr<paradox::ParadoxTable> table(Storage& storage)
    {
        return paradox::ParadoxTable::open(storage, folder + kConfigFileName);
    }
};

StoredOptions changed()
{
    StoredOptions o;
    o.datenordner = "C:\\Kegelclub Müller\\";
    o.showLotseAtStart = false;
    o.eingabewaehrung = 2;
    return o;
}

} // namespace

TEST_F(OptionsStoreTest, FirstStartHasNoRecordAndTheEndCreatesIt)
{
    createTable();
    OptionsLoadResult r = load();
    EXPECT_EQ(r.status, OptionsLoadStatus::NoRecord);
    EXPECT_EQ(r.options, StoredOptions());

    save(changed());
    r = load();
    EXPECT_EQ(r.status, OptionsLoadStatus::Loaded);
    EXPECT_EQ(r.options, changed());
    EXPECT_TRUE(r.message.empty());

    // Saving again replaces the stream of the same record.
    StoredOptions again = changed();
    again.logoFilename = std::string(400, 'L'); // the stream grows well beyond the record's 128 bytes
    save(again);
    EXPECT_EQ(load().options, again);
    Storage storage(fs);
    auto t = table(storage);
    ASSERT_EQ(t->recordCount(), 1u);
    EXPECT_EQ(t->record(0)[0], Value::number(1));
    EXPECT_EQ(t->record(0)[1], Value::text(kConfigRecordName));
    EXPECT_EQ(t->record(0)[2].text().substr(0, 4), "TPF0");
}

TEST_F(OptionsStoreTest, TheRecordIsFoundAmongOthersAndInALowerCaseFile)
{
    {
        Storage storage(fs);
        Session s(storage, "Default");
        s.atomically([&] {
            auto t = createOptionsTable(storage, folder + "kegelcfg.db");
            t->append({Value::null(), Value::text("Andere"), Value::text("kein Datenstrom")});
            t->append({Value::null(), Value::text(kConfigRecordName), Value::text(optionsToStream(changed()))});
        });
    }
    const OptionsLoadResult r = load();
    EXPECT_EQ(r.status, OptionsLoadStatus::Loaded);
    EXPECT_EQ(r.options, changed());
    save(StoredOptions());
    Storage storage(fs);
    auto t = paradox::ParadoxTable::open(storage, folder + "kegelcfg.db");
    ASSERT_EQ(t->recordCount(), 2u);
    EXPECT_EQ(t->record(0)[2], Value::text("kein Datenstrom"));
    EXPECT_EQ(load().options, StoredOptions());
}

TEST_F(OptionsStoreTest, MissingTableIsReportedAtLoadAndSave)
{
    const OptionsLoadResult r = load();
    EXPECT_EQ(r.status, OptionsLoadStatus::FileMissing);
    EXPECT_EQ(r.message, "Die Konfigurationsdatenbank KEGELCFG.DB fehlt");
    try {
        save(changed());
        FAIL();
    } catch (const EngineError& e) {
        EXPECT_EQ(std::string(e.what()), "Die Konfigurationsdatenbank KEGELCFG.DB fehlt");
    }
    EXPECT_FALSE(fs.exists(folder + kConfigFileName));
    Storage storage(fs);
    EXPECT_EQ(loadStoredOptions(storage, folder + "gibt/es/nicht/").status, OptionsLoadStatus::FileMissing);
}

TEST_F(OptionsStoreTest, DamagedOrForeignTablesKeepTheDefaults)
{
    StoredOptions defaults;
    defaults.kontolistFilename = "VORGABE.QR2";
    auto loadWith = [&] {
        Storage storage(fs);
        return loadStoredOptions(storage, folder, defaults);
    };
    // Not a Paradox table at all.
    putFile(folder + kConfigFileName, std::string(3000, 'x'));
    OptionsLoadResult r = loadWith();
    EXPECT_EQ(r.status, OptionsLoadStatus::Unreadable);
    EXPECT_EQ(r.options, defaults);
    EXPECT_NE(r.message.find("KEGELCFG.DB"), std::string::npos);
    fs.remove(folder + kConfigFileName);

    // A header that ends before its code page (once read past the end of the file).
    std::ifstream seed(std::string(TREVO_TEST_SOURCE_DIR) + "/../fuzz/seeds/paradox/regression-header-codepage",
                       std::ios::binary);
    const std::string header{std::istreambuf_iterator<char>(seed), {}};
    ASSERT_EQ(header.size(), 97u);
    putFile(folder + kConfigFileName, header.substr(1)); // the fuzz target's first byte chooses the role
    r = loadWith();
    EXPECT_EQ(r.status, OptionsLoadStatus::Unreadable);
    EXPECT_EQ(r.options, defaults);
    EXPECT_NE(r.message.find("Datei 'KEGELCFG.DB' ist beschädigt: "), std::string::npos) << r.message;
    fs.remove(folder + kConfigFileName);

    // A record whose stream breaks off in the middle.
    createTable();
    {
        Storage storage(fs);
        Session s(storage, "Default");
        const std::string stream = optionsToStream(changed());
        s.atomically([&] {
            table(storage)->append({Value::null(), Value::text(kConfigRecordName), Value::text(stream.substr(0, 300))});
        });
    }
    r = loadWith();
    EXPECT_EQ(r.status, OptionsLoadStatus::Unreadable);
    EXPECT_EQ(r.options, defaults);
    EXPECT_NE(r.message.find("beschädigt"), std::string::npos);

    // The memo file is gone.
    fs.remove(folder + "KEGELCFG.MB");
    r = loadWith();
    EXPECT_EQ(r.status, OptionsLoadStatus::Unreadable);
    EXPECT_EQ(r.options, defaults);

    // A Paradox table with other fields.
    for (const auto& f : std::filesystem::directory_iterator(dir.path())) std::filesystem::remove(f.path());
    {
        Storage storage(fs);
        Session s(storage, "Default");
        paradox::PxTableInfo info;
        info.fields = {{"NAME", paradox::PxType::Alpha, 20}};
        s.atomically([&] { paradox::ParadoxTable::create(storage, folder + kConfigFileName, info, -1); });
    }
    r = loadWith();
    EXPECT_EQ(r.status, OptionsLoadStatus::Unreadable);
    EXPECT_EQ(r.options, defaults);
    EXPECT_THROW(save(changed()), FormatError);
}

