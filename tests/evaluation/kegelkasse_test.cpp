// "Mit Kegelkasse verrechnen": the evening's total booked through the data module's
// cash-book rules, converted into the account's currency, asked before a second booking.
#include "auswertung_fixture.h"
#include "common/dialogs/scripted_dialogs.h"
#include "engine/dataset/table_data_set.h"
#include "evaluation/kern/kegelkasse.h"
#include "evaluation/kern/nachschlagen.h"

#include "../data/module/konto_absturz.h"

namespace trevo::evaluation::test {
namespace {

class Kegelkasse : public Auswertungstest {
protected:
    // An evening of 25.50 in the currency of the price list.
    void abend(int preisliste)
    {
        const int a = club.kegler("Adler", "1"), b = club.kegler("Bauer", "2");
        const int t = club.termin(tag(2024, 3, 5), preisliste, 0);
        club.spiel(t, club.teilnahme(t, a, 1), 1, 2000);
        club.spiel(t, club.teilnahme(t, b, 1), 1, 550);
        auswertung()->AuswertungTermin(std::to_string(t), ergebnis);
        club.verein.oeffnen();
    }
    bool buchen()
    {
        Nachschlagen n(club.verein.datenbank(), club.ordner());
        return MitKegelkasseVerrechnen(*club.verein.tabelle("KontoTable1"), n, ergebnis, heute);
    }
    std::vector<engine::Record> buchungen() { return club.verein.dateiInhalt("KONTO.DBF"); }
    double kontostand() { return club.verein.dateiInhalt("KONTOINF.DBF").at(0)[5].toNumber(); }

    common::ScriptedDialogs script;
    common::DialogsScope scope{script};
    Terminergebnis ergebnis;
    int32_t heute = tag(2024, 3, 6);
};

TEST_F(Kegelkasse, TheTotalIsBookedAsAnEveningBookingAndRaisesTheBalance)
{
    abend(1);
    ASSERT_TRUE(buchen());
    const auto b = buchungen();
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(b[0][1], Value::date(heute));
    EXPECT_EQ(b[0][2].toNumber(), 25.50);
    EXPECT_EQ(b[0][3].toNumber(), 1);
    EXPECT_EQ(b[0][4].toText(), "Kegeln am 05.03.2024");
    EXPECT_EQ(b[0][5].toNumber(), 1);
    EXPECT_DOUBLE_EQ(kontostand(), 25.50);
    EXPECT_TRUE(script.texts().isEmpty());
    EXPECT_EQ(club.verein.tabelle("KontoTable1")->indexName(), "DATUM");
}

TEST_F(Kegelkasse, ASecondBookingOfTheSameAmountOnTheSameDayIsAskedFor)
{
    abend(1);
    ASSERT_TRUE(buchen());
    script.answer(common::Answer::No);
    EXPECT_FALSE(buchen());
    ASSERT_EQ(script.texts().size(), 1);
    EXPECT_EQ(script.texts()[0].toStdString(),
              "Es ist schon eine Buchung für den 05.03.2024 mit 25,50  gespeichert.  Daten trotzdem speichern ?");
    EXPECT_EQ(buchungen().size(), 1u);
    script.answer(common::Answer::Yes);
    EXPECT_TRUE(buchen());
    EXPECT_EQ(buchungen().size(), 2u);
    EXPECT_DOUBLE_EQ(kontostand(), 51.00);
    // Another day asks nothing.
    heute += 1;
    EXPECT_TRUE(buchen());
    EXPECT_EQ(script.texts().size(), 2);
}

// 25.50 marks are 25.50 / 1.95583 = 13.0379... euros, booked as 13.04; the second booking
// converts the same total again and is asked for too.
TEST_F(Kegelkasse, AnEveningInAnotherCurrencyIsConvertedIntoTheAccountsCurrency)
{
    const int mark = club.waehrung("Deutsche Mark", "DM", 1.95583);
    abend(club.preisliste(mark));
    ASSERT_TRUE(buchen());
    EXPECT_DOUBLE_EQ(buchungen().at(0)[2].toNumber(), 13.04);
    EXPECT_EQ(ergebnis.gesamtbetrag, 2550);
    script.answer(common::Answer::Yes);
    ASSERT_TRUE(buchen());
    ASSERT_EQ(script.texts().size(), 1);
    EXPECT_TRUE(script.texts()[0].contains(" mit 13,04  gespeichert."));
    EXPECT_DOUBLE_EQ(kontostand(), 26.08);
}

TEST_F(Kegelkasse, ACurrencyWithoutFactorIsRefusedAndNothingIsBooked)
{
    const int kaputt = club.waehrung("Kaputt", "KP", 0);
    abend(club.preisliste(kaputt));
    EXPECT_THROW(buchen(), engine::EngineError);
    EXPECT_TRUE(buchungen().empty());
    EXPECT_DOUBLE_EQ(kontostand(), 0);
}

// The evening's booking and the account's balance are one transaction: a crash or a failing
// disk at any of its points leaves both or neither.
TEST(KegelkasseAbsturz, BookingAndBalanceAtEveryPoint)
{
    engine::MemoryFileSystem mem;
    {
        engine::Database db(mem);
        data::installDataFolder(db, "/daten/", tag(2024, 3, 1));
    }
    Terminergebnis termin;
    termin.datum = "05.03.2024";
    termin.gesamtbetrag = 2550;
    termin.fertig = true;
    data::test::Absturzprobe(data::test::abbild(mem)).pruefen([&](data::test::Programmlauf& lauf) {
        Nachschlagen n(lauf.db, "/daten/");
        ASSERT_TRUE(MitKegelkasseVerrechnen(lauf.modul->d().KontoTable1, n, termin, tag(2024, 3, 6)));
    });
}

} // namespace
} // namespace trevo::evaluation::test
