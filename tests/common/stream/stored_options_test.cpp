#include "engine/core/error.h"
#include "common/stream/object_stream_reader.h"
#include "common/stream/stored_options.h"
#include "stream_bytes.h"

#include <gtest/gtest.h>

using namespace trevo::common;
using trevo::common::test::StreamBytes;
using trevo::engine::FormatError;

namespace {

// The record as the old program wrote it: window properties around the options,
// the Eurokurs as an 80-bit value, texts in 1252, a child object at the end.
std::string foreignRecord()
{
    StreamBytes b;
    b.header("TProgrammoptionen", "Programmoptionen");
    b.name("Left").int16(192).name("Top").int8(107);
    b.name("Width").int16(544).name("Height").int16(375);
    b.name("Caption").shortText("Kegeln");
    b.name("Color").ident("clBtnFace");
    b.name("Font.Charset").ident("DEFAULT_CHARSET");
    b.name("Font.Color").ident("clWindowText");
    b.name("Font.Height").int8(-11);
    b.name("Font.Name").shortText("MS Sans Serif");
    b.name("Font.Style").u8(11).u8(0);
    b.name("OldCreateOrder").u8(8);
    b.name("OnCreate").ident("FormCreate");
    b.name("PixelsPerInch").int8(96);
    b.name("TextHeight").int8(13);
    b.name("Mitgliederlistfilename").shortText("MITGLIEDER2.QR2");
    b.name("Auswertungsreportfilename").u8(12).le(9, 4).raw("ERG\xC4.QR2X"); // long-text code, Ä in 1252
    b.name("Datenordner").shortText("C:\\Kegelclub M\xFCller\\Daten\\");
    b.name("ShowLotseAtStart").u8(8);
    b.name("Eurokurs").u8(5).raw(test::kEurokursExtended);
    b.name("Waehrung").int8(2);
    b.name("StellenWaehrungsumrechnung").int8(3);
    b.name("Eingabewaehrung").int16(300);
    b.name("LogoFilename").shortText("logo.bmp");
    b.u8(0);
    b.str("TImage").str("Image1").name("Left").int8(8).u8(0).u8(0);
    b.u8(0);
    return b.s;
}

} // namespace

TEST(StoredOptions, ReadsTheOldProgramsRecordSkippingWindowProperties)
{
    const StoredOptions o = optionsFromStream(foreignRecord());
    StoredOptions expect;
    expect.mitgliederlistFilename = "MITGLIEDER2.QR2";
    expect.auswertungsreportFilename = "ERGÄ.QR2X";
    expect.datenordner = "C:\\Kegelclub Müller\\Daten\\";
    expect.showLotseAtStart = false;
    expect.eurokurs = 1.95583;
    expect.waehrung = 2;
    expect.stellenWaehrungsumrechnung = 3;
    expect.eingabewaehrung = 300;
    expect.logoFilename = "logo.bmp";
    EXPECT_EQ(o, expect);
    // Options missing from the stream keep the values they had.
    StoredOptions base;
    base.kontolistFilename = "KASSE.QR2";
    EXPECT_EQ(optionsFromStream(foreignRecord(), base).kontolistFilename, "KASSE.QR2");
}

