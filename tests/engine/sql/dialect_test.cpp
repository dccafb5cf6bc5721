// Statements typed in the SQL window: joins, grouping, DISTINCT, the changing
// statements, and the errors with what and where.
#include "club.h"
#include "engine/sql/sql.h"

#include <algorithm>

#include <gtest/gtest.h>

using namespace trevo::engine;
using namespace trevo::engine::sqltest;
using Rows = std::vector<std::string>;

namespace {

class Dialect : public ::testing::Test {
protected:
    void SetUp() override { buildClub(f); }
    SqlFixture f;
};

} // namespace

TEST_F(Dialect, JoinSyntaxAndLeftJoin)
{
    EXPECT_EQ(f.rows("SELECT k.NAME, f.BEZEICHNUN FROM KEGLER k JOIN FUNKTION f ON f.NUMMER = k.FUNKTION ORDER BY 1"),
              (Rows{"Meier\tKassierer", "Schulz\tPräsident"}));
    EXPECT_EQ(f.rows("SELECT k.NAME, f.BEZEICHNUN FROM KEGLER k LEFT JOIN FUNKTION f ON f.NUMMER = k.FUNKTION "
                     "ORDER BY k.NUMMER"),
              (Rows{"Meier\tKassierer", "Müller\tNULL", "Gast\tNULL", "Schulz\tPräsident", "Ärger\tNULL"}));
    // A WHERE condition on the outer table filters after the join; an ON condition does not.
    EXPECT_EQ(f.rows("SELECT k.NAME FROM KEGLER k LEFT JOIN FUNKTION f ON f.NUMMER = k.FUNKTION WHERE f.NUMMER IS NULL "
                     "ORDER BY k.NAME"),
              (Rows{"Ärger", "Gast", "Müller"}));
    EXPECT_EQ(f.rows("SELECT k.NAME, f.BEZEICHNUN FROM KEGLER k LEFT JOIN FUNKTION f ON f.NUMMER = k.FUNKTION AND "
                     "f.NUMMER = 2 WHERE k.NUMMER <= 2 ORDER BY k.NAME"),
              (Rows{"Meier\tNULL", "Müller\tNULL"}));
    EXPECT_EQ(f.rows("SELECT k.NAME, COUNT(t.NUMMER) FROM KEGLER k LEFT JOIN KEGLTERM t ON t.KEGLER = k.NUMMER "
                     "GROUP BY k.NAME ORDER BY 2 DESC, 1"),
              (Rows{"Meier\t3", "Müller\t3", "Ärger\t1", "Gast\t1", "Schulz\t1"}));
    EXPECT_EQ(f.error("SELECT NUMMER FROM KEGLER k JOIN FUNKTION f ON f.NUMMER = k.FUNKTION"),
              "Mehrdeutige Spalte 'NUMMER' in Zeile 1");
}

