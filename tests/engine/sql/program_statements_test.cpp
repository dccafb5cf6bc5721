// The statements of the data module, the master-data windows, the search dialogs, the
// evening window, the entry grids and the database tools, built as the program builds
// them, over the fixture club (club.cpp).
#include "club.h"
#include "engine/sql/sql.h"

#include <gtest/gtest.h>

using namespace trevo::engine;
using namespace trevo::engine::sqltest;
using Rows = std::vector<std::string>;

namespace {

class ProgramStatements : public ::testing::Test {
protected:
    void SetUp() override { buildClub(f); }

    // "SELECT <field>", "FROM", path, "WHERE", condition [, "AND", condition ...]
    std::string single(const std::string& field, std::initializer_list<std::string> from,
                       std::initializer_list<std::string> conditions)
    {
        std::string s = "SELECT " + field + "\r\nFROM";
        size_t i = 0;
        for (const auto& t : from) s += "\r\n" + t + (++i < from.size() ? "," : "");
        s += "\r\nWHERE";
        i = 0;
        for (const auto& c : conditions) s += std::string(i++ ? "\r\nAND" : "") + "\r\n" + c;
        return s;
    }

    std::vector<std::string> names(const std::string& text)
    {
        std::vector<std::string> n;
        for (const auto& c : f.run(text).columns) n.push_back(c.name);
        return n;
    }

    SqlFixture f;
};

} // namespace

TEST_F(ProgramStatements, SingleValueQuestionsOfTheDataModule)
{
    EXPECT_EQ(f.rows(single("NAME", {q(f, "KEGLER.DBF")}, {"NUMMER=1"})), Rows{"Meier"});
    EXPECT_EQ(f.rows(single("BEZEICHNUN", {q(f, "FUNKTION.DBF")}, {"NUMMER=2"})), Rows{"Präsident"});
    EXPECT_EQ(f.rows(single("BEZEICHNUN", {q(f, "SONSTYPE.DBF")}, {"NUMMER=2"})), Rows{"Pudel"});
    EXPECT_EQ(f.run(single("PREISLISTE", {q(f, "SONSTYPE.DBF")}, {"PREISLISTE=1"})).rows.size(), 4u);
    EXPECT_EQ(f.run(single("DISTINCT KEGLER", {q(f, "KEGLTERM.DBF")}, {"TERMIN=1"})).rows.size(), 4u);
    // The item's number is written unqualified although both tables have NUMMER: it
    // means the first table's, the item.
    const auto price = [&](int item, int evening) {
        return f.rows(single("EINZELPREI", {q(f, "SONSTYPE.DBF") + "SonstigeXDBF", q(f, "TERMINE.DBF") + "TerminXDBF"},
                             {"NUMMER=" + std::to_string(item), "\"TerminXDBF\".\"NUMMER\"=" + std::to_string(evening),
                              "\"TerminXDBF\".\"PREISLISTE\"=\"SONSTIGEXDBF\".\"PREISLISTE\""}));
    };
    EXPECT_EQ(price(2, 1), Rows{"0.5"});
    EXPECT_EQ(price(5, 1), Rows{}); // an item of another price list
    // Member numbers are texts, written in double quotes.
    EXPECT_EQ(f.rows(single("NAME", {q(f, "KEGLER.DBF")}, {"MITGLIEDNR=\"7\""})), Rows{"Meier"});
    EXPECT_EQ(f.rows(single("NUMMER", {q(f, "KEGLER.DBF")}, {"MITGLIEDNR=\"12\""})), Rows{"2"});
    EXPECT_EQ(f.rows(single("NUMMER", {q(f, "KEGLER.DBF")}, {"MITGLIEDNR=\"99\""})), Rows{});
    EXPECT_EQ(f.rows(single("DATUM", {q(f, "TERMINE.DBF")}, {"NUMMER=1"})), Rows{"12.01.2001"});
    EXPECT_EQ(f.rows(single("DATUM", {q(f, "SONSTYP0.DBF")}, {"NUMMER=2"})), Rows{"01.01.1999"});
    EXPECT_EQ(f.rows(single("\"PreislisteXDBF\".\"WAEHRUNG\"",
                            {q(f, "SONSTYP0.DBF") + "PreislisteXDBF", q(f, "TERMINE.DBF") + "TerminXDBF"},
                            {"\"TerminXDBF\".\"NUMMER\"=1", "\"TerminXDBF\".\"PREISLISTE\"=\"PreislisteXDBF\".\"NUMMER\""})),
              Rows{"1"});
    EXPECT_EQ(f.rows(single("\"WaehrungslisteXDBF\".\"KUERZEL\"",
                            {q(f, "WAEHRUNGEN.DBF") + "WaehrungslisteXDBF", q(f, "SONSTYP0.DBF") + "PreislisteXDBF",
                             q(f, "TERMINE.DBF") + "TerminXDBF"},
                            {"\"TerminXDBF\".\"NUMMER\"=2", "\"TerminXDBF\".\"PREISLISTE\"=\"PreislisteXDBF\".\"NUMMER\"",
                             "\"WaehrungslisteXDBF\".\"NUMMER\"=\"PreislisteXDBF\".\"WAEHRUNG\""})),
              Rows{"EUR"});
    EXPECT_EQ(f.rows(single("\"WaehrungslisteXDBF\".\"KUERZEL\"", {q(f, "WAEHRUNGEN.DBF") + "WaehrungslisteXDBF"},
                            {"\"WaehrungslisteXDBF\".\"NUMMER\"=2"})),
              Rows{"DM"});
    EXPECT_EQ(f.rows(single("\"PreislisteXDBF\".\"WAEHRUNG\"", {q(f, "SONSTYP0.DBF") + "PreislisteXDBF"},
                            {"\"PreislisteXDBF\".\"NUMMER\"=2"})),
              Rows{"2"});
    EXPECT_EQ(f.rows(single("\"WaehrungsXDBF\".\"KUERZEL\"",
                            {q(f, "SONSTYP0.DBF") + "PreislisteXDBF", q(f, "WAEHRUNGEN.DBF") + "WaehrungsXDBF"},
                            {"\"PreislisteXDBF\".\"WAEHRUNG\"=\"WaehrungsXDBF\".\"NUMMER\"", "\"PreislisteXDBF\".\"NUMMER\"=2"})),
              Rows{"DM"});
    EXPECT_EQ(f.rows(single("WAEHRUNG", {q(f, "KONTOINF.DBF")}, {"KONTONR=1"})), Rows{"1"});
    EXPECT_EQ(f.rows(single("FAKTOR", {q(f, "WAEHRUNGEN.DBF")}, {"NUMMER=2"})), Rows{"1.95583"});
    EXPECT_EQ(f.rows(single("FAKTOR", {q(f, "WAEHRUNGEN.DBF")}, {"NUMMER=7"})), Rows{});
}

