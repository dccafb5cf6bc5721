// A backup reads the data folder only while it holds the folder: a program that holds it
// (and may be writing) keeps the backup waiting, and when it does not give the folder up
// the backup is refused with the holder's name instead of copying half-written tables.
#include "data/sicherung/sicherung.h"
#include "data/sicherung/zip_archiv.h"
#include "engine/database.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

namespace fs = std::filesystem;
using namespace trevo;

namespace {

int ausfuehren(const std::string& befehl, std::string& ausgabe)
{
    FILE* p = popen((befehl + " 2>&1").c_str(), "r");
    if (!p) return -1;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) ausgabe.append(buf, n);
    const int status = pclose(p);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<uint8_t> lesen(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<fs::path> sicherungenIn(const fs::path& ordner)
{
    std::vector<fs::path> out;
    if (fs::exists(ordner))
        for (const auto& e : fs::directory_iterator(ordner)) out.push_back(e.path());
    return out;
}

// A data folder with a table, held by another program (a Database of this test).
class SicherungUnterSperre : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        daten = fs::path(tmp.path().toStdString()) / "Daten";
        ziel = fs::path(tmp.path().toStdString()) / "Sicherungen";
        fs::create_directories(daten);
        halter.storage().setProgram("Trevo");
        halter.session().atomically([&] {
            auto t = halter.createTable((daten / "NOTIZEN.DBF").string(), {{"NUMMER", 'N', 6, 0}, {"TEXT", 'M', 10, 0}});
            t->append({engine::Value::number(1), engine::Value::text("erste Notiz")});
        });
        halter.holdFolder(daten.string() + "/");
    }

    std::string sichernBefehl() const
    {
        return "'" + std::string(TREVO_TOOLS_DIR) + "/trevo-setup' sichern '" + daten.string() + "' '" + ziel.string() +
               "'";
    }

    QTemporaryDir tmp;
    fs::path daten, ziel;
    engine::Database halter;
};

TEST_F(SicherungUnterSperre, AHeldFolderIsRefusedNamingTheHolderAndNothingIsWritten)
{
    std::string ausgabe;
    EXPECT_EQ(ausfuehren(sichernBefehl(), ausgabe), 1) << ausgabe;
    EXPECT_EQ(ausgabe.rfind("Fehler: Der Datenordner '", 0), 0u) << ausgabe;
    EXPECT_NE(ausgabe.find("mit 'Trevo' benutzt"), std::string::npos) << ausgabe;
    EXPECT_TRUE(sicherungenIn(ziel).empty());
}

TEST_F(SicherungUnterSperre, TheBackupWaitsForAWriteAndHoldsItsCommittedState)
{
    auto t = halter.table((daten / "NOTIZEN.DBF").string());
    engine::Session& s = halter.session();
    s.startTransaction();
    s.atomically([&] {
        for (int i = 2; i <= 200; ++i)
            t->append({engine::Value::number(i), engine::Value::text(std::string(600, 'n') + std::to_string(i))});
    });
    std::string ausgabe;
    int ergebnis = -1;
    std::thread sicherung([&] { ergebnis = ausfuehren(sichernBefehl(), ausgabe); });
    std::this_thread::sleep_for(std::chrono::milliseconds(1200));
    const bool nochNichtFertig = sicherungenIn(ziel).empty();
    s.commit();
    halter.releaseFolder(daten.string() + "/");
    sicherung.join();
    ASSERT_EQ(ergebnis, 0) << ausgabe;
    EXPECT_TRUE(nochNichtFertig);
    const auto zips = sicherungenIn(ziel);
    ASSERT_EQ(zips.size(), 1u);
    int gefunden = 0;
    for (const data::ZipEintrag& e : data::zipLesen(zips[0].string())) {
        if (e.name != "NOTIZEN.DBF" && e.name != "NOTIZEN.DBT") continue;
        ++gefunden;
        EXPECT_EQ(e.daten, lesen(daten / e.name)) << e.name;
    }
    EXPECT_EQ(gefunden, 2);
    engine::Database leser;
    EXPECT_EQ(leser.table((daten / "NOTIZEN.DBF").string())->recordCount(), 200u);
}

} // namespace
