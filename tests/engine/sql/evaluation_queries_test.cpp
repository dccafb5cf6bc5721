// The queries of the evening evaluation, the period evaluation and the ranking, built
// exactly as the evaluation window builds them, over the fixture club (club.cpp).
#include "club.h"

#include <gtest/gtest.h>

using namespace trevo::engine;
using namespace trevo::engine::sqltest;
using Rows = std::vector<std::string>;

namespace {

class EvaluationQueries : public ::testing::Test {
protected:
    void SetUp() override { buildClub(f); }

    std::string q1(int n) { return lines({"SELECT KEGLER", "FROM", q(f, "KEGLTERM.DBF"), "WHERE", "TERMIN=" + std::to_string(n), "GROUP BY KEGLER"}); }

    std::string q2(int n, int b, int s)
    {
        std::string t = lines({"SELECT KEGLER", "FROM", q(f, "KEGLTERM.DBF"), "WHERE", "TERMIN=" + std::to_string(n), "AND",
                               "KEGLER=" + std::to_string(b)});
        if (s > 0) t += "\r\n" + lines({"AND", "ABSCHNITT=" + std::to_string(s)});
        return t + "\r\nGROUP BY KEGLER";
    }

    std::string q3(int n)
    {
        return lines({"SELECT DISTINCT COUNT(KEGLER)ANZAHL, ABSCHNITT", "FROM", q(f, "KEGLTERM.DBF"), "WHERE",
                      "TERMIN=" + std::to_string(n), "GROUP BY ABSCHNITT", "ORDER BY ABSCHNITT"});
    }

    std::string q4(int n)
    {
        return lines({"SELECT \"SPIELKEGXDBF\".\"ABSCHNITT\"ABSCHNITT,SUM(\"SPIELKEGXDBF\".\"BETRAG\")SUMME", "FROM",
                      q(f, "TERMINE.DBF") + "TerminXDBF,", q(f, "KEGLTERM.DBF") + "KeglTermXDBF,",
                      q(f, "SPIELKEG.DBF") + "SPIELKEGXDBF", "WHERE", "\"TERMINXDBF\".\"NUMMER\"=" + std::to_string(n), "AND",
                      "\"TERMINXDBF\".\"NUMMER\"=\"KEGLTERMXDBF\".\"TERMIN\"", "AND",
                      "\"SPIELKEGXDBF\".\"KEGLERNR\"=\"KEGLTERMXDBF\".\"NUMMER\"", "GROUP BY \"SPIELKEGXDBF\".\"ABSCHNITT\""});
    }

    std::string q5(int n)
    {
        return lines({"SELECT \"SONSTIGEKEGXDBF\".\"ABSCHNITT\"ABSCHNITT,SUM(\"SONSTIGEKEGXDBF\".\"ANZAHL\")SUMME,",
                      "SUM(\"SONSTIGEKEGXDBF\".\"ANZAHL\"*\"SONSTIGEXDBF\".\"EINZELPREI\")GESBETRAG", "FROM",
                      q(f, "TERMINE.DBF") + "TerminXDBF,", q(f, "KEGLTERM.DBF") + "KeglTermXDBF,",
                      q(f, "SONSTKEG.DBF") + "SONSTIGEKEGXDBF,", q(f, "SONSTYPE.DBF") + "SONSTIGEXDBF", "WHERE",
                      "\"TERMINXDBF\".\"NUMMER\"=" + std::to_string(n), "AND",
                      "\"TERMINXDBF\".\"NUMMER\"=\"KEGLTERMXDBF\".\"TERMIN\"", "AND",
                      "((\"SONSTIGEKEGXDBF\".\"KEGLERNR\"=\"KEGLTERMXDBF\".\"NUMMER\"", "AND", "\"SONSTIGEXDBF\".\"GUELTIG\"=1)",
                      "OR", "(\"SONSTIGEKEGXDBF\".\"KEGLERNR\"<>\"KEGLTERMXDBF\".\"NUMMER\"", "AND",
                      "\"SONSTIGEKEGXDBF\".\"TERMIN\"=\"TERMINXDBF\".\"NUMMER\"", "AND", "\"SONSTIGEXDBF\".\"GUELTIG\"=2))",
                      "AND", "\"SONSTIGEKEGXDBF\".\"TYP\"=\"SONSTIGEXDBF\".\"NUMMER\"", "AND",
                      "\"TERMINXDBF\".\"PREISLISTE\"=\"SONSTIGEXDBF\".\"PREISLISTE\"", "AND",
                      "\"SONSTIGEXDBF\".\"MITTELWERT\"=TRUE", "GROUP BY \"SONSTIGEKEGXDBF\".\"ABSCHNITT\""});
    }

