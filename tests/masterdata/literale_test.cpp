// Literals and statement texts of the search and range dialogs.
#include "test_support.h"
#include "shell/stammdaten/anweisungen.h"
#include "engine/core/error.h"
#include "shell/stammdaten/literale.h"

#include <gtest/gtest.h>

namespace trevo::masterdata {
namespace {

using engine::FieldDef;

const FieldDef kName{"NAME", 'C', 50, 0};
const FieldDef kNummer{"NUMMER", 'N', 10, 0};
const FieldDef kBeitrag{"BEITRAG", 'N', 8, 2};
const FieldDef kDatum{"GEBURTSTAG", 'D', 8, 0};
const FieldDef kMitglied{"MITGLIED", 'L', 1, 0};
const FieldDef kMemo{"BEMERKUNGE", 'M', 10, 0};

TEST(MasterdataLiterale, DatesBecomeSerialDayNumbers)
{
    EXPECT_EQ(datumsSeriennummer("1.1.2000"), "36526");
    EXPECT_EQ(datumsSeriennummer("30.12.1899"), "0");
    EXPECT_EQ(datumsSeriennummer(" 01.01.2000 12:00"), "36526.5");
    EXPECT_EQ(datumsSeriennummer("1.1.2000 06:00:00"), "36526.25");
    EXPECT_THROW(datumsSeriennummer("31.2.2000"), engine::ValueError);
    EXPECT_THROW(datumsSeriennummer("Meier"), engine::ValueError);
    EXPECT_THROW(datumsSeriennummer("1.1.2000 25:00"), engine::ValueError);
    EXPECT_THROW(datumsSeriennummer(""), engine::ValueError);
}

TEST(MasterdataLiterale, TextsAreQuotedWithTheirQuotesDoubled)
{
    EXPECT_EQ(literal(kName, "Meier", '\''), "'Meier'");
    EXPECT_EQ(literal(kName, "D'Angelo", '\''), "'D''Angelo'");
    EXPECT_EQ(literal(kName, "O\"Brien", '"'), "\"O\"\"Brien\"");
    EXPECT_EQ(literal(kMemo, "x", '\''), "'x'");
}

TEST(MasterdataLiterale, NumbersAndLogicalsAreCheckedNotPastedUnchecked)
{
    EXPECT_EQ(literal(kNummer, "05", '\''), "5");
    EXPECT_EQ(literal(kBeitrag, "2,50", '\''), "2.5");
    EXPECT_EQ(literal(kMitglied, "J", '\''), "TRUE");
    EXPECT_EQ(literal(kMitglied, "F", '\''), "FALSE");
    EXPECT_THROW(literal(kNummer, "5 OR 1=1", '\''), engine::ValueError);
    EXPECT_THROW(literal(kNummer, "", '\''), engine::ValueError);
}

TEST(MasterdataAnweisungen, SearchStatementLineByLine)
{
    const auto lines = suchAnweisung("/daten/KEGLER.DBF", kName, "Mei", Suchart::Anfang);
    const std::vector<std::string> expected = {"SELECT NUMMER,NAME", "FROM", "\"/daten/KEGLER.DBF\"", "WHERE",
                                               "NAME LIKE \"Mei%\""};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(suchAnweisung("K.DBF", kName, "Mei", Suchart::Irgendwo).back(), "NAME LIKE \"%Mei%\"");
    EXPECT_EQ(suchAnweisung("K.DBF", kName, "O\"B", Suchart::Anfang).back(), "NAME LIKE \"O\"\"B%\"");
    EXPECT_EQ(suchAnweisung("K.DBF", kDatum, "1.1.2000", Suchart::Anfang).back(), "GEBURTSTAG=36526");
    EXPECT_EQ(suchAnweisung("K.DBF", kNummer, "7", Suchart::Anfang).back(), "NUMMER=7");
    EXPECT_EQ(suchAnweisung("K.DBF", kMemo, "NAME", Suchart::Irgendwo).back(), "BEMERKUNGE='NAME'");
    EXPECT_THROW(suchAnweisung("K.DBF", kDatum, "gestern", Suchart::Anfang), engine::ValueError);
}

TEST(MasterdataAnweisungen, FilterExpressions)
{
    EXPECT_EQ(filterAusdruck(kName, Bedingung::Gleich, "Meier", ""), "(NAME='Meier')");
    EXPECT_EQ(filterAusdruck(kNummer, Bedingung::Groesser, "5", ""), "(NUMMER>5)");
    EXPECT_EQ(filterAusdruck(kNummer, Bedingung::Ungleich, "5", ""), "(NUMMER<>5)");
    EXPECT_EQ(filterAusdruck(kNummer, Bedingung::KleinerGleich, "5", ""), "(NUMMER<=5)");
    EXPECT_EQ(filterAusdruck(kNummer, Bedingung::Zwischen, "5", "9"), "(NUMMER>=5 AND NUMMER<=9)");
    EXPECT_EQ(filterAusdruck(kName, Bedingung::Zwischen, "A", "K"), "(NAME>='A' AND NAME<='K')");
    EXPECT_EQ(filterAusdruck(kDatum, Bedingung::GroesserGleich, "1.1.2000", ""), "(GEBURTSTAG>=36526)");
    EXPECT_THROW(filterAusdruck(kDatum, Bedingung::Gleich, "kein Datum", ""), engine::ValueError);
}

} // namespace
} // namespace trevo::masterdata