TEST_F(ProgramStatements, BalanceOfTheAccount)
{
    // Opening balance 100.00 on 1.1.1990 plus the bookings from that day on (20.50 and
    // -5.25); the booking of 1989 does not count.
    const std::string balance = single(
        "\"KontoDefXDBF\".\"STARTSALDO\"+SUM(\"KontoXDBF\".\"BETRAG\")KONTOSTAND",
        {q(f, "KONTO.DBF") + "KontoXDBF", q(f, "KONTOINF.DBF") + "KontoDefXDBF"},
        {"\"KontoXDBF\".\"KONTONR\"=1", "\"KontoDefXDBF\".\"KONTONR\"=\"KontoXDBF\".\"KONTONR\"",
         "\"KontoXDBF\".\"DATUM\">=\"KontoDefXDBF\".\"DATUM\""});
    EXPECT_EQ(names(balance), std::vector<std::string>{"KONTOSTAND"});
    EXPECT_EQ(f.rows(balance), Rows{"115.25"});
    EXPECT_EQ(f.rows(balance + "\r\nGROUP BY \"KontoDefXDBF\".\"STARTSALDO\""), Rows{"115.25"});
    // Without bookings the sum is NULL (the data module then takes the opening balance).
    f.run("DELETE FROM " + q(f, "KONTO.DBF"));
    EXPECT_EQ(f.rows(balance), Rows{"NULL"});
}

