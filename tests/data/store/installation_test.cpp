#include "engine/core/error.h"
#include "engine/database.h"
#include "data/store/installation.h"
#include "data/store/schema.h"
#include "store_test_util.h"
#include "common/stream/options_store.h"

#include <gtest/gtest.h>

using namespace trevo;
using namespace trevo::data;
using engine::Value;

namespace {

const int32_t kToday = engine::daysFromCivil(2025, 3, 14);

// Blank text and memo fields read as empty texts.
engine::Record blanksAsEmptyText(const TableSchema& t, engine::Record r)
{
    for (size_t i = 0; i < r.size(); ++i)
        if (r[i].isNull() && (t.fields[i].type == 'C' || t.fields[i].type == 'M')) r[i] = Value::text("");
    return r;
}

} // namespace

TEST(Installation, FreshDataFolderMatchesTheSchemasAndHasTheStartingContents)
{
    test::TempFolder dir;
    const std::string folder = dir.file("daten");
    {
        engine::Database db;
        const SetupReport r = installDataFolder(db, folder, kToday);
        EXPECT_TRUE(r.unchanged.empty());
        EXPECT_EQ(r.created.size(), 16u + 6u); // six tables have a memo file
    }
    engine::Database db;
    for (const TableSchema& t : allTables()) {
        auto table = db.table(engine::joinPath(folder, t.fileName));
        EXPECT_EQ(table->fields(), t.fieldDefs()) << t.fileName;
        EXPECT_EQ(table->languageDriver(), 0x57) << t.fileName;
        EXPECT_FALSE(table->readOnly()) << t.fileName;
        const std::string header = test::readFile(engine::joinPath(folder, t.fileName));
        EXPECT_EQ(static_cast<uint8_t>(header[0]), t.hasMemo() ? 0x8B : 0x03) << t.fileName;
        EXPECT_EQ(header[28], 0) << t.fileName; // no production index claimed
        EXPECT_EQ(std::filesystem::exists(engine::joinPath(folder, memoFileName(t.fileName))), t.hasMemo());
        const auto expected = startingRecords(t.fileName, kToday);
        ASSERT_EQ(table->recordCount(), expected.size()) << t.fileName;
        for (uint32_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(blanksAsEmptyText(t, table->getRecord(i)), blanksAsEmptyText(t, expected[i])) << t.fileName;
    }
    auto currency = db.table(engine::joinPath(folder, tables::Waehrungen));
    EXPECT_EQ(currency->get(0, currency->fieldIndex("NAME")), Value::text("Euro"));
    EXPECT_EQ(currency->get(0, currency->fieldIndex("KUERZEL")), Value::text("EUR"));
    EXPECT_EQ(currency->get(0, currency->fieldIndex("FAKTOR")), Value::number(1));
    auto account = db.table(engine::joinPath(folder, tables::Kontoinf));
    EXPECT_EQ(account->textOf(0, account->fieldIndex("DATUM")), "01.01.1990");
    EXPECT_EQ(account->get(0, account->fieldIndex("KONTOSTAND")), Value::number(0));
    EXPECT_EQ(account->get(0, account->fieldIndex("KONTONR")), Value::number(1));
    auto list = db.table(engine::joinPath(folder, tables::Sonstyp0));
    EXPECT_EQ(list->get(0, list->fieldIndex("DATUM")), Value::date(kToday));
    EXPECT_EQ(list->get(0, list->fieldIndex("WAEHRUNG")), Value::number(1));
}

TEST(Installation, RunningTwiceChangesNothingAndSaysSo)
{
    test::TempFolder dir;
    {
        engine::Database db;
        installDataFolder(db, dir.path(), kToday);
        installProgramFolder(db, dir.path());
    }
    const auto before = test::snapshot(dir.path());
    engine::Database db;
    const SetupReport data = installDataFolder(db, dir.path(), kToday + 1);
    const SetupReport program = installProgramFolder(db, dir.path());
    EXPECT_FALSE(data.changedAnything());
    EXPECT_FALSE(program.changedAnything());
    EXPECT_EQ(data.unchanged.size(), 16u);
    ASSERT_EQ(data.lines().size(), 16u);
    EXPECT_EQ(data.lines()[0], "Datei 'TERMINE.DBF' ist schon vorhanden, nichts geändert");
    EXPECT_EQ(program.lines(), std::vector<std::string>{"Datei 'KEGELCFG.DB' ist schon vorhanden, nichts geändert"});
    EXPECT_EQ(test::snapshot(dir.path()), before);
}

TEST(Installation, CompletesAPartlyInstalledFolderWithoutTouchingWhatIsThere)
{
    test::TempFolder dir;
    std::ofstream(dir.file("kegler.dbf")) << "fremde Datei";      // another case, any content
    std::ofstream(dir.file("TERMINE.DBT")) << "verwaiste Memodatei"; // a memo file without its table
    engine::Database db;
    const SetupReport r = installDataFolder(db, dir.path(), kToday);
    EXPECT_EQ(r.unchanged, (std::vector<std::string>{"TERMINE.DBT", "KEGLER.DBF"}));
    EXPECT_EQ(test::readFile(dir.file("kegler.dbf")), "fremde Datei");
    EXPECT_EQ(test::readFile(dir.file("TERMINE.DBT")), "verwaiste Memodatei");
    EXPECT_FALSE(std::filesystem::exists(dir.file("TERMINE.DBF")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("KEGLER.DBT")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("KONTOINF.DBF")));
    EXPECT_EQ(r.created.size(), 14u + 4u);
}

TEST(Installation, ProgramFolderHoldsTheDefaultOptions)
{
    test::TempFolder dir;
    const std::string folder = dir.file("programm");
    engine::Database db;
    const SetupReport r = installProgramFolder(db, folder);
    EXPECT_EQ(r.created.front(), "KEGELCFG.DB");
    for (const char* f : {"KEGELCFG.DB", "KEGELCFG.MB", "KEGELCFG.PX", "KEGELCFG.X02", "KEGELCFG.Y02"})
        EXPECT_TRUE(std::filesystem::exists(engine::joinPath(folder, f))) << f;
    engine::Storage storage(engine::realFileSystem());
    const common::OptionsLoadResult loaded = common::loadStoredOptions(storage, folder);
    EXPECT_EQ(loaded.status, common::OptionsLoadStatus::Loaded) << loaded.message;
    EXPECT_EQ(loaded.options, common::StoredOptions());
    auto table = engine::paradox::ParadoxTable::open(storage, engine::joinPath(folder, "KEGELCFG.DB"));
    ASSERT_EQ(table->recordCount(), 1u);
    EXPECT_EQ(table->record(0)[0], Value::number(1));
}

TEST(Installation, AFileWhereTheFolderShouldBeIsAnError)
{
    test::TempFolder dir;
    std::ofstream(dir.file("daten")) << "x";
    engine::Database db;
    EXPECT_THROW(installDataFolder(db, dir.file("daten"), kToday), engine::EngineError);
}