TEST_F(Dialect, GroupingHavingDistinctAndOrder)
{
    EXPECT_EQ(f.rows("SELECT KEGLER, COUNT(*) Anzahl, SUM(ABSCHNITT) FROM KEGLTERM GROUP BY KEGLER HAVING COUNT(*) > 1"),
              (Rows{"1\t3\t4", "2\t3\t4"}));
    EXPECT_EQ(f.rows("SELECT KEGLER, COUNT(*) Anzahl FROM KEGLTERM GROUP BY KEGLER HAVING Anzahl = 1 ORDER BY KEGLER DESC"),
              (Rows{"5\t1", "4\t1", "3\t1"}));
    EXPECT_EQ(f.rows("SELECT DISTINCT ABSCHNITT FROM KEGLTERM"), (Rows{"1", "2"}));
    EXPECT_EQ(f.rows("SELECT COUNT(DISTINCT KEGLER), COUNT(KEGLER), MIN(TERMIN), MAX(NUMMER), AVG(ABSCHNITT) FROM KEGLTERM"),
              (Rows{"5\t9\t1\t9\t1.22222222222222"}));
    // Aggregates over NULLs and over no rows.
    EXPECT_EQ(f.rows("SELECT COUNT(*), COUNT(FUNKTION), SUM(FUNKTION), MIN(GEBURTSTAG) FROM KEGLER"),
              (Rows{"5\t2\t3\t03.04.1950"}));
    EXPECT_EQ(f.rows("SELECT COUNT(*), SUM(BETRAG), AVG(BETRAG), MAX(BETRAG) FROM SPIELKEG WHERE TERMIN = 99"),
              (Rows{"0\tNULL\tNULL\tNULL"}));
    EXPECT_EQ(f.rows("SELECT TERMIN, SUM(BETRAG) FROM SPIELKEG WHERE TERMIN = 99 GROUP BY TERMIN"), Rows{});
    // German order, NULL first; DESC turns both round.
    EXPECT_EQ(f.rows("SELECT NAME FROM KEGLER ORDER BY NAME"), (Rows{"Ärger", "Gast", "Meier", "Müller", "Schulz"}));
    EXPECT_EQ(f.rows("SELECT FUNKTION FROM KEGLER ORDER BY FUNKTION DESC"), (Rows{"2", "1", "NULL", "NULL", "NULL"}));
    EXPECT_EQ(f.rows("SELECT NAME, VORNAME FROM KEGLER WHERE NUMMER < 3 ORDER BY VORNAME"),
              (Rows{"Meier\tHans", "Müller\tKarl"}));
    EXPECT_EQ(f.rows("SELECT UPPER(NAME) N, LOWER(VORNAME), TRIM(' x '), SUBSTRING(NAME FROM 2 FOR 3), "
                     "CAST(NUMMER AS CHAR(3)) FROM KEGLER WHERE NUMMER = 5"),
              (Rows{"ÄRGER\tpaul\tx\trge\t5"}));
    EXPECT_EQ(f.rows("SELECT NUMMER FROM KEGLER WHERE NUMMER IN (2, 4, 9) OR NAME BETWEEN 'A' AND 'F' ORDER BY 1"),
              (Rows{"2", "4", "5"}));
    EXPECT_EQ(f.rows("SELECT k.* FROM FUNKTION k WHERE k.NUMMER = 1"), (Rows{"1\tKassierer"}));
    EXPECT_EQ(f.rows("SELECT DATUM + 1, DATUM - \"1.1.2001\" FROM TERMINE WHERE NUMMER = 1"), (Rows{"13.01.2001\t11"}));
}

TEST_F(Dialect, LikeIgnoresCaseWhereEqualityAndOrderDoNot)
{
    auto kegler = [](int nummer, const char* name) {
        return Record{N(nummer), T(""), T(name), T(""), T(""), L(true), Null(), Null(), Null(), Null()};
    };
    f.append("KEGLER.DBF", {kegler(6, "Hameister"), kegler(7, "Meise"), kegler(8, "Schneider"), kegler(9, "Strauß"),
                            kegler(10, "MÜLLERS")});
    const auto names = [&](const std::string& condition) {
        return f.rows("SELECT NAME FROM KEGLER WHERE " + condition + " ORDER BY NAME");
    };
    EXPECT_EQ(names("NAME LIKE \"%Mei%\""), (Rows{"Hameister", "Meier", "Meise"}));
    EXPECT_EQ(names("NAME LIKE '%mei%'"), (Rows{"Hameister", "Meier", "Meise"}));
    EXPECT_EQ(names("NAME LIKE 'sch%'"), (Rows{"Schneider", "Schulz"}));
    EXPECT_EQ(names("NAME LIKE 'mü%'"), (Rows{"Müller", "MÜLLERS"}));
    EXPECT_EQ(names("NAME LIKE 'MÜ%'"), (Rows{"Müller", "MÜLLERS"}));
    EXPECT_EQ(names("NAME LIKE 'ä%'"), Rows{"Ärger"});
    EXPECT_EQ(names("NAME LIKE '%SS'"), Rows{});
    EXPECT_EQ(names("NAME LIKE '%AUß'"), Rows{"Strauß"});
    EXPECT_EQ(names("NAME LIKE 'm_ller_'"), Rows{"MÜLLERS"});
    EXPECT_EQ(names("NAME NOT LIKE '%E%' AND NAME NOT LIKE '%ß'"), (Rows{"Gast", "Schulz"}));
    EXPECT_EQ(names("UPPER(NAME) LIKE 'müller%'"), (Rows{"Müller", "MÜLLERS"}));
    // = stays exact, and the order still puts lower before upper case among equals.
    EXPECT_EQ(names("NAME = 'müller'"), Rows{});
    EXPECT_EQ(names("NAME = 'Müller' OR NAME = 'MÜLLERS'"), (Rows{"Müller", "MÜLLERS"}));
    EXPECT_EQ(f.rows("SELECT COUNT(*) FROM KEGLER WHERE NAME LIKE 'm%' AND NAME > 'Mi'"), Rows{"2"});
}