TEST_F(ProgramStatements, ParticipantsAndStoredGridsOfAnEvening)
{
    const std::string participants =
        lines({"SELECT DISTINCT \"KeglerTerminXDBF\".\"NUMMER\", "
               "\"KeglerTerminXDBF\".\"Kegler\",\"KeglerXDBF\".\"Name\",\"KeglerXDBF\".\"Alias\",\"KeglerTerminXDBF\".\"ABSCHNITT\"",
               "FROM", q(f, "KEGLTERM.DBF") + "KeglerTerminXDBF,", q(f, "KEGLER.DBF") + "KeglerXDBF", "WHERE",
               "\"KeglerTerminXDBF\".\"TERMIN\"=1", "AND", "\"KeglerXDBF\".\"Nummer\"=\"KeglerTerminXDBF\".\"Kegler\""});
    EXPECT_EQ(names(participants), (std::vector<std::string>{"NUMMER", "KEGLER", "NAME", "ALIAS", "ABSCHNITT"}));
    EXPECT_EQ(f.rows(participants), (Rows{"1\t1\tMeier\tHansi\t1", "2\t2\tMüller\tKalle\t1", "3\t3\tGast\t\t1",
                                          "4\t5\tÄrger\tPauli\t1", "5\t1\tMeier\tHansi\t2", "6\t2\tMüller\tKalle\t2"}));

    const auto games = [&](int evening, int section) {
        return lines({"SELECT", "\"KeglernamenXDBF\".\"NAME\"Name, \"KeglernamenXDBF\".\"ALIAS\"Alias,",
                      "\"KeglernamenXDBF\".\"NUMMER\",\"KeglerTerminXDBF\".\"Kegler\"KeglerTerminKegler,",
                      "\"SpieleKeglerXDBF\".\"SPIELNR\"Spielnummer, \"SpieleKeglerXDBF\".\"BETRAG\"Betrag,",
                      "\"SpieleKeglerXDBF\".\"KEGLERNR\"Keglernummer,\"SpieleKeglerXDBF\".\"NUMMER\"Nummer", "FROM",
                      q(f, "KEGLTERM.DBF") + "KeglerTerminXDBF,", q(f, "KEGLER.DBF") + "KeglernamenXDBF,",
                      q(f, "SPIELKEG.DBF") + "SpieleKeglerXDBF", "WHERE",
                      "\"KeglerTerminXDBF\".\"TERMIN\" = " + std::to_string(evening), "AND",
                      "\"KeglernamenXDBF\".\"NUMMER\" = \"KeglerTerminXDBF\".\"KEGLER\"", "AND",
                      "\"SpieleKeglerXDBF\".\"KEGLERNR\" = \"KeglerTerminXDBF\".\"NUMMER\"", "AND",
                      "\"SpieleKeglerXDBF\".\"Abschnitt\" = " + std::to_string(section), "ORDER BY",
                      "\"SpieleKeglerXDBF\".\"KEGLERNR\",\"SpieleKeglerXDBF\".\"SPIELNR\""});
    };
    // Two columns are called Nummer: the second gets a suffix so both stay reachable.
    EXPECT_EQ(names(games(1, 1)), (std::vector<std::string>{"Name", "Alias", "NUMMER", "KeglerTerminKegler",
                                                            "Spielnummer", "Betrag", "Keglernummer", "Nummer_1"}));
    EXPECT_EQ(f.rows(games(1, 1)), (Rows{"Meier\tHansi\t1\t1\t1\t1\t1\t1", "Meier\tHansi\t1\t1\t2\t2.5\t1\t2",
                                         "Müller\tKalle\t2\t2\t1\t1.5\t2\t3", "Gast\t\t3\t3\t1\t0.5\t3\t4",
                                         "Ärger\tPauli\t5\t5\t1\t2\t4\t5"}));
    EXPECT_EQ(f.rows(games(1, 2)), (Rows{"Meier\tHansi\t1\t1\t1\t3\t5\t6", "Müller\tKalle\t2\t2\t1\t1\t6\t7"}));
    EXPECT_EQ(f.rows(games(3, 1)), Rows{});

    const std::string items =
        lines({"SELECT", "\"KeglernamenXDBF\".\"NAME\"Name, \"KeglernamenXDBF\".\"ALIAS\"Alias,",
               "\"KeglernamenXDBF\".\"NUMMER\"Keglernummer,",
               "\"SonstigeKeglerXDBF\".\"ANZAHL\"Anzahl, \"SonstigeKeglerXDBF\".\"TYP\",",
               "\"SonstigeKeglerXDBF\".\"KEGLERNR\",\"SonstigeKeglerXDBF\".\"NUMMER\"Nummer", "FROM",
               q(f, "KEGLTERM.DBF") + "KeglerTerminXDBF,", q(f, "KEGLER.DBF") + "KeglernamenXDBF,",
               q(f, "SONSTKEG.DBF") + "SonstigeKeglerXDBF", "WHERE", "\"KeglerTerminXDBF\".\"TERMIN\" = 1", "AND",
               "\"KeglerTerminXDBF\".\"KEGLER\" = \"KeglernamenXDBF\".\"NUMMER\"", "AND",
               "\"SonstigeKeglerXDBF\".\"KEGLERNR\" = \"KeglerTerminXDBF\".\"NUMMER\"", "AND",
               "\"SonstigeKeglerXDBF\".\"Abschnitt\" = 1", "ORDER BY",
               "\"SonstigeKeglerXDBF\".\"KEGLERNR\",\"SonstigeKeglerXDBF\".\"TYP\""});
    EXPECT_EQ(names(items), (std::vector<std::string>{"Name", "Alias", "Keglernummer", "Anzahl", "TYP", "KEGLERNR", "Nummer"}));
    EXPECT_EQ(f.rows(items), (Rows{"Meier\tHansi\t1\t2\t1\t1\t1", "Müller\tKalle\t2\t2\t2\t2\t2",
                                   "Gast\t\t3\t1\t3\t3\t3", "Ärger\tPauli\t5\t1\t5\t4\t6"}));
}

