#include "data/dbtools/anweisung.h"
#include "data/dbtools/db_tools.h"
#include "engine/fs/memory_file_system.h"
#include "common/dialogs/scripted_dialogs.h"
#include "engine/index/table_indexes.h"

#include <gtest/gtest.h>

using namespace trevo;
using engine::Value;

namespace {

class DBToolsTest : public ::testing::Test {
protected:
    engine::MemoryFileSystem fs;
    engine::Database db{fs};
    common::ScriptedDialogs dialoge;
    common::DialogsScope dialogScope{dialoge};
    data::TDBTools tools{db};
    const std::string ordner = "/daten/";

    DBToolsTest() { fs.makeDirectory("/daten"); }

    // A numbered table with the given numbers (nullopt = empty NUMMER).
    void tabelle(const std::string& datei, const std::vector<std::optional<double>>& nummern)
    {
        db.session().atomically([&] {
            auto t = db.createTable(ordner + datei, {{"NUMMER", 'N', 10, 0}, {"NAME", 'C', 20, 0}});
            for (const auto& n : nummern)
                t->append({n ? Value::number(*n) : Value(), Value::text("x")});
        });
    }
};

} // namespace

TEST(Anweisung, LinesAndQuotedValues)
{
    EXPECT_EQ(data::Zeilen({"SELECT NAME", "FROM", "\"/d/KEGLER.DBF\""}), "SELECT NAME\nFROM\n\"/d/KEGLER.DBF\"");
    EXPECT_EQ(data::InAnfuehrung("C:\\Club \"Alle Neune\"\\K.DBF"), "\"C:\\Club \"\"Alle Neune\"\"\\K.DBF\"");
}

TEST_F(DBToolsTest, RecordCountSkipsDeletedRecords)
{
    tabelle("LEER.DBF", {});
    EXPECT_EQ(tools.Datensatzanzahl(ordner + "LEER.DBF"), 0);
    tabelle("ZAHL.DBF", {1, 2, 3});
    db.session().atomically([&] { db.table(ordner + "ZAHL.DBF")->setDeleted(1, true); });
    EXPECT_EQ(tools.Datensatzanzahl(ordner + "ZAHL.DBF"), 2);
    EXPECT_THROW(tools.Datensatzanzahl(ordner + "FEHLT.DBF"), engine::EngineError);
}

TEST_F(DBToolsTest, RecordCountOfAFolderWithAQuote)
{
    fs.makeDirectory("/daten/Club \"9\"");
    db.session().atomically([&] {
        auto t = db.createTable("/daten/Club \"9\"/K.DBF", {{"NUMMER", 'N', 10, 0}});
        t->append({Value::number(1)});
    });
    EXPECT_EQ(tools.Datensatzanzahl("/daten/Club \"9\"/K.DBF"), 1);
}

TEST_F(DBToolsTest, FieldCheckComparesInUpperCase)
{
    tabelle("SONSTYPE.DBF", {1});
    EXPECT_EQ(tools.FeldPruefen("name", ordner, "SONSTYPE.DBF"), 0);
    EXPECT_EQ(tools.FeldPruefen("NUMMER", ordner, "sonstype.dbf"), 0);
    EXPECT_EQ(tools.FeldPruefen("GUELTIG", ordner, "SONSTYPE.DBF"), 10);
    EXPECT_THROW(tools.FeldPruefen("NAME", ordner, "FEHLT.DBF"), engine::EngineError);
}

TEST_F(DBToolsTest, NextNumberIsHighestPlusOneRegardlessOfGaps)
{
    tabelle("LEER.DBF", {});
    EXPECT_EQ(tools.NaechsteNummerSQL(ordner + "LEER.DBF", "NUMMER", 1), 1);
    EXPECT_EQ(tools.NaechsteNummerSQL(ordner + "LEER.DBF", "NUMMER", 0), 0);
    tabelle("LUECKE.DBF", {7, 1, 2});
    EXPECT_EQ(tools.NaechsteNummerSQL(ordner + "LUECKE.DBF", "NUMMER", 1), 8);
    // Empty numbers sort first and do not hide the highest one.
    tabelle("MITLEER.DBF", {std::nullopt, 41, std::nullopt});
    EXPECT_EQ(tools.NaechsteNummerSQL(ordner + "MITLEER.DBF", "NUMMER", 1), 42);
    // Only empty numbers: the last value reads as 0.
    tabelle("NURLEER.DBF", {std::nullopt});
    EXPECT_EQ(tools.NaechsteNummerSQL(ordner + "NURLEER.DBF", "NUMMER", 1), 1);
}

TEST_F(DBToolsTest, NextNumberOfAFieldThatIsNoNumberIsMinusOne)
{
    tabelle("TEXT.DBF", {1});
    EXPECT_EQ(tools.NaechsteNummerSQL(ordner + "TEXT.DBF", "NAME", 1), -1);
}