TEST_F(Dialect, LikeWithEscapeCharacter)
{
    f.append("FUNKTION.DBF", {{N(3), T("Kegelwart_2")}, {N(4), T("Kegelwart 100%")}, {N(5), T("kegelwartin")}});
    const auto names = [&](const std::string& condition) {
        return f.rows("SELECT BEZEICHNUN FROM FUNKTION WHERE " + condition + " ORDER BY NUMMER");
    };
    EXPECT_EQ(names("BEZEICHNUN LIKE 'kegelwart!_%' ESCAPE '!'"), Rows{"Kegelwart_2"});
    EXPECT_EQ(names("BEZEICHNUN LIKE 'KEGELWART_%'"), (Rows{"Kegelwart_2", "Kegelwart 100%", "kegelwartin"}));
    EXPECT_EQ(names("BEZEICHNUN LIKE '%100!%' ESCAPE '!'"), Rows{"Kegelwart 100%"});
    EXPECT_EQ(names("BEZEICHNUN LIKE '%IN' OR BEZEICHNUN LIKE 'p%'"), (Rows{"Präsident", "kegelwartin"}));
}

TEST_F(Dialect, InsertUpdateCreateDrop)
{
    EXPECT_EQ(f.run("INSERT INTO WERTETAB (NUMMER, BEZEICHNUN, WERT) VALUES (1, 'GESAMTBETRAG', '   45.50'), "
                    "(2, 'WAEHRUNG', 'EUR')")
                  .affected,
              2);
    EXPECT_EQ(f.rows("SELECT WERT FROM WERTETAB WHERE BEZEICHNUN = 'GESAMTBETRAG'"), Rows{"   45.50"});
    EXPECT_EQ(f.run("INSERT INTO AUSWERTU (NAME, NUMMER, SUMME) SELECT NAME, NUMMER, 10 * NUMMER FROM KEGLER "
                    "WHERE MITGLIED = TRUE")
                  .affected,
              4);
    EXPECT_EQ(f.rows("SELECT NAME, SUMME FROM AUSWERTU ORDER BY SUMME DESC"),
              (Rows{"Ärger\t50", "Schulz\t40", "Müller\t20", "Meier\t10"}));
    EXPECT_EQ(f.run("UPDATE AUSWERTU SET SUMME = SUMME + 1, SPIELE = 2.5 WHERE NUMMER > 2").affected, 2);
    EXPECT_EQ(f.rows("SELECT NUMMER, SPIELE, SUMME FROM AUSWERTU ORDER BY NUMMER"),
              (Rows{"1\tNULL\t10", "2\tNULL\t20", "4\t2.5\t41", "5\t2.5\t51"}));
    EXPECT_EQ(f.run("UPDATE TERMINE SET DATUM = '13.1.2001' WHERE NUMMER = 1").affected, 1);
    EXPECT_EQ(f.rows("SELECT DATUM FROM TERMINE WHERE NUMMER = 1"), Rows{"13.01.2001"});

    EXPECT_EQ(f.run("CREATE TABLE \"neu.dbf\" (NUMMER INTEGER, NAME VARCHAR(20), AM DATE, JA BOOLEAN, TEXT BLOB(10,1))")
                  .affected,
              0);
    EXPECT_EQ(f.run("INSERT INTO NEU VALUES (1, 'a', '1.2.2003', 'TRUE', 'Notiz')").affected, 1);
    EXPECT_EQ(f.rows("SELECT * FROM neu"), Rows{"1\ta\t01.02.2003\tT\tNotiz"});
    EXPECT_EQ(f.error("CREATE TABLE NEU.DBF (X INTEGER)"), "Datei 'NEU.DBF' gibt es schon");
    EXPECT_EQ(f.run("DROP TABLE neu").affected, 0);
    EXPECT_EQ(f.error("SELECT * FROM neu"), "Datei 'neu.DBF' nicht gefunden");
}

