// The trevo-dbf command-line tool on real files.
#include "dbf_test_util.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace trevo::engine {
namespace {

using test::ScratchDir;

class DbfToolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::filesystem::exists(tool)) GTEST_SKIP() << "trevo-dbf ist nicht gebaut: " << tool;
        Database db;
        db.session().atomically([&] {
            auto t = DbfTable::create(db.storage(), dir.file("KEGLER.DBF"),
                                      {{"NUMMER", 'N', 4, 0}, {"NAME", 'C', 20, 0}, {"BETRAG", 'N', 7, 2},
                                       {"DATUM", 'D', 8, 0}, {"MITGLIED", 'L', 1, 0}, {"BEM", 'M', 10, 0}});
            t->append({Value::number(1), Value::text("Müller"), Value::number(2.5),
                       Value::date(daysFromCivil(1970, 5, 17)), Value::logical(true),
                       Value::text("Zeile 1\nZeile 2\tmit Tab \\ und Strich")});
            t->append({Value::number(2), Value::text("gelöscht"), Value::null(), Value::null(), Value::null(),
                       Value::null()});
            t->append({Value::number(3), Value::text(""), Value::null(), Value::null(), Value::logical(false),
                       Value::text(std::string(1200, 'x'))});
            t->setDeleted(1, true);
        });
    }
    int run(const std::string& args, std::string* out)
    {
        return test::runCommand("'" + tool + "' " + args + " 2>&1", out);
    }

    ScratchDir dir;
    const std::string tool = std::string(TREVO_TOOLS_DIR) + "/trevo-dbf";
};

TEST_F(DbfToolTest, DumpWritesHeaderLineAndEscapedLiveRecords)
{
    std::string out;
    ASSERT_EQ(run("dump '" + dir.file("kegler.dbf") + "'", &out), 0) << out;
    EXPECT_EQ(out, "NUMMER\tNAME\tBETRAG\tDATUM\tMITGLIED\tBEM\n"
                   "1\tMüller\t2,50\t17.05.1970\tWahr\tZeile 1\\nZeile 2\\tmit Tab \\\\ und Strich\n"
                   "3\t\t\t\tFalsch\t" + std::string(1200, 'x') + "\n");
}

TEST_F(DbfToolTest, InfoShowsHeaderCodePageAndFields)
{
    std::string out;
    ASSERT_EQ(run("info '" + dir.file("KEGLER.DBF") + "'", &out), 0) << out;
    EXPECT_NE(out.find("Version:           0x8B (dBASE IV mit Memodatei)"), std::string::npos) << out;
    EXPECT_NE(out.find("Zeichensatz:       0x57 (Windows-1252)"), std::string::npos) << out;
    EXPECT_NE(out.find("Datensätze:        3 (davon 1 gelöscht)"), std::string::npos) << out;
    EXPECT_NE(out.find("Memodatei:         KEGLER.DBT (dBASE IV, Blockgröße 512)"), std::string::npos) << out;
    EXPECT_NE(out.find("   3  BETRAG      N         7    2"), std::string::npos) << out;
}

TEST_F(DbfToolTest, CheckReportsEveryFaultAndExitsWithOne)
{
    std::string out;
    EXPECT_EQ(run("check '" + dir.file("KEGLER.DBF") + "'", &out), 0);
    EXPECT_EQ(out, "KEGLER.DBF: keine Fehler\n");
    auto bytes = test::readBytes(dir.file("KEGLER.DBF"));
    const size_t rec = 32 + 6 * 32 + 1;
    const size_t recLen = 1 + 4 + 20 + 7 + 8 + 1 + 10;
    std::memcpy(&bytes[rec + 1 + 4 + 20 + 7], "2023x501", 8);
    std::memcpy(&bytes[rec + 2 * recLen + recLen - 10], "     77777", 10);
    test::writeBytes(dir.file("KEGLER.DBF"), bytes);
    out.clear();
    EXPECT_EQ(run("check '" + dir.file("KEGLER.DBF") + "'", &out), 1);
    EXPECT_EQ(out, "KEGLER.DBF: 2 Fehler gefunden, die Tabelle ist nur lesbar\n"
                   "  Datensatz 3, Feld 'BEM': Block 77777 liegt hinter dem Ende der Memodatei\n"
                   "  Datensatz 1, Feld 'DATUM': '2023x501' ist kein gültiges Datum\n");
    bytes.resize(100);
    test::writeBytes(dir.file("KEGLER.DBF"), bytes);
    out.clear();
    EXPECT_EQ(run("check '" + dir.file("KEGLER.DBF") + "'", &out), 1);
    EXPECT_EQ(out, "Die Datei 'KEGLER.DBF' ist beschädigt: Kopflänge 225 passt nicht zur Dateigröße 100\n");
}