    std::string q6(int n, int b)
    {
        return lines({"SELECT \"SPIELKEGXDBF\".\"KEGLERNR\"KEGLER,SUM(\"SPIELKEGXDBF\".\"BETRAG\")SUMME", "FROM",
                      q(f, "TERMINE.DBF") + "TerminXDBF,", q(f, "KEGLTERM.DBF") + "KeglTermXDBF,",
                      q(f, "SPIELKEG.DBF") + "SPIELKEGXDBF", "WHERE", "\"TERMINXDBF\".\"NUMMER\"=" + std::to_string(n), "AND",
                      "\"TERMINXDBF\".\"NUMMER\"=\"KEGLTERMXDBF\".\"TERMIN\"", "AND",
                      "\"SPIELKEGXDBF\".\"KEGLERNR\"=\"KEGLTERMXDBF\".\"NUMMER\"", "AND",
                      "\"KEGLTERMXDBF\".\"KEGLER\"=" + std::to_string(b), "GROUP BY \"SPIELKEGXDBF\".\"KEGLERNR\""});
    }

    std::string q7(int n, int b)
    {
        const std::string bs = std::to_string(b);
        return lines({"SELECT \"TerminXDBF\".\"NUMMER\",SUM(\"SONSTKEGXDBF\".\"ANZAHL\"*\"SONSTIGEXDBF\".\"EINZELPREI\")SUMME",
                      "FROM", q(f, "TERMINE.DBF") + "TerminXDBF,", q(f, "KEGLTERM.DBF") + "KeglTermXDBF,",
                      q(f, "SONSTKEG.DBF") + "SonstKegXDBF,", q(f, "SONSTYPE.DBF") + "SONSTIGEXDBF", "WHERE",
                      "\"TERMINXDBF\".\"NUMMER\"=" + std::to_string(n), "AND",
                      "\"TERMINXDBF\".\"NUMMER\"=\"KEGLTERMXDBF\".\"TERMIN\"", "AND", "((\"KEGLTERMXDBF\".\"KEGLER\"=" + bs,
                      "AND", "\"SONSTKEGXDBF\".\"KEGLERNR\"=\"KEGLTERMXDBF\".\"NUMMER\"", "AND",
                      "\"SONSTIGEXDBF\".\"GUELTIG\"=1)", "OR", "(\"KEGLTERMXDBF\".\"KEGLER\"<>" + bs, "AND",
                      "\"SONSTKEGXDBF\".\"KEGLERNR\"=\"KEGLTERMXDBF\".\"NUMMER\"", "AND", "\"SONSTIGEXDBF\".\"GUELTIG\"=2))",
                      "AND", "\"SONSTKEGXDBF\".\"TYP\"=\"SONSTIGEXDBF\".\"NUMMER\"", "AND",
                      "\"TERMINXDBF\".\"PREISLISTE\"=\"SONSTIGEXDBF\".\"PREISLISTE\"", "GROUP BY \"TerminXDBF\".\"NUMMER\""});
    }

    std::string q8(const std::string& from, const std::string& to)
    {
        return lines({"SELECT NUMMER,DATUM,PREISLISTE,BEITRAG", "FROM", q(f, "TERMINE.DBF") + "TerminXDBF", "WHERE",
                      "DATUM>=\"" + from + "\" AND DATUM<=\"" + to + "\"", "ORDER BY \"TerminXDBF\".\"DATUM\""});
    }

