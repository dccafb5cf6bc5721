// The evening evaluation on small evenings whose amounts are worked out by hand.
#include "auswertung_fixture.h"

namespace trevo::evaluation::test {
namespace {

using ::testing::ElementsAre;

// One section, fee 5.00: Adler plays 3.50 and takes two pieces at 1.00 (averaged, paid
// by himself); Bauer plays 1.50. Section averages: games 5.00 / 2 = 2.50, items 2.00 / 2
// = 1.00. Christ is an absent member, Dorn an absent guest.
class EinAbschnitt : public Auswertungstest {
protected:
    void SetUp() override
    {
        const int adler = club.kegler("Adler", "1"), bauer = club.kegler("Bauer", "2");
        club.kegler("Christ", "3");
        club.kegler("Dorn", "4", false);
        const int bier = club.posten(1, "Bier", 100, true);
        termin = club.termin(tag(2024, 3, 5), 1, 500);
        const int a = club.teilnahme(termin, adler, 1), b = club.teilnahme(termin, bauer, 1);
        club.spiel(termin, a, 1, 200);
        club.spiel(termin, a, 1, 150);
        club.stueck(termin, a, 1, bier, 2);
        club.spiel(termin, b, 1, 150);
    }
    int termin = 0;
};

TEST_F(EinAbschnitt, PerEveningFeeChargesEveryRowAndTheTotalGoesToTheValueTable)
{
    Terminergebnis e;
    auswertung()->AuswertungTermin(std::to_string(termin), e);
    EXPECT_THAT(zeilen(), ElementsAre("Adler|1|3.50|2.00|5.00|10.50", "Bauer|2|1.50|0.00|5.00|6.50",
                                      "Christ|3|2.50|1.00|5.00|8.50"));
    EXPECT_TRUE(e.fertig);
    EXPECT_EQ(e.gesamtbetrag, 2550);
    EXPECT_EQ(e.datum, "05.03.2024");
    EXPECT_EQ(e.kuerzel, "EUR");
    EXPECT_EQ(e.waehrung, 1);
    EXPECT_THAT(wertSchluessel(), ElementsAre("GESAMTBETRAG", "WAEHRUNG", "DATUM"));
    EXPECT_EQ(werte()["GESAMTBETRAG"], "   25.50");
    EXPECT_EQ(werte()["WAEHRUNG"], "EUR");
    EXPECT_EQ(werte()["DATUM"], "05.03.2024");
}

TEST_F(EinAbschnitt, MonthlyPaymentLeavesTheFeeOut)
{
    optionen.zahlweise = 2;
    Terminergebnis e;
    auswertung()->AuswertungTermin(std::to_string(termin), e);
    EXPECT_THAT(zeilen(), ElementsAre("Adler|1|3.50|2.00||5.50", "Bauer|2|1.50|0.00||1.50", "Christ|3|2.50|1.00||3.50"));
    EXPECT_EQ(werte()["GESAMTBETRAG"], "   10.50");
}

TEST_F(EinAbschnitt, ANewEvaluationReplacesTheRowsOfThePreviousOne)
{
    Terminergebnis e;
    auswertung()->AuswertungTermin(std::to_string(termin), e);
    auswertung()->AuswertungTermin(std::to_string(termin), e);
    EXPECT_EQ(zeilen().size(), 3u);
    EXPECT_EQ(wertSchluessel().size(), 3u);
}

TEST_F(EinAbschnitt, AMemberNumberThatIsNoNumberEndsTheEvaluationKeepingTheRowsBefore)
{
    club.kegler("Ernst", "x7");
    club.kegler("Fink", "");
    Terminergebnis e;
    try {
        auswertung()->AuswertungTermin(std::to_string(termin), e);
        FAIL() << "no error";
    } catch (const engine::EngineError& f) {
        EXPECT_STREQ(f.what(), "'x7' ist kein gültiger Fließkommawert für Feld 'Mitgliedsnummer'");
    }
    EXPECT_FALSE(e.fertig);
    EXPECT_EQ(zeilen().size(), 3u);
    EXPECT_TRUE(wertSchluessel().empty());
}

TEST_F(EinAbschnitt, AnEmptyMemberNumberGivesAnEmptyNumber)
{
    club.kegler("Fink", "");
    Terminergebnis e;
    auswertung()->AuswertungTermin(std::to_string(termin), e);
    EXPECT_EQ(zeilen().back(), "Fink||2.50|1.00|5.00|8.50");
}

TEST_F(EinAbschnitt, AnEveningThatDoesNotExistIsRefused)
{
    Terminergebnis e;
    EXPECT_THROW(auswertung()->AuswertungTermin("99", e), engine::EngineError);
    EXPECT_THROW(auswertung()->AuswertungTermin("abc", e), engine::EngineError);
    EXPECT_TRUE(zeilen().empty());
}

// Two sections: Adler plays both, Bauer only the first. Section 1: 4.00 + 2.00 over two
// rows = 3.00; section 2: 2.20 alone = 2.20. Bauer pays his own 2.00 and section 2's 2.20.
TEST_F(Auswertungstest, AMissedSectionIsChargedWithItsAverage)
{
    const int adler = club.kegler("Adler", "1"), bauer = club.kegler("Bauer", "2");
    club.kegler("Christ", "3");
    const int t = club.termin(tag(2024, 4, 2), 1, 0);
    club.spiel(t, club.teilnahme(t, adler, 1), 1, 400);
    club.spiel(t, club.teilnahme(t, bauer, 1), 1, 200);
    club.spiel(t, club.teilnahme(t, adler, 2), 2, 220);
    Terminergebnis e;
    auswertung()->AuswertungTermin(std::to_string(t), e);
    EXPECT_THAT(zeilen(), ElementsAre("Adler|1|6.20|0.00|0.00|6.20", "Bauer|2|4.20|0.00|0.00|4.20",
                                      "Christ|3|5.20|0.00|0.00|5.20"));
}

// 7.00 in a section of three: 2.40 with both rounding options on, 2.33 with both off.
TEST_F(Auswertungstest, TheAverageOfSevenAmongThreeFollowsTheRoundingOptions)
{
    const int a = club.kegler("Adler", "1"), b = club.kegler("Bauer", "2"), c = club.kegler("Christ", "3");
    club.kegler("Dorn", "4");
    const int t = club.termin(tag(2024, 4, 9), 1, 0);
    club.spiel(t, club.teilnahme(t, a, 1), 1, 300);
    club.spiel(t, club.teilnahme(t, b, 1), 1, 300);
    club.spiel(t, club.teilnahme(t, c, 1), 1, 100);
    Terminergebnis e;
    auswertung()->AuswertungTermin(std::to_string(t), e);
    EXPECT_EQ(zeilen().back(), "Dorn|4|2.40|0.00|0.00|2.40");
    EXPECT_EQ(werte()["GESAMTBETRAG"], "    9.40");
    optionen.rundung = {false, false};
    auswertung()->AuswertungTermin(std::to_string(t), e);
    EXPECT_EQ(zeilen().back(), "Dorn|4|2.33|0.00|0.00|2.33");
    EXPECT_EQ(werte()["GESAMTBETRAG"], "    9.33");
}

// Four in one section; Adler takes two pieces at 0.50 of an item all others pay. Each of
// the three others pays 1.00; flagged for the average, the item counts once per other
// participant row: 3.00 / 4 = 0.75, raised to 0.80 for the absent member.
class VonAllenBezahlt : public Auswertungstest {
protected:
    void aufbauen(bool mittelwert)
    {
        int k[4];
        const char* namen[] = {"Adler", "Bauer", "Christ", "Dorn"};
        for (int i = 0; i < 4; ++i) k[i] = club.kegler(namen[i], std::to_string(i + 1));
        club.kegler("Ernst", "5");
        const int runde = club.posten(1, "Runde", 50, mittelwert, 2);
        termin = club.termin(tag(2024, 5, 7), 1, 0);
        for (int i = 0; i < 4; ++i) {
            const int z = club.teilnahme(termin, k[i], 1);
            if (i == 0) club.stueck(termin, z, 1, runde, 2);
        }
    }
    int termin = 0;
};

TEST_F(VonAllenBezahlt, EveryOtherParticipantPaysAndTheAverageCountsEachOtherRow)
{
    aufbauen(true);
    Terminergebnis e;
    auswertung()->AuswertungTermin(std::to_string(termin), e);
    EXPECT_THAT(zeilen(), ElementsAre("Adler|1|0.00|0.00|0.00|0.00", "Bauer|2|0.00|1.00|0.00|1.00",
                                      "Christ|3|0.00|1.00|0.00|1.00", "Dorn|4|0.00|1.00|0.00|1.00",
                                      "Ernst|5|0.00|0.80|0.00|0.80"));
}

TEST_F(VonAllenBezahlt, WithoutTheAverageFlagTheAbsentMemberPaysNothingForIt)
{
    aufbauen(false);
    Terminergebnis e;
    auswertung()->AuswertungTermin(std::to_string(termin), e);
    EXPECT_EQ(zeilen()[1], "Bauer|2|0.00|1.00|0.00|1.00");
    EXPECT_EQ(zeilen().back(), "Ernst|5|0.00|0.00|0.00|0.00");
}

// An item of another price list than the evening's does not count, nor one whose
// average flag is off for the absent members.
TEST_F(Auswertungstest, OnlyItemsOfTheEveningsPriceListCount)
{
    const int a = club.kegler("Adler", "1");
    club.kegler("Bauer", "2");
    const int andere = club.preisliste(1);
    const int fremd = club.posten(andere, "Fremd", 300, true);
    const int pudel = club.posten(1, "Pudel", 20, false);
    const int t = club.termin(tag(2024, 6, 4), 1, 0);
    const int z = club.teilnahme(t, a, 1);
    club.stueck(t, z, 1, fremd, 1);
    club.stueck(t, z, 1, pudel, 3);
    Terminergebnis e;
    auswertung()->AuswertungTermin(std::to_string(t), e);
    EXPECT_THAT(zeilen(), ElementsAre("Adler|1|0.00|0.60|0.00|0.60", "Bauer|2|0.00|0.00|0.00|0.00"));
}

} // namespace
} // namespace trevo::evaluation::test