TEST_F(ProgramStatements, StoringASectionAndDeletingAnEvening)
{
    const auto del = [&](const std::string& file, const std::string& extra) {
        return lines({"DELETE FROM", q(f, file), "WHERE", "TERMIN=1"}) + extra;
    };
    EXPECT_EQ(f.run(del("SPIELKEG.DBF", "\r\nAND\r\nAbschnitt=1")).affected, 5);
    EXPECT_EQ(f.run(del("SONSTKEG.DBF", "\r\nAND\r\nAbschnitt=1")).affected, 4);
    EXPECT_EQ(f.rows("SELECT NUMMER FROM SPIELKEG WHERE TERMIN=1"), (Rows{"6", "7"}));
    // Deleting the evening: game amounts, item counts, participant rows.
    EXPECT_EQ(f.run(del("SPIELKEG.DBF", "")).affected, 2);
    EXPECT_EQ(f.run(del("SONSTKEG.DBF", "")).affected, 2);
    EXPECT_EQ(f.run(del("KEGLTERM.DBF", "")).affected, 6);
    EXPECT_EQ(f.run(del("KEGLTERM.DBF", "")).affected, 0);
    EXPECT_EQ(f.rows("SELECT COUNT(*)Anzahl FROM " + q(f, "KEGLTERM.DBF")), Rows{"3"});
    // The number of participants and the highest section of an evening when it is saved.
    EXPECT_EQ(f.run(single("DISTINCT KEGLER", {q(f, "KEGLTERM.DBF")}, {"TERMIN=2"})).rows.size(), 2u);
    // The price list's date through the file name as the window writes it.
    EXPECT_EQ(f.rows("SELECT DATUM\r\nFROM\r\n\"" + f.folder + "Sonstyp0.dbf\"\r\nWHERE\r\nNUMMER=1"), Rows{"01.01.2001"});
}

TEST_F(ProgramStatements, DeletingAPriceListDeletesItsItems)
{
    EXPECT_EQ(f.run(lines({"DELETE FROM", q(f, "SONSTYPE.DBF"), "WHERE", "PREISLISTE=2"})).affected, 1);
    EXPECT_EQ(f.rows("SELECT NUMMER FROM SONSTYPE"), (Rows{"1", "2", "3", "4"}));
}

TEST_F(ProgramStatements, SearchDialogs)
{
    const auto search = [&](const std::string& field, const std::string& file, const std::string& cond) {
        return lines({"SELECT NUMMER," + field, "FROM", q(f, file), "WHERE", cond});
    };
    EXPECT_EQ(f.rows(search("NAME", "KEGLER.DBF", "NAME LIKE \"Mei%\"")), Rows{"1\tMeier"});
    EXPECT_EQ(f.rows(search("NAME", "KEGLER.DBF", "NAME LIKE \"M%\"")), (Rows{"1\tMeier", "2\tMüller"}));
    EXPECT_EQ(f.rows(search("NAME", "KEGLER.DBF", "NAME LIKE \"%ll%\"")), Rows{"2\tMüller"});
    EXPECT_EQ(f.rows(search("NAME", "KEGLER.DBF", "NAME LIKE \"mei%\"")), Rows{"1\tMeier"}); // case does not matter
    EXPECT_EQ(f.rows(search("NAME", "KEGLER.DBF", "NAME LIKE \"%ÜLL%\"")), Rows{"2\tMüller"});
    // Date fields are searched by their serial number, other fields as typed.
    EXPECT_EQ(f.rows(search("DATUM", "TERMINE.DBF", "DATUM=" + std::to_string(daysFromCivil(2001, 2, 9)))),
              Rows{"2\t09.02.2001"});
    EXPECT_EQ(f.rows(search("BEITRAG", "SONSTYP0.DBF", "BEITRAG=10")), Rows{"2\t10"});
    // A search text with a quote is pasted through the quoting helper and stays a text.
    f.append("KEGLER.DBF", {{N(6), T("8"), T("O\"Brien"), T(""), T(""), L(false), Null(), Null(), Null(), Null()}});
    EXPECT_EQ(f.rows(search("NAME", "KEGLER.DBF", "NAME LIKE " + sql::quoted("O\"B%"))), Rows{"6\tO\"Brien"});
    EXPECT_EQ(f.rows(search("NAME", "KEGLER.DBF", "NAME LIKE " + sql::quoted("%\" OR \"\"=\"%"))), Rows{});
    EXPECT_EQ(sql::quoted("O'Neil", '\''), "'O''Neil'");
}