    std::string q9(const std::string& from, const std::string& to, int t)
    {
        return lines({"SELECT SUM(\"SONSTIGEKEGXDBF\".\"ANZAHL\")SUMME,", "\"KEGLTERMXDBF\".\"KEGLER\",\"KEGLERXDBF\".\"NAME\"",
                      "FROM", q(f, "TERMINE.DBF") + "TerminXDBF,", q(f, "KEGLTERM.DBF") + "KeglTermXDBF,",
                      q(f, "SONSTKEG.DBF") + "SONSTIGEKEGXDBF,", q(f, "KEGLER.DBF") + "KEGLERXDBF", "WHERE",
                      "\"TerminXDBF\".\"DATUM\">=\"" + from + "\" AND \"TerminXDBF\".\"DATUM\"<=\"" + to + "\"", "AND",
                      "\"TERMINXDBF\".\"NUMMER\"=\"KEGLTERMXDBF\".\"TERMIN\"", "AND",
                      "\"SONSTIGEKEGXDBF\".\"KEGLERNR\"=\"KEGLTERMXDBF\".\"NUMMER\"", "AND",
                      "\"SONSTIGEKEGXDBF\".\"TYP\"=" + std::to_string(t), "AND",
                      "\"KEGLERXDBF\".\"NUMMER\"=\"KEGLTERMXDBF\".\"KEGLER\"",
                      "GROUP BY \"KEGLTERMXDBF\".\"KEGLER\",\"KEGLERXDBF\".\"NAME\"", "ORDER BY SUMME DESC"});
    }

    std::vector<std::string> columns(const std::string& text)
    {
        std::vector<std::string> names;
        for (const auto& c : f.run(text).columns) names.push_back(c.name);
        return names;
    }

    SqlFixture f;
};

} // namespace

TEST_F(EvaluationQueries, ParticipantsAndSections)
{
    EXPECT_EQ(f.rows(q1(1)), (Rows{"1", "2", "3", "5"}));
    EXPECT_EQ(f.rows(q1(3)), (Rows{"2"}));
    EXPECT_EQ(f.rows(q1(99)), Rows{});
    EXPECT_EQ(f.rows(q2(1, 1, 2)), (Rows{"1"}));
    EXPECT_EQ(f.rows(q2(1, 5, 2)), Rows{}); // Ärger played section 1 only
    EXPECT_EQ(f.rows(q2(1, 4, 0)), Rows{}); // Schulz missed the evening
    EXPECT_EQ(f.rows(q2(2, 4, 0)), (Rows{"4"}));
    // Participant rows per section: a bowler counts once in every section he played.
    EXPECT_EQ(columns(q3(1)), (std::vector<std::string>{"ANZAHL", "ABSCHNITT"}));
    EXPECT_EQ(f.rows(q3(1)), (Rows{"4\t1", "2\t2"}));
    EXPECT_EQ(f.rows(q3(3)), (Rows{"1\t1"}));
    EXPECT_EQ(f.rows(q3(99)), Rows{});
}

TEST_F(EvaluationQueries, GameAmountsPerSectionAndBowler)
{
    EXPECT_EQ(columns(q4(1)), (std::vector<std::string>{"ABSCHNITT", "SUMME"}));
    EXPECT_EQ(f.rows(q4(1)), (Rows{"1\t7.5", "2\t4"}));
    EXPECT_EQ(f.rows(q4(2)), (Rows{"1\t3"}));
    EXPECT_EQ(f.rows(q4(3)), Rows{}); // an evening whose sections have no game rows
    // One row per participant row of the bowler.
    EXPECT_EQ(columns(q6(1, 1)), (std::vector<std::string>{"KEGLER", "SUMME"}));
    EXPECT_EQ(f.rows(q6(1, 1)), (Rows{"1\t3.5", "5\t3"}));
    EXPECT_EQ(f.rows(q6(1, 3)), (Rows{"3\t0.5"}));
    EXPECT_EQ(f.rows(q6(1, 4)), Rows{});
}

