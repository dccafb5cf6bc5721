#include "data/sicherung/sicherung.h"
#include "data/sicherung/zip_archiv.h"
#include "data/store/installation.h"
#include "engine/core/error.h"
#include "engine/database.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

namespace fs = std::filesystem;
using namespace trevo;
using namespace trevo::data;

namespace {

using Inhalt = std::map<std::string, std::string>;

std::string lesen(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void schreiben(const fs::path& p, const std::string& text)
{
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << text;
}

Inhalt ordnerInhalt(const fs::path& ordner)
{
    Inhalt inhalt;
    for (const auto& e : fs::directory_iterator(ordner))
        if (e.is_regular_file()) inhalt[e.path().filename().string()] = lesen(e.path());
    return inhalt;
}

// 09.12.2026 15:30 local time.
std::time_t zeit(int minute = 30, int tag = 9)
{
    std::tm t{};
    t.tm_year = 126;
    t.tm_mon = 11;
    t.tm_mday = tag;
    t.tm_hour = 15;
    t.tm_min = minute;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

// A data folder made by the installation, an options file beside it and a lock file.
class Sicherungen : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        daten = fs::path(tmp.path().toStdString()) / "Daten";
        ziel = fs::path(tmp.path().toStdString()) / "Sicherungen";
        fs::create_directories(daten);
        engine::Database db;
        installDataFolder(db, daten.string() + "/", 46000);
        schreiben(daten / "NOTIZ.DBT", std::string("Gr\xfc\xdf" "e\0binär", 12));
        // When the data folder is the program folder, the program lies there too.
        schreiben(daten / "trevo", "das Programm");
        optionen = fs::path(tmp.path().toStdString()) / "KEGELCFG.DB";
        schreiben(optionen, "Optionen 1");
        schreiben(daten / "EIGEN.LCK", "gehalten");
        quelle = {daten.string(), optionen.string(), {"eigen.lck", "TREVO.LCK"}};
    }

    QTemporaryDir tmp;
    fs::path daten, ziel, optionen;
    Sicherungsquelle quelle;
};

TEST_F(Sicherungen, RestoringGivesBackEveryFileByteForByteAndKeepsWhatItReplaced)
{
    Inhalt vorher = ordnerInhalt(daten);
    vorher.erase("EIGEN.LCK");
    vorher.erase("TREVO.LCK");
    vorher.erase("trevo");
    ASSERT_GT(vorher.size(), 10u);
    const std::string zip = sichern(quelle, ziel.string(), zeit());
    EXPECT_EQ(fs::path(zip).filename().string(), "Trevo-Sicherung-2026-12-09-1530.zip");

    // The folder changes: a table changed, one removed, a new file, options changed.
    schreiben(daten / "KEGLER.DBF", "kaputt");
    fs::remove(daten / "NOTIZ.DBT");
    schreiben(daten / "NEU.DBF", "neu");
    schreiben(optionen, "Optionen 2");
    Inhalt geaendert = ordnerInhalt(daten);
    geaendert.erase("EIGEN.LCK");
    geaendert.erase("TREVO.LCK");
    geaendert.erase("trevo");

    const std::string davor = zurueckspielen(zip, quelle, ziel.string(), true, zeit(31));
    Inhalt nachher = ordnerInhalt(daten);
    EXPECT_EQ(nachher["EIGEN.LCK"], "gehalten") << "a file left out is left alone";
    EXPECT_EQ(nachher["trevo"], "das Programm") << "only the club's files are backed up and replaced";
    nachher.erase("trevo");
    nachher.erase("EIGEN.LCK");
    nachher.erase("TREVO.LCK");
    EXPECT_EQ(nachher, vorher);
    EXPECT_EQ(lesen(optionen), "Optionen 1");

    // The backup of the replaced state holds the changed files.
    EXPECT_EQ(fs::path(davor).filename().string(), "Trevo-Sicherung-2026-12-09-1531.zip");
    Inhalt gesichert;
    for (const ZipEintrag& e : zipLesen(davor))
        gesichert[e.name] = std::string(e.daten.begin(), e.daten.end());
    EXPECT_EQ(gesichert["Programmordner/KEGELCFG.DB"], "Optionen 2");
    gesichert.erase("Programmordner/KEGELCFG.DB");
    EXPECT_EQ(gesichert, geaendert);
}

TEST_F(Sicherungen, OtherToolsReadTheArchive)
{
    const std::string zip = sichern(quelle, ziel.string(), zeit());
    const std::string befehl = "/usr/bin/python3 -c \"import sys,zipfile; z=zipfile.ZipFile(sys.argv[1]); "
                               "sys.exit(1 if z.testzip() or 'KEGLER.DBF' not in z.namelist() else 0)\" '" + zip + "'";
    EXPECT_EQ(std::system(befehl.c_str()), 0);
}

TEST_F(Sicherungen, ADamagedOrForeignArchiveIsRefusedBeforeAnythingIsReplaced)
{
    const std::string zip = sichern(quelle, ziel.string(), zeit());
    std::string bytes = lesen(zip);
    const Inhalt vorher = ordnerInhalt(daten);

    std::string kaputt = bytes;
    kaputt[bytes.size() / 2] ^= 0x55;
    schreiben(ziel / "kaputt.zip", kaputt);
    schreiben(ziel / "kurz.zip", bytes.substr(0, bytes.size() - 30));
    for (const char* name : {"kaputt.zip", "kurz.zip"}) {
        try {
            zurueckspielen((ziel / name).string(), quelle, ziel.string(), true, zeit(40));
            ADD_FAILURE() << name << " accepted";
        } catch (const engine::EngineError& e) {
            EXPECT_NE(std::string(e.what()).find("beschädigt"), std::string::npos) << e.what();
        }
    }
    // Names that leave the data folder, and an archive without a table.
    for (const auto& [name, eintraege] : std::map<std::string, std::vector<std::string>>{
             {"flucht.zip", {"KEGLER.DBF", "../AUSSEN.DBF"}}, {"fremd.zip", {"brief.txt"}}}) {
        ZipSchreiber w((ziel / name).string());
        for (const std::string& n : eintraege) w.hinzufuegen({n, {1, 2, 3}, 0});
        w.schliessen();
        EXPECT_THROW(zurueckspielen((ziel / name).string(), quelle, ziel.string(), true, zeit(41)), engine::FormatError)
            << name;
    }
    EXPECT_EQ(ordnerInhalt(daten), vorher);
    EXPECT_EQ(sicherungenIn(ziel.string()).size(), 1u) << "no backup of the current state was needed";
    EXPECT_FALSE(fs::exists(daten.parent_path() / "AUSSEN.DBF"));
}

TEST_F(Sicherungen, BackupsAreListedNewestFirstNamedApartWithinAMinuteAndThinnedToTheNewest)
{
    for (int minute : {5, 7, 6}) sichern(quelle, ziel.string(), zeit(minute));
    const std::string zweite = sichern(quelle, ziel.string(), zeit(7));
    EXPECT_EQ(fs::path(zweite).filename().string(), "Trevo-Sicherung-2026-12-09-1507-2.zip");
    schreiben(ziel / "Trevo-Sicherung-kaputt.zip", "x");
    schreiben(ziel / "anderes.zip", "x");

    std::vector<Sicherung> liste = sicherungenIn(ziel.string());
    ASSERT_EQ(liste.size(), 4u);
    EXPECT_EQ(fs::path(liste[0].pfad).filename().string(), "Trevo-Sicherung-2026-12-09-1507-2.zip");
    EXPECT_EQ(fs::path(liste[3].pfad).filename().string(), "Trevo-Sicherung-2026-12-09-1505.zip");
    EXPECT_EQ(liste[3].zeitpunkt, zeit(5));
    EXPECT_GT(liste[0].groesse, 1000u);

    alteSicherungenLoeschen(ziel.string(), 2);
    liste = sicherungenIn(ziel.string());
    ASSERT_EQ(liste.size(), 2u);
    EXPECT_EQ(fs::path(liste[1].pfad).filename().string(), "Trevo-Sicherung-2026-12-09-1507.zip");
    EXPECT_TRUE(fs::exists(ziel / "anderes.zip"));
}

TEST_F(Sicherungen, BackupsInsideTheDataFolderAreNotBackedUpAgain)
{
    const std::string erste = sichern(quelle, daten.string(), zeit(1));
    const std::string zweite = sichern(quelle, daten.string(), zeit(2));
    for (const ZipEintrag& e : zipLesen(zweite)) {
        EXPECT_NE(e.name, fs::path(erste).filename().string());
        EXPECT_NE(e.name, "EIGEN.LCK");
        EXPECT_NE(e.name, "trevo");
    }
}

TEST_F(Sicherungen, ATargetThatIsNoFolderIsReportedAndLeavesNothingBehind)
{
    schreiben(ziel, "eine Datei");
    EXPECT_THROW(sichern(quelle, (ziel / "unten").string(), zeit()), engine::IoError);
    EXPECT_THROW(sichern(quelle, ziel.string(), zeit()), engine::IoError);
    for (const auto& e : fs::directory_iterator(ziel.parent_path()))
        EXPECT_EQ(e.path().string().find(".tmp"), std::string::npos) << e.path();
}

} // namespace
