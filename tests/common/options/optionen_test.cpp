#include "engine/fs/memory_file_system.h"
#include "common/dialogs/scripted_dialogs.h"
#include "common/options/optionen_laden.h"
#include "engine/paradox/paradox_table.h"
#include "engine/storage/session.h"
#include "common/stream/options_store.h"

#include "../stream/stream_bytes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace trevo::common;
using namespace trevo::engine;

namespace {

const std::string kPng("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);

// The texts of the boxes of one kind, in order.
std::vector<std::string> texte(const ScriptedDialogs& d, BoxKind kind)
{
    std::vector<std::string> r;
    for (const auto& b : d.shown())
        if (b.kind == kind) r.push_back(b.text.toStdString());
    return r;
}

class OptionenTest : public ::testing::Test {
protected:
    MemoryFileSystem fs;
    Storage storage{fs};
    Programmpfade pfade = Programmpfade::ausProgrammordner("/programm");
    TProgrammoptionen optionen;
    ScriptedDialogs dialoge;
    DialogsScope dialogScope{dialoge};

    OptionenTest() { fs.makeDirectory("/programm"); }

    void tabelleAnlegen()
    {
        Session s(storage, "Default");
        s.atomically([&] { createOptionsTable(storage, "/programm/KEGELCFG.DB"); });
    }
    // The record "Standard-Konfiguration" with the given stream, as another program wrote it.
    void datensatzMit(const std::string& stream)
    {
        tabelleAnlegen();
        Session s(storage, "Default");
        s.atomically([&] {
            auto t = paradox::ParadoxTable::open(storage, "/programm/KEGELCFG.DB");
            Record rec(3);
            rec[kOptionsNameField] = Value::text(kConfigRecordName);
            rec[kOptionsResourceField] = Value::text(stream);
            t->append(rec);
        });
    }
};

// An options object as the old program streamed it: window properties around the options.
std::string alterStrom()
{
    test::StreamBytes b;
    b.header("TProgrammoptionen", "Programmoptionen");
    b.name("Left").int16(300).name("Top").int8(120).name("Width").int16(640).name("Height").int16(480);
    b.name("Caption").shortText("Kegeln");
    b.name("Color").ident("clBtnFace");
    b.name("Font.Charset").ident("DEFAULT_CHARSET").name("Font.Name").shortText("MS Sans Serif");
    b.name("Font.Style").u8(11).str("fsBold").str("");
    b.name("OnCreate").ident("FormCreate");
    b.name("PixelsPerInch").int8(96);
    b.name("Mitgliederlistfilename").shortText("MITGL2.QR2");
    b.name("Datenordner").shortText("D:\\Kegeln");
    b.name("ShowLotseAtStart").u8(8);
    b.name("Eurokurs").u8(5).raw(test::kEurokursExtended);
    b.name("Waehrung").int8(2);
    b.name("Eingabewaehrung").int32(70000);
    b.name("LogoFilename").shortText("logo.png");
    b.u8(0).u8(0);
    return b.s;
}

} // namespace

TEST_F(OptionenTest, ObjectStartsWithTheDefaults)
{
    EXPECT_TRUE(optionen.rundenAufZehntel);
    EXPECT_TRUE(optionen.durchschnittImmerAufrunden);
    EXPECT_TRUE(optionen.durchschnittFuerFehlendeMitglieder);
    EXPECT_EQ(optionen.beitrag, 0.0);
    EXPECT_EQ(optionen.zahlweise, ProKegeltermin);
    EXPECT_EQ(optionen.aktuellePreisliste, 1);
    EXPECT_TRUE(optionen.deutschesDatumsformat);
    EXPECT_TRUE(optionen.logo.empty());
    EXPECT_EQ(optionen.gespeichert, StoredOptions());
    EXPECT_EQ(pfade.datenordner, "/programm\\");
    EXPECT_EQ(pfade.konfigurationsordner, pfade.programmordner);
}

TEST_F(OptionenTest, MissingConfigurationIsReportedAtStartAndEnd)
{
    optionen.gespeichert.datenordner = "X\\";
    EXPECT_FALSE(OptionenLaden(optionen, pfade, storage));
    EXPECT_FALSE(OptionenSpeichern(optionen, pfade, storage));
    EXPECT_EQ(texte(dialoge, BoxKind::Message),
              (std::vector<std::string>{"Die Konfigurationsdatenbank KEGELCFG.DB fehlt",
                                        "Die Konfigurationsdatenbank KEGELCFG.DB fehlt"}));
    EXPECT_EQ(pfade.datenordner, "/programm\\"); // nothing of the options was applied
    EXPECT_FALSE(fs.exists("/programm/KEGELCFG.DB"));
}

TEST_F(OptionenTest, FirstStartKeepsDefaultsAndTheEndCreatesTheRecord)
{
    tabelleAnlegen();
    EXPECT_FALSE(OptionenLaden(optionen, pfade, storage));
    EXPECT_TRUE(dialoge.shown().empty());
    EXPECT_EQ(optionen.gespeichert, StoredOptions());

    optionen.gespeichert.datenordner = "/daten/club/";
    optionen.gespeichert.showLotseAtStart = false;
    optionen.gespeichert.eurokurs = 2.5;
    optionen.gespeichert.kontolistFilename = "KASSE Ä.QR2";
    optionen.gespeichert.eingabewaehrung = 3;
    optionen.rundenAufZehntel = false; // an option of the run: not kept
    optionen.beitrag = 7.5;
    ASSERT_TRUE(OptionenSpeichern(optionen, pfade, storage));

    TProgrammoptionen neu;
    Programmpfade neuePfade = Programmpfade::ausProgrammordner("/programm");
    EXPECT_TRUE(OptionenLaden(neu, neuePfade, storage));
    EXPECT_EQ(neu.gespeichert, optionen.gespeichert);
    EXPECT_TRUE(neu.rundenAufZehntel);
    EXPECT_EQ(neu.beitrag, 0.0);
    EXPECT_EQ(neuePfade.datenordner, "/daten/club/");
    EXPECT_TRUE(dialoge.shown().empty());

    // Saving again changes the one record instead of adding a second.
    neu.gespeichert.datenordner = "/anders/";
    ASSERT_TRUE(OptionenSpeichern(neu, neuePfade, storage));
    auto t = paradox::ParadoxTable::open(storage, "/programm/KEGELCFG.DB");
    EXPECT_EQ(t->recordCount(), 1u);
}

TEST_F(OptionenTest, StreamOfTheOldProgramIsReadWithItsWindowProperties)
{
    fs.putFile("/programm/logo.png", kPng);
    datensatzMit(alterStrom());
    EXPECT_TRUE(OptionenLaden(optionen, pfade, storage));
    EXPECT_TRUE(dialoge.shown().empty());
    const StoredOptions& g = optionen.gespeichert;
    EXPECT_EQ(g.mitgliederlistFilename, "MITGL2.QR2");
    EXPECT_EQ(g.datenordner, "D:\\Kegeln");
    EXPECT_FALSE(g.showLotseAtStart);
    EXPECT_DOUBLE_EQ(g.eurokurs, 1.95583);
    EXPECT_EQ(g.waehrung, 2);
    EXPECT_EQ(g.eingabewaehrung, 70000);
    // Options missing from the stream keep their defaults.
    EXPECT_EQ(g.kegellistFilename, "KEGELLISTE.QR2");
    EXPECT_EQ(g.backuppfad, ".\\");
    EXPECT_EQ(g.stellenWaehrungsumrechnung, 2);
    // The data folder of the run gets its trailing backslash, the option stays as stored.
    EXPECT_EQ(pfade.datenordner, "D:\\Kegeln\\");
    EXPECT_EQ(pfade.konfigurationsordner, "/programm\\");
    EXPECT_EQ(optionen.logo, kPng);
}

TEST_F(OptionenTest, UnreadableLogoLeavesTheEmptyPictureAndStartGoesOn)
{
    datensatzMit(alterStrom()); // logo.png does not exist
    EXPECT_TRUE(OptionenLaden(optionen, pfade, storage));
    EXPECT_TRUE(optionen.logo.empty());
    ASSERT_EQ(texte(dialoge, BoxKind::Message).size(), 1u);
    EXPECT_EQ(texte(dialoge, BoxKind::Message)[0],
              "Das Logo 'logo.png' kann nicht geladen werden: Datei nicht gefunden");
    EXPECT_EQ(pfade.datenordner, "D:\\Kegeln\\");

    // A file that is no picture is refused the same way.
    fs.putFile("/programm/logo.png", std::string("kein Bild"));
    dialoge.clear();
    TProgrammoptionen o2;
    EXPECT_TRUE(OptionenLaden(o2, pfade, storage));
    EXPECT_TRUE(o2.logo.empty());
    EXPECT_EQ(texte(dialoge, BoxKind::Message),
              std::vector<std::string>{"Das Logo 'logo.png' kann nicht geladen werden: kein Bild in einem bekannten Format"});
}

TEST_F(OptionenTest, DamagedRecordIsReportedAndTheDefaultsStay)
{
    std::string kaputt = alterStrom();
    kaputt.resize(kaputt.size() / 2);
    datensatzMit(kaputt);
    EXPECT_FALSE(OptionenLaden(optionen, pfade, storage));
    EXPECT_EQ(optionen.gespeichert, StoredOptions());
    ASSERT_EQ(texte(dialoge, BoxKind::Error).size(), 1u);
    EXPECT_NE(texte(dialoge, BoxKind::Error)[0].find("KEGELCFG.DB"), std::string::npos);
    EXPECT_EQ(pfade.datenordner, "/programm\\");
}

TEST(OptionenAufDerPlatte, RoundTripThroughARealTableFile)
{
    namespace stdfs = std::filesystem;
    char vorlage[] = "/tmp/trevo-optionen-XXXXXX";
    ASSERT_NE(mkdtemp(vorlage), nullptr);
    const std::string ordner = std::string(vorlage) + "/";
    {
        Storage storage(realFileSystem());
        Session s(storage, "Default");
        s.atomically([&] { createOptionsTable(storage, ordner + "KEGELCFG.DB"); });
    }
    ScriptedDialogs dialoge;
    DialogsScope dialogScope{dialoge};
    TProgrammoptionen optionen;
    Programmpfade pfade = Programmpfade::ausProgrammordner(ordner);
    optionen.gespeichert.logoFilename = "Vereinslogo.bmp";
    optionen.gespeichert.termintyplistFilename = std::string(300, 'T') + ".QR2"; // a long text
    {
        Storage storage(realFileSystem());
        ASSERT_TRUE(OptionenSpeichern(optionen, pfade, storage));
    }
    {
        std::FILE* f = std::fopen((ordner + "Vereinslogo.bmp").c_str(), "wb");
        std::fputs("BM logo", f);
        std::fclose(f);
    }
    TProgrammoptionen gelesen;
    {
        Storage storage(realFileSystem());
        ASSERT_TRUE(OptionenLaden(gelesen, pfade, storage));
    }
    EXPECT_EQ(gelesen.gespeichert, optionen.gespeichert);
    EXPECT_EQ(gelesen.logo, "BM logo");
    EXPECT_TRUE(dialoge.shown().empty());
    stdfs::remove_all(vorlage);
}