TEST_F(DbfToolTest, CheckNamesHeaderFaultsAndRepairSetsTheCount)
{
    const auto sound = test::readBytes(dir.file("KEGLER.DBF"));
    auto bytes = sound;
    bytes[4] = 2; // the header counts two of the three records
    std::memcpy(&bytes[32 + 2 * 32], "NAME\0\0", 6); // BETRAG renamed NAME
    test::writeBytes(dir.file("KEGLER.DBF"), bytes);
    std::string out;
    EXPECT_EQ(run("check '" + dir.file("KEGLER.DBF") + "'", &out), 1);
    EXPECT_EQ(out, "KEGLER.DBF: 2 Fehler gefunden, die Tabelle ist nur lesbar\n"
                   "  Die Felder Nr. 2 und 3 heißen beide 'NAME'\n"
                   "  Der Kopf nennt 2 Datensätze, die Datei enthält aber 3\n");
    out.clear();
    EXPECT_EQ(run("repair '" + dir.file("KEGLER.DBF") + "'", &out), 0);
    EXPECT_EQ(out, "KEGLER.DBF: Kopie des Originals in KEGLER.DBF.bak geschrieben\n"
                   "  Anzahl der Datensätze im Kopf von 2 auf 3 gesetzt\n");
    EXPECT_EQ(test::readBytes(dir.file("KEGLER.DBF.bak")), bytes);
    auto repaired = test::readBytes(dir.file("KEGLER.DBF"));
    ASSERT_EQ(repaired.size(), sound.size());
    EXPECT_EQ(repaired[4], 3);
    EXPECT_TRUE(std::equal(repaired.begin() + 32 + 6 * 32 + 1, repaired.end(), sound.begin() + 32 + 6 * 32 + 1))
        << "records untouched";
    out.clear();
    EXPECT_EQ(run("repair '" + dir.file("KEGLER.DBF") + "'", &out), 0);
    EXPECT_EQ(out, "KEGLER.DBF: der Kopf stimmt mit der Datei überein, nichts geändert\n");
    test::writeBytes(dir.file("KAPUTT.DBF"), std::vector<uint8_t>(bytes.begin(), bytes.begin() + 20));
    out.clear();
    EXPECT_EQ(run("repair '" + dir.file("KAPUTT.DBF") + "'", &out), 1);
    EXPECT_EQ(out, "Die Datei 'KAPUTT.DBF' ist beschädigt: sie ist mit 20 Bytes kürzer als der Dateikopf (32 Bytes)\n");
}

TEST_F(DbfToolTest, UsageAndMissingFilesInGerman)
{
    std::string out;
    EXPECT_EQ(run("", &out), 2);
    EXPECT_NE(out.find("Aufruf: trevo-dbf BEFEHL DATEI"), std::string::npos) << out;
    out.clear();
    EXPECT_EQ(run("zeigen x", &out), 2);
    EXPECT_NE(out.find("Unbekannter Befehl 'zeigen'"), std::string::npos) << out;
    out.clear();
    EXPECT_EQ(run("info '" + dir.file("FEHLT.DBF") + "'", &out), 1);
    EXPECT_NE(out.find("nicht gefunden"), std::string::npos) << out;
}

} // namespace
} // namespace trevo::engine
