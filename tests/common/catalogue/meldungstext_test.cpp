#include "common/catalogue/meldungstext.h"

#include <gtest/gtest.h>

using trevo::common::MeldungsText;

TEST(MeldungsText, FixedTextsAreExact)
{
    EXPECT_EQ(MeldungsText(1001),
              "Die Nummer ist schon vergeben.  Geben sie bitte eine andere Nummer ein.");
    EXPECT_EQ(MeldungsText(2001), "Die Daten sind nicht vollständig");
    EXPECT_EQ(MeldungsText(2006), "Der Suchtext wurde nicht gefunden");
    EXPECT_EQ(MeldungsText(2013), "Neue Schablonekann nicht gespeichert werden !");
    EXPECT_EQ(MeldungsText(3003), "\"Bis\" muß angegeben werden");
    EXPECT_EQ(MeldungsText(4002), "Die Summe der Einzelbeträge ist größer als die Rechnungssumme !");
    EXPECT_EQ(MeldungsText(4001),
              "Die Daten wurden als Stammdaten gespeichert. Sie können bei der nächsten Eingabe "
              "dieses Materials automatisch eingefügt werden.");
}

TEST(MeldungsText, UnknownCodesGiveEmptyText)
{
    EXPECT_EQ(MeldungsText(3012), "");
    EXPECT_EQ(MeldungsText(0), "");
    EXPECT_EQ(MeldungsText(-1), "");
    EXPECT_EQ(MeldungsText(4008), "");
    EXPECT_EQ(MeldungsText(3012, {"x"}), "");
}

TEST(MeldungsText, MissingParameterIsEmptyText)
{
    EXPECT_EQ(MeldungsText(2011), "Die Datei enthält keine Daten");
    EXPECT_EQ(MeldungsText(2012), "Die Nummer wurde nicht gefunden");
    EXPECT_EQ(MeldungsText(2012), MeldungsText(2008));
    EXPECT_EQ(MeldungsText(4006), "Verzeichnis  konnte nicht angelegt werden");
    EXPECT_EQ(MeldungsText(4007), "Fehler beim Öffnen der Tabelle ");
}

TEST(MeldungsText, ParameterIsFollowedByOneBlank)
{
    EXPECT_EQ(MeldungsText(2011, {"A.TXT"}), "Die Datei A.TXT enthält keine Daten");
    EXPECT_EQ(MeldungsText(4006, {"C:\\X"}), "Verzeichnis C:\\X  konnte nicht angelegt werden");
    EXPECT_EQ(MeldungsText(3011, {"/q"}), "Fehlerhafter Programmparameter /q ");
    EXPECT_EQ(MeldungsText(4007, {"KEGLER.DBF"}), "Fehler beim Öffnen der Tabelle KEGLER.DBF ");
    // Surplus parameters and parameters for fixed texts are ignored.
    EXPECT_EQ(MeldungsText(2011, {"A", "B"}), "Die Datei A enthält keine Daten");
    EXPECT_EQ(MeldungsText(2001, {"A"}), "Die Daten sind nicht vollständig");
    // An empty parameter still brings its blank.
    EXPECT_EQ(MeldungsText(2011, {""}), "Die Datei  enthält keine Daten");
}

TEST(MeldungsText, LongParametersAreCutAtCharacters)
{
    const std::string lang(300, 'x');
    EXPECT_EQ(MeldungsText(4007, {lang}), "Fehler beim Öffnen der Tabelle " + std::string(255, 'x') + " ");
    // 300 umlauts (two bytes each) keep 255 whole characters.
    std::string umlaute;
    for (int i = 0; i < 300; ++i) umlaute += "ä";
    std::string erwartet;
    for (int i = 0; i < 255; ++i) erwartet += "ä";
    EXPECT_EQ(MeldungsText(4007, {umlaute}), "Fehler beim Öffnen der Tabelle " + erwartet + " ");
}