TEST(StoredOptions, WritesTheOptionsInTheirOrderWithTheSmallestCodes)
{
    StoredOptions o;
    o.eingabewaehrung = 300;
    const std::string s = optionsToStream(o);
    StreamBytes expect;
    expect.header("TProgrammoptionen", "Programmoptionen");
    expect.name("Mitgliederlistfilename").shortText("MITGLIEDERLIST.QR2");
    expect.name("Kegellistfilename").shortText("KEGELLISTE.QR2");
    expect.name("Spielelistfilename").shortText("SPIELELISTE.QR2");
    expect.name("SonstigeListfilename").shortText("SONSTIGE.QR2");
    expect.name("Auswertungsreportfilename").shortText("ERGEBNISSE1.QR2");
    expect.name("ZeitraumAuswertungsreportfilename").shortText("ZEITRAUM.QR2");
    expect.name("RanglisteAuswertungsreportfilename").shortText("RANGLISTE.QR2");
    expect.name("Terminlistfilename").shortText("TERMINLISTE.QR2");
    expect.name("Terminplanlistfilename").shortText("TERMPLAN.QR2");
    expect.name("Termintyplistfilename").shortText("TERMART.QR2");
    expect.name("Kontolistfilename").shortText("KEGELKASSE.QR2");
    expect.name("Blankolistfilename").shortText("BLANKOLISTE.QR2");
    expect.name("WaehrungslisteFilename").shortText("WAEHRUNGSLISTE.QR2");
    expect.name("AemterlisteFilename").shortText("AEMTERLISTE.QR2");
    expect.name("Datenordner").shortText("");
    expect.name("Backuppfad").shortText(".\\");
    expect.name("ShowLotseAtStart").u8(9);
    expect.name("Eurokurs").u8(5).raw(std::string("\x00\x28\x91\x44\x2F\xA3\x58\xFA\xFF\x3F", 10));
    expect.name("Waehrung").int8(1);
    expect.name("StellenWaehrungsumrechnung").int8(2);
    expect.name("Eingabewaehrung").int16(300);
    expect.name("LogoFilename").shortText("");
    expect.u8(0).u8(0);
    EXPECT_EQ(s, expect.s);
}

TEST(StoredOptions, RoundTripOfChangedOptions)
{
    StoredOptions o;
    o.datenordner = "D:\\Vereine\\Kegelfreunde Übach\\";
    o.terminlistFilename = std::string(300, 'T') + ".QR2";
    o.logoFilename = "Ω.bmp"; // not in 1252: written as UTF-16
    o.showLotseAtStart = false;
    o.eurokurs = 0.000123;
    o.waehrung = 255;
    o.eingabewaehrung = -70000;
    o.automatischSichern = false;
    EXPECT_EQ(optionsFromStream(optionsToStream(o)), o);
    // The option of this program appears only when it leaves its default.
    EXPECT_NE(optionsToStream(o).find("AutomatischSichern"), std::string::npos);
    o.automatischSichern = true;
    EXPECT_EQ(optionsToStream(o).find("AutomatischSichern"), std::string::npos);
}

TEST(StoredOptions, WrongTypesAndRangesAreFaultsAndNothingIsTakenOver)
{
    auto with = [](auto&& addProperty) {
        StreamBytes b;
        b.header("TProgrammoptionen", "Programmoptionen");
        b.name("Datenordner").shortText("C:\\X\\");
        addProperty(b);
        return b.u8(0).u8(0).s;
    };
    const auto wrong = {
        with([](StreamBytes& b) { b.name("ShowLotseAtStart").shortText("ja"); }),
        with([](StreamBytes& b) { b.name("Waehrung").int16(256); }),
        with([](StreamBytes& b) { b.name("Waehrung").int8(-1); }),
        with([](StreamBytes& b) { b.name("Eingabewaehrung").u8(19).le(1ull << 33, 8); }),
        with([](StreamBytes& b) { b.name("Eurokurs").shortText("1,95583"); }),
        with([](StreamBytes& b) { b.name("Backuppfad").u8(9); }),
    };
    for (const std::string& s : wrong) {
        StoredOptions base;
        try {
            base = optionsFromStream(s, base);
            ADD_FAILURE() << "accepted";
        } catch (const FormatError& e) {
            EXPECT_NE(std::string(e.what()).find("Option"), std::string::npos);
        }
        EXPECT_EQ(base.datenordner, "");
    }
    // Other acceptable codes: an integer Eurokurs, a property name in other case.
    const StoredOptions o = optionsFromStream(with([](StreamBytes& b) {
        b.name("eurokurs").int8(2).name("SHOWLOTSEATSTART").u8(8);
    }));
    EXPECT_EQ(o.eurokurs, 2.0);
    EXPECT_FALSE(o.showLotseAtStart);
    EXPECT_EQ(o.datenordner, "C:\\X\\");
}