TEST_F(DBToolsTest, EmptyNumbersAreCountedAndExactlyThoseDeleted)
{
    tabelle("K.DBF", {1, std::nullopt, 3, std::nullopt, 5});
    EXPECT_EQ(tools.LeereNummernZaehlen(ordner, "K.DBF", "NUMMER"), 2);
    EXPECT_TRUE(tools.LeereNummernLoeschen(ordner, "K.DBF", "NUMMER"));
    EXPECT_EQ(tools.LeereNummernZaehlen(ordner, "K.DBF", "NUMMER"), 0);
    EXPECT_EQ(tools.Datensatzanzahl(ordner + "K.DBF"), 3);
    EXPECT_EQ(tools.NaechsteNummerSQL(ordner + "K.DBF", "NUMMER", 1), 6);
}

TEST_F(DBToolsTest, AddedColumnIsEmptyInEveryRecord)
{
    tabelle("SONSTYPE.DBF", {1, 2});
    EXPECT_TRUE(tools.FeldAnfuegen("GUELTIG", ordner + "SONSTYPE.DBF", "NUMERIC(2,0)"));
    EXPECT_EQ(tools.FeldPruefen("GUELTIG", ordner, "SONSTYPE.DBF"), 0);
    auto t = db.table(ordner + "SONSTYPE.DBF");
    const int g = t->fieldIndex("GUELTIG");
    ASSERT_GE(g, 0);
    EXPECT_EQ(t->fields()[g].length, 2);
    EXPECT_TRUE(t->get(0, g).isNull());
    EXPECT_EQ(t->get(1, 0), Value::number(2));
    // The same column twice fails and says so by its result.
    EXPECT_FALSE(tools.FeldAnfuegen("GUELTIG", ordner + "SONSTYPE.DBF", "NUMERIC(2,0)"));
    EXPECT_FALSE(tools.FeldAnfuegen("X", ordner + "FEHLT.DBF", "NUMERIC(2,0)"));
}

TEST_F(DBToolsTest, EmptyingAClosedTableLeavesItClosedAndEmpty)
{
    tabelle("AUSWERTU.DBF", {1, 2, 3});
    engine::TableDataSet ds(db, db.session(), ordner + "AUSWERTU.DBF");
    tools.TabelleLeeren(ds);
    EXPECT_FALSE(ds.active());
    EXPECT_EQ(tools.Datensatzanzahl(ordner + "AUSWERTU.DBF"), 0);
    ds.open();
    EXPECT_TRUE(ds.isEmpty());
    EXPECT_EQ(ds.table()->fields().size(), 2u);
}

TEST_F(DBToolsTest, EmptyingAnOpenTableKeepsItOpenAndItsIndexes)
{
    tabelle("WERTETAB.DBF", {3, 1, 2});
    engine::TableDataSet ds(db, db.session(), ordner + "WERTETAB.DBF");
    ds.setIndex("NUMMER");
    ds.open();
    tools.TabelleLeeren(ds);
    EXPECT_TRUE(ds.active());
    EXPECT_TRUE(ds.isEmpty());
    ds.append();
    ds.setValue("NUMMER", Value::number(9));
    ds.post();
    EXPECT_EQ(ds.recordCount(), 1u);
    EXPECT_EQ(ds.indexName(), "NUMMER");
}

TEST_F(DBToolsTest, ReindexKeepsTheOrderAndTheOpenState)
{
    tabelle("K.DBF", {3, 1, 2});
    engine::TableDataSet ds(db, db.session(), ordner + "K.DBF");
    ds.setIndex("NUMMER");
    ds.open();
    auto& indexes = ds.table()->attachment<engine::TableIndexes>();
    const auto vorher = indexes.resets();
    tools.Reindizieren(ds);
    EXPECT_GT(indexes.resets(), vorher);
    EXPECT_TRUE(ds.active());
    ds.last();
    EXPECT_EQ(ds.value("NUMMER"), Value::number(3));
    EXPECT_TRUE(dialoge.shown().empty());

    engine::TableDataSet zu(db, db.session(), ordner + "K.DBF");
    tools.Reindizieren(zu);
    EXPECT_FALSE(zu.active());

    engine::TableDataSet fehlt(db, db.session(), ordner + "FEHLT.DBF");
    tools.Reindizieren(fehlt);
    ASSERT_EQ(dialoge.shown().size(), 1u);
    EXPECT_EQ(dialoge.shown()[0].kind, common::BoxKind::Message);
    EXPECT_TRUE(dialoge.texts()[0].startsWith("Fehler beim Reindizieren der Tabelle FEHLT.DBF ("));
}