TEST_F(ProgramStatements, DatabaseTools)
{
    EXPECT_EQ(f.rows("SELECT COUNT(*)Anzahl FROM " + q(f, "KEGLER.DBF")), Rows{"5"});
    EXPECT_EQ(names("SELECT COUNT(*)Anzahl FROM " + q(f, "KEGLER.DBF")), std::vector<std::string>{"Anzahl"});
    EXPECT_EQ(f.rows("SELECT COUNT(*)Anzahl FROM " + q(f, "AUSWERTU.DBF")), Rows{"0"});
    // Next number: the last row of the ordered numbers.
    f.append("FUNKTION.DBF", {{N(7), T("Kegelwart")}, {Null(), T("ohne Nummer")}, {Null(), T("auch ohne")}});
    const auto next = lines({"SELECT NUMMER", "FROM", q(f, "FUNKTION.DBF"), "ORDER BY NUMMER"});
    EXPECT_EQ(f.rows(next), (Rows{"NULL", "NULL", "1", "2", "7"}));
    const std::string empty = lines({"SELECT NUMMER", "FROM", q(f, "FUNKTION.DBF"), "WHERE", "NUMMER IS NULL"});
    EXPECT_EQ(f.run(empty).rows.size(), 2u);
    EXPECT_EQ(f.run(lines({"DELETE FROM", q(f, "FUNKTION.DBF"), "WHERE", "NUMMER IS NULL"})).affected, 2);
    EXPECT_EQ(f.run(empty).rows.size(), 0u);
    EXPECT_EQ(f.rows(next), (Rows{"1", "2", "7"}));
}

TEST_F(ProgramStatements, AddingTheWhoPaysColumn)
{
    f.table("ALTTYPE.DBF",
            {{"NUMMER", 'N', 10, 0}, {"BEZEICHNUN", 'C', 50, 0}, {"EINZELPREI", 'N', 10, 2}, {"BEMERKUNG", 'M', 10, 0}},
            {{N(1), T("Bier"), N(1.5), T("ein langer Text über das Bier")},
             {N(2), T("Pudel"), N(0.5), Null()},
             {N(3), T("gelöscht"), N(9), T("weg")}});
    f.run("DELETE FROM ALTTYPE WHERE NUMMER=3");
    const std::string alter = "ALTER TABLE " + q(f, "ALTTYPE.DBF") + "\r\nADD GUELTIG NUMERIC(2,0)";
    EXPECT_EQ(f.run(alter).affected, 2);
    auto t = f.db.table(f.path("ALTTYPE.DBF"));
    ASSERT_EQ(t->fields().size(), 5u);
    EXPECT_EQ(t->fields()[4], (FieldDef{"GUELTIG", 'N', 2, 0}));
    EXPECT_EQ(f.rows("SELECT NUMMER, BEMERKUNG, GUELTIG FROM ALTTYPE"),
              (Rows{"1\tein langer Text über das Bier\tNULL", "2\t\tNULL"}));
    EXPECT_EQ(t->recordCount(), 3u); // the deleted record stays deleted
    EXPECT_TRUE(t->isDeleted(2));
    EXPECT_EQ(f.run("UPDATE ALTTYPE SET GUELTIG=1 WHERE GUELTIG IS NULL OR (GUELTIG<>1 AND GUELTIG<>2)").affected, 2);
    EXPECT_EQ(f.rows("SELECT GUELTIG FROM ALTTYPE"), (Rows{"1", "1"}));
    EXPECT_EQ(f.error(alter), "Das Feld 'GUELTIG' gibt es schon (Zeile 2)");
}