TEST_F(Dialect, FailingStatementsChangeNothing)
{
    // The second value does not fit the field: no record of the statement is written.
    EXPECT_NE(f.error("INSERT INTO FUNKTION VALUES (10, 'Kegelwart'), (11, '" + std::string(60, 'x') + "')"), "");
    EXPECT_EQ(f.rows("SELECT COUNT(*) FROM FUNKTION"), Rows{"2"});
    EXPECT_NE(f.error("UPDATE AUSWERTU SET NAME = 'x'"), "x"); // empty table: nothing to do
    EXPECT_EQ(f.error("UPDATE KEGLER SET GEBURTSTAG = 'kein Datum' WHERE NUMMER = 1"),
              "'kein Datum' ist kein gültiges Datum für das Feld 'GEBURTSTAG'");
    EXPECT_NE(f.error("UPDATE SONSTYPE SET GUELTIG = NUMMER * 100"), ""); // 100 is too wide for N(2)
    EXPECT_EQ(f.rows("SELECT GUELTIG FROM SONSTYPE"), (Rows{"1", "2", "1", "2", "1"}));
    EXPECT_EQ(f.rows("SELECT DATUM FROM TERMINE WHERE NUMMER = 1"), Rows{"12.01.2001"});
}

TEST_F(Dialect, StatementsBelongToTheSessionsTransaction)
{
    Session& s = f.db.session("Terminsession1");
    s.startTransaction();
    EXPECT_EQ(sql::execute(f.db, s, "DELETE FROM SPIELKEG WHERE TERMIN = 1", f.folder).affected, 7);
    EXPECT_EQ(f.rows("SELECT COUNT(*) FROM SPIELKEG"), Rows{"2"}); // other sessions read uncommitted rows
    s.rollback();
    EXPECT_EQ(f.rows("SELECT COUNT(*) FROM SPIELKEG"), Rows{"9"});
    s.startTransaction();
    sql::execute(f.db, s, "DELETE FROM SPIELKEG WHERE TERMIN = 2", f.folder);
    s.commit();
    EXPECT_EQ(f.rows("SELECT COUNT(*) FROM SPIELKEG"), Rows{"7"});
}

