#include "data/dbtools/naechste_nummer.h"
#include "engine/fs/memory_file_system.h"
#include "common/dialogs/scripted_dialogs.h"
#include "engine/index/table_indexes.h"

#include <gtest/gtest.h>

using namespace trevo;
using engine::Value;

namespace {

class NaechsteNummerTest : public ::testing::Test {
protected:
    engine::MemoryFileSystem fs;
    engine::Database db{fs};
    common::ScriptedDialogs dialoge;
    common::DialogsScope dialogScope{dialoge};
    data::TDBTools tools{db};

    NaechsteNummerTest() { fs.makeDirectory("/daten"); }

    std::unique_ptr<engine::TableDataSet> tabelle(const std::vector<std::optional<double>>& nummern, uint8_t stellen = 0)
    {
        db.session().atomically([&] {
            auto t = db.createTable("/daten/K.DBF", {{"NUMMER", 'N', 10, stellen}, {"NAME", 'C', 10, 0}});
            for (const auto& n : nummern) t->append({n ? Value::number(*n) : Value(), Value::text("x")});
        });
        auto ds = std::make_unique<engine::TableDataSet>(db, db.session(), "/daten/K.DBF");
        ds->open();
        return ds;
    }
};

} // namespace

TEST(TextAlsGanzzahl, IntegersBlanksAndTheEmptyText)
{
    EXPECT_EQ(data::TextAlsGanzzahl("41"), 41);
    EXPECT_EQ(data::TextAlsGanzzahl("  7 "), 7);
    EXPECT_EQ(data::TextAlsGanzzahl(""), 0);
    EXPECT_EQ(data::TextAlsGanzzahl("-3"), -3);
    EXPECT_EQ(data::TextAlsGanzzahl("12,5"), std::nullopt);
    EXPECT_EQ(data::TextAlsGanzzahl("x"), std::nullopt);
    EXPECT_EQ(data::TextAlsGanzzahl("99999999999999999999"), std::nullopt);
}

TEST_F(NaechsteNummerTest, EmptyTableGivesTheStartValue)
{
    auto ds = tabelle({});
    EXPECT_EQ(data::NaechsteNummer(*ds, "NUMMER", 1, tools), 1);
    EXPECT_EQ(data::NaechsteNummer(*ds, "NUMMER", 0, tools), 0);
}

TEST_F(NaechsteNummerTest, HighestPlusOneRegardlessOfGapsAndOrder)
{
    auto ds = tabelle({5, 41, 2, std::nullopt});
    ds->setIndex("NAME");
    EXPECT_EQ(data::NaechsteNummer(*ds, "NUMMER", 1, tools), 42);
    EXPECT_EQ(ds->indexName(), "NUMMER"); // left on the field's order
    EXPECT_EQ(tools.Datensatzanzahl("/daten/K.DBF"), 4); // nothing repaired
}

TEST_F(NaechsteNummerTest, OnlyEmptyNumbersGiveOne)
{
    auto ds = tabelle({std::nullopt});
    EXPECT_EQ(data::NaechsteNummer(*ds, "NUMMER", 1, tools), 1);
}

TEST_F(NaechsteNummerTest, UnreadableNumberDeletesEmptyNumbersThenFallsBackToStart)
{
    // The highest number is no integer: the repair removes the records without a number,
    // reads again and, still finding no integer, gives the start value.
    auto ds = tabelle({std::nullopt, 3.5, 1, std::nullopt}, 2);
    EXPECT_EQ(data::NaechsteNummer(*ds, "NUMMER", 1, tools), 1);
    EXPECT_EQ(tools.LeereNummernZaehlen("/daten/", "K.DBF", "NUMMER"), 0);
    EXPECT_EQ(tools.Datensatzanzahl("/daten/K.DBF"), 2);
    EXPECT_EQ(ds->recordCount(), 2u);
}

TEST_F(NaechsteNummerTest, UnreadableNumberWithoutEmptyOnesRebuildsTheIndexes)
{
    auto ds = tabelle({3.5, 1}, 2);
    auto& indexes = ds->table()->attachment<engine::TableIndexes>();
    const auto vorher = indexes.resets();
    EXPECT_EQ(data::NaechsteNummer(*ds, "NUMMER", 7, tools), 7);
    EXPECT_GT(indexes.resets(), vorher);
    EXPECT_EQ(tools.Datensatzanzahl("/daten/K.DBF"), 2);
    EXPECT_TRUE(dialoge.shown().empty());
}

TEST_F(NaechsteNummerTest, FieldWithoutIndexGivesMinusOne)
{
    auto ds = tabelle({1});
    EXPECT_EQ(data::NaechsteNummer(*ds, "FEHLT", 1, tools), -1);
}
