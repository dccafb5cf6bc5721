// The period evaluation of one bowler and the ranking by an item, worked out by hand.
#include "auswertung_fixture.h"

namespace trevo::evaluation::test {
namespace {

using ::testing::ElementsAre;

// Three January evenings with a fee of 5.00, made out of date order. Adler plays 2.00 on
// the 9th and 1.20 on the 23rd and misses the 16th, where Bauer alone plays 3.00.
class DreiAbende : public Auswertungstest {
protected:
    void SetUp() override
    {
        adler = club.kegler("Adler", "11");
        bauer = club.kegler("Bauer", "12");
        christ = club.kegler("Christ", "13");
        pudel = club.posten(1, "Pudel", 20, false);
        const int t23 = club.termin(tag(2024, 1, 23), 1, 500);
        const int t9 = club.termin(tag(2024, 1, 9), 1, 500);
        const int t16 = club.termin(tag(2024, 1, 16), 1, 500);
        club.spiel(t9, club.teilnahme(t9, adler, 1), 1, 200);
        const int b9 = club.teilnahme(t9, bauer, 1);
        club.spiel(t9, b9, 1, 400);
        const int b16 = club.teilnahme(t16, bauer, 1);
        club.spiel(t16, b16, 1, 300);
        const int a23 = club.teilnahme(t23, adler, 1);
        club.spiel(t23, a23, 1, 120);
        const int c23 = club.teilnahme(t23, christ, 1);
        club.spiel(t23, c23, 1, 200);
        // Pudel: Adler 3, Bauer 2 + 1, Christ 4; Christ's 10 in February lie outside January.
        club.stueck(t23, a23, 1, pudel, 3);
        club.stueck(t9, b9, 1, pudel, 2);
        club.stueck(t16, b16, 1, pudel, 1);
        club.stueck(t23, c23, 1, pudel, 4);
        const int feb = club.termin(tag(2024, 2, 6), 1, 500);
        club.stueck(feb, club.teilnahme(feb, christ, 1), 1, pudel, 10);
    }
    int adler = 0, bauer = 0, christ = 0, pudel = 0;
};

TEST_F(DreiAbende, OneRowPerEveningInDateOrderTheMissedOneWithoutTheFee)
{
    Zeitraumergebnis e;
    auswertung()->AuswertungZeitraum("1.1.2024", "31.1.2024", 11, e);
    EXPECT_THAT(zeilen(), ElementsAre("Adler|11|2.00|0.00|5.00|7.00", "Adler|11|3.00|0.00|5.00|3.00",
                                      "Adler|11|1.20|0.60|5.00|6.80"));
    EXPECT_TRUE(e.fertig);
    EXPECT_EQ(e.name, "Adler");
    EXPECT_EQ(e.kegler, adler);
    EXPECT_EQ(e.gesamtbetrag, 1680);
    EXPECT_THAT(wertSchluessel(), ElementsAre("Gesamtbetrag", "WAEHRUNG"));
    EXPECT_EQ(werte()["Gesamtbetrag"], "16.8");
    EXPECT_EQ(werte()["WAEHRUNG"], "EUR");
}

TEST_F(DreiAbende, AMemberNumberOfNobodyIsChargedTheAveragesUnderAnEmptyName)
{
    optionen.zahlweise = 3;
    Zeitraumergebnis e;
    auswertung()->AuswertungZeitraum("1.1.2024", "31.1.2024", 99, e);
    EXPECT_THAT(zeilen(), ElementsAre("|99|3.00|0.00||3.00", "|99|3.00|0.00||3.00", "|99|1.60|0.00||1.60"));
    EXPECT_EQ(e.kegler, 0);
    EXPECT_EQ(werte()["Gesamtbetrag"], "7.6");
}

TEST_F(DreiAbende, APeriodWithoutEveningsComputesNothing)
{
    Zeitraumergebnis e;
    auswertung()->AuswertungZeitraum("1.1.2024", "31.1.2024", 11, e);
    EXPECT_THROW(auswertung()->AuswertungZeitraum("1.1.2030", "2.1.2030", 11, e), KeineTermine);
    EXPECT_FALSE(e.begonnen);
    EXPECT_TRUE(zeilen().empty());
    EXPECT_TRUE(werte().empty());
}

TEST_F(DreiAbende, TheRankingCountsTheItemInThePeriodHighestFirstEqualCountsByBowler)
{
    Rangergebnis e;
    auswertung()->AuswertungRangfolge("1.1.2024", "31.1.2024", pudel, e);
    EXPECT_THAT(zeilen(), ElementsAre("Christ|" + std::to_string(christ) + "||||4.00",
                                      "Adler|" + std::to_string(adler) + "||||3.00",
                                      "Bauer|" + std::to_string(bauer) + "||||3.00"));
    EXPECT_EQ(e.bezeichnung, "Pudel");
    EXPECT_TRUE(werte().empty());
    auswertung()->AuswertungRangfolge("1.1.1900", "1.1.2100", pudel, e);
    EXPECT_EQ(zeilen().front(), "Christ|" + std::to_string(christ) + "||||14.00");
}

TEST_F(DreiAbende, ARankingWithoutRowsEndsWithItsError)
{
    const int bier = club.posten(1, "Bier", 180, true);
    Rangergebnis e;
    try {
        auswertung()->AuswertungRangfolge("1.1.2024", "31.1.2024", bier, e);
        FAIL() << "no error";
    } catch (const engine::EngineError& f) {
        EXPECT_STREQ(f.what(), "Keine Daten gefunden");
    }
    EXPECT_EQ(e.bezeichnung, "Bier");
    EXPECT_TRUE(zeilen().empty());
}

// A single evening in marks labels the total with the mark's abbreviation.
TEST_F(Auswertungstest, APeriodOfOneEveningTakesItsCurrency)
{
    const int mark = club.waehrung("Deutsche Mark", "DM", 1.95583);
    const int liste = club.preisliste(mark);
    const int a = club.kegler("Adler", "1");
    club.termin(tag(2001, 5, 8), 1, 0);
    const int t = club.termin(tag(2001, 6, 12), liste, 300);
    club.spiel(t, club.teilnahme(t, a, 1), 1, 455);
    Zeitraumergebnis e;
    auswertung()->AuswertungZeitraum("1.6.2001", "30.6.2001", 1, e);
    EXPECT_THAT(zeilen(), ElementsAre("Adler|1|4.55|0.00|3.00|7.55"));
    EXPECT_EQ(werte()["WAEHRUNG"], "DM");
    EXPECT_EQ(werte()["Gesamtbetrag"], "7.6");
}

} // namespace
} // namespace trevo::evaluation::test