TEST_F(EvaluationQueries, ItemAveragesCountPaidByOthersOncePerOtherParticipantRow)
{
    // Section 1: Bier x2 of row 1 (own, 3.00) and Pudel x2 of row 2 joined with the five
    // other participant rows of the evening (5 x 2 pieces, 5 x 1.00). Kranz and Runde are
    // not averaged; item 5 belongs to another price list. Section 2: Bier x1 of row 5.
    EXPECT_EQ(columns(q5(1)), (std::vector<std::string>{"ABSCHNITT", "SUMME", "GESBETRAG"}));
    EXPECT_EQ(f.rows(q5(1)), (Rows{"1\t12\t8", "2\t1\t1.5"}));
    // Evening 2: Pudel x4 of row 7 counted for row 8, Pudel x2 of row 8 counted for row 7.
    EXPECT_EQ(f.rows(q5(2)), (Rows{"1\t6\t3"}));
    EXPECT_EQ(f.rows(q5(3)), Rows{});
}

TEST_F(EvaluationQueries, ItemAmountOfOneBowler)
{
    // Meier: own Bier 3.00 + 1.50, plus Pudel of Müller 1.00 and Runde of Müller 1.00.
    EXPECT_EQ(columns(q7(1, 1)), (std::vector<std::string>{"NUMMER", "SUMME"}));
    EXPECT_EQ(f.rows(q7(1, 1)), (Rows{"1\t6.5"}));
    // Müller took only items paid by the others and pays none of his own: no row.
    EXPECT_EQ(f.rows(q7(1, 2)), Rows{});
    // The guest: own Kranz 2.00 (not averaged, still his) plus Pudel and Runde 1.00 each.
    EXPECT_EQ(f.rows(q7(1, 3)), (Rows{"1\t4"}));
    // Ärger's item of price list 2 is not part of the evening; he pays the others' items.
    EXPECT_EQ(f.rows(q7(1, 5)), (Rows{"1\t2"}));
    EXPECT_EQ(f.rows(q7(2, 1)), (Rows{"2\t1"}));
}

TEST_F(EvaluationQueries, EveningsOfAPeriodOldestFirst)
{
    EXPECT_EQ(f.rows(q8("01.01.2001", "28.02.2001")), (Rows{"1\t12.01.2001\t1\t5", "2\t09.02.2001\t1\t5"}));
    EXPECT_EQ(f.rows(q8("1.2.01", "31.12.01")), (Rows{"2\t09.02.2001\t1\t5", "3\t10.03.2001\t1\t5"}));
    EXPECT_EQ(f.rows(q8("01.01.2002", "31.12.2002")), Rows{});
    // An empty end date compares as NULL: no evening.
    EXPECT_EQ(f.rows(q8("01.01.2001", "")), Rows{});
    EXPECT_NE(f.error(q8("31.02.2001", "01.03.2001")).find("'31.02.2001' ist kein gültiges Datum"), std::string::npos);
}

TEST_F(EvaluationQueries, RankingByItemHighestFirst)
{
    EXPECT_EQ(f.rows(q9("01.01.2001", "31.12.2001", 2)), (Rows{"4\t1\tMeier", "2\t2\tMüller", "2\t4\tSchulz"}));
    EXPECT_EQ(f.rows(q9("01.01.2001", "31.01.2001", 2)), (Rows{"2\t2\tMüller"}));
    EXPECT_EQ(f.rows(q9("01.01.2001", "31.12.2001", 1)), (Rows{"3\t1\tMeier"}));
    EXPECT_EQ(f.rows(q9("01.01.2001", "31.12.2001", 9)), Rows{});
}

TEST_F(EvaluationQueries, StatementsRunAgainWithOtherNumbersAfterChanges)
{
    // The same texts with other numbers reuse their prepared form; changes of the
    // tables in between must be seen.
    EXPECT_EQ(f.rows(q4(1)), (Rows{"1\t7.5", "2\t4"}));
    f.append("SPIELKEG.DBF", {{N(10), N(9), N(1), N(1), N(4.25), N(3)}});
    EXPECT_EQ(f.rows(q4(3)), (Rows{"1\t4.25"}));
    EXPECT_EQ(f.run(lines({"DELETE FROM", q(f, "SPIELKEG.DBF"), "WHERE", "TERMIN=1", "AND", "Abschnitt=2"})).affected, 2);
    EXPECT_EQ(f.rows(q4(1)), (Rows{"1\t7.5"}));
    EXPECT_EQ(f.rows(q6(1, 1)), (Rows{"1\t3.5"}));
    EXPECT_EQ(f.rows(q7(1, 3)), (Rows{"1\t4"}));
}