TEST_F(Dialect, ErrorsSayWhatAndWhere)
{
    EXPECT_EQ(f.error("SELECT NAME\nFROM KEGLER\nWHERE NUMMR = 1"), "Unbekannte Spalte 'NUMMR' in Zeile 3");
    EXPECT_EQ(f.error("SELECT NUMMER\nFORM\n\"KEGLER.DBF\""), "Syntaxfehler in Zeile 2 bei 'FORM'");
    EXPECT_EQ(f.error("SELECT NAME FROM KEGLER WHERE"), "Syntaxfehler in Zeile 1 am Ende des Textes");
    EXPECT_EQ(f.error("SELECT NAME FROM \"X.DBF\""), "Datei 'X.DBF' nicht gefunden");
    EXPECT_EQ(f.error("SELECT x.NAME FROM KEGLER k"), "Unbekannte Tabelle 'x' in Zeile 1");
    EXPECT_EQ(f.error("SELECT k.NAMEN FROM KEGLER k"), "Unbekannte Spalte 'k.NAMEN' in Zeile 1");
    EXPECT_EQ(f.error("SELECT NAME FROM KEGLER WHERE COUNT(*) > 1"),
              "Aggregatfunktion COUNT ist hier nicht erlaubt in Zeile 1");
    EXPECT_EQ(f.error("SELECT NAME FROM KEGLER ORDER BY 3"), "Ungültige Spaltennummer 3 in ORDER BY (Zeile 1)");
    EXPECT_EQ(f.error("SELECT NAME FROM KEGLER, KEGLER"), "Der Tabellenname 'KEGLER' kommt mehrfach vor (Zeile 1)");
    EXPECT_EQ(f.error("SELECT FOO(NAME) FROM KEGLER"), "Typfehler in Zeile 1: unbekannte Funktion 'FOO'");
    EXPECT_EQ(f.error("SELECT NAME FROM KEGLER WHERE GEBURTSTAG = TRUE"),
              "Typfehler in Zeile 1: Datum und Wahrheitswert lassen sich nicht vergleichen");
    EXPECT_EQ(f.error("SELECT NAME FROM KEGLER WHERE NAME"), "Typfehler in Zeile 1: Text ist keine Bedingung");
    EXPECT_EQ(f.error("SELECT SUM(NAME) FROM KEGLER"), "");       // texts that are numbers are summed
    EXPECT_EQ(f.error("SELECT SUM(GEBURTSTAG) FROM KEGLER"), "Typfehler in Zeile 1: Zahl erwartet, nicht Datum");
    EXPECT_EQ(f.error("INSERT INTO FUNKTION VALUES (1)"),
              "Anzahl der Werte (1) passt nicht zur Anzahl der Spalten (2) in Zeile 1");
    EXPECT_EQ(f.error("UPDATE FUNKTION SET NAMEN = 'x'"), "Unbekannte Spalte 'NAMEN' in Zeile 1");
    EXPECT_EQ(f.error("ALTER TABLE FUNKTION ADD ZU_LANGER_NAME INTEGER"),
              "Ungültiger Feldname 'ZU_LANGER_NAME' (höchstens 10 Buchstaben, Ziffern oder _) in Zeile 1");
    EXPECT_EQ(f.error("ALTER TABLE FUNKTION ADD X CHAR(300)"), "Ungültige Feldlänge 300 in Zeile 1");
    EXPECT_EQ(f.error("SELECT 'abc FROM KEGLER"), "Nicht abgeschlossene Zeichenkette 'abc FROM KEGLER in Zeile 1");
    EXPECT_EQ(f.error("SELECT NAME FROM KEGLER; SELECT 1"), "Syntaxfehler in Zeile 1 bei 'SELECT'");
    EXPECT_EQ(f.error("SELECT NAME FROM KEGLER WHERE NAME = 'a' @"), "Syntaxfehler in Zeile 1 bei '@'");
}

TEST_F(Dialect, ExplainShowsLookupsPushedThroughJoins)
{
    const auto r = f.run("EXPLAIN SELECT s.BETRAG FROM TERMINE t, KEGLTERM k, SPIELKEG s WHERE t.NUMMER = 2 AND "
                         "t.NUMMER = k.TERMIN AND s.KEGLERNR = k.NUMMER");
    EXPECT_EQ(r.columns.size(), 1u);
    EXPECT_NE(r.plan.find("Hash-Index"), std::string::npos);
    // The evening's number reaches the participant rows: k.TERMIN = 2 is derived.
    EXPECT_NE(r.plan.find("k.TERMIN = 2"), std::string::npos) << r.plan;
    EXPECT_EQ(r.rows.size(), static_cast<size_t>(std::count(r.plan.begin(), r.plan.end(), '\n')));
}
