#include "data/store/tabellenhinweise.h"

#include "engine/fs/memory_file_system.h"

#include <gtest/gtest.h>

using namespace trevo;
using namespace trevo::engine;

namespace {

const std::vector<FieldDef> kFelder = {{"NUMMER", 'N', 4, 0}, {"BEM", 'M', 10, 0}};

// Three tables: a sound one, one whose header and a memo reference are damaged, and one
// with a second memo file of another case beside it.
class Tabellenhinweise : public ::testing::Test {
protected:
    void SetUp() override
    {
        mem.makeDirectory("/d");
        {
            Database db(mem);
            db.session().atomically([&] {
                for (const char* name : {"GUT.DBF", "KAPUTT.DBF", "ZWEI.DBF"}) {
                    auto t = db.createTable(std::string("/d/") + name, kFelder);
                    for (int i = 1; i <= 3; ++i) t->append({Value::number(i), Value::text("Memo")});
                }
            });
        }
        auto kaputt = mem.contents("/d/KAPUTT.DBF");
        kaputt[4] = 2; // the header counts two of the three records
        const size_t bem = 32 + 2 * 32 + 1 + 1 + 4; // first record, memo reference
        for (size_t i = 0; i < 10; ++i) kaputt[bem + i] = "      9999"[i];
        mem.putFile("/d/KAPUTT.DBF", kaputt);
        auto fremd = mem.contents("/d/ZWEI.DBT");
        fremd.resize(512); // another program's memo file without the memos
        mem.putFile("/d/zwei.dbt", fremd);
    }

    std::vector<std::string> hinweise(const std::vector<std::string>& speicher = {})
    {
        std::vector<const DbfTable*> tabellen;
        for (const char* name : {"GUT.DBF", "KAPUTT.DBF", "GUT.DBF", "ZWEI.DBF", "KAPUTT.DBF"})
            tabellen.push_back(db.table(std::string("/d/") + name).get());
        return data::tabellenHinweise(tabellen, speicher);
    }

    MemoryFileSystem mem;
    Database db{mem};
};

TEST_F(Tabellenhinweise, EachTableOnceWithEveryDamageAndTheMemoFileItReads)
{
    const auto h = hinweise();
    ASSERT_EQ(h.size(), 2u);
    EXPECT_EQ(h[0], "Die Tabelle 'KAPUTT.DBF' ist nur zum Lesen geöffnet, weil sie beschädigt ist:\n"
                    "- Der Kopf nennt 2 Datensätze, die Datei enthält aber 3\n"
                    "- Datensatz 1, Feld 'BEM': Block 9999 liegt hinter dem Ende der Memodatei");
    EXPECT_EQ(h[1], "Neben der Tabelle 'ZWEI.DBF' liegen zwei Memodateien, 'ZWEI.DBT' und 'zwei.dbt'; gelesen "
                    "wird 'ZWEI.DBT', die zur Tabelle passt");
    EXPECT_FALSE(db.table("/d/ZWEI.DBF")->readOnly());
}

TEST_F(Tabellenhinweise, AWriteProtectedTableAndTheStoragesNoticesFollowOnce)
{
    mem.setReadOnly("/d/GUT.DBF", true);
    const std::string journal = "Im Datenordner '/d/' liegt ein Journal, es wurde nur im Speicher angewandt";
    const auto h = hinweise({journal, journal});
    ASSERT_EQ(h.size(), 4u);
    EXPECT_EQ(h[0], "Die Tabelle 'GUT.DBF' ist nur zum Lesen geöffnet, weil die Datei schreibgeschützt ist");
    EXPECT_EQ(h[3], journal);
}

} // namespace
