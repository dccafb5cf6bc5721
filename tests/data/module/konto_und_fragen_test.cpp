#include "modul_fixture.h"

using namespace trevo;
using namespace trevo::data;
using namespace trevo::data::test;
using engine::Value;

namespace {

const Value kTag = Value::date(engine::daysFromCivil(2024, 3, 8));

double kontostand(TKeDataForm& m)
{
    auto& k = m.d().KontostandTable;
    EXPECT_TRUE(k.locate("KONTONR", Value::number(1)));
    return k.value("KONTOSTAND").toNumber();
}

void buchen(engine::TableDataSet& konto, double betrag)
{
    konto.append();
    konto.setValue("DATUM", kTag);
    konto.setValue("BETRAG", Value::number(betrag));
    konto.post();
}

} // namespace

TEST_F(ModulTest, BalanceFollowsChangeCancelAndDelete)
{
    auto m = oeffnen();
    auto& konto = m->d().KontoTable1;
    buchen(konto, 10);
    EXPECT_EQ(konto.value("KONTONR"), n(1));
    EXPECT_EQ(konto.value("NUMMER"), n(1));
    EXPECT_DOUBLE_EQ(kontostand(*m), 10);
    EXPECT_EQ(konto.value("WaehrungStr"), s("EUR"));

    konto.edit();
    konto.setValue("BETRAG", n(15));
    konto.post();
    EXPECT_DOUBLE_EQ(kontostand(*m), 15);

    konto.edit();
    konto.setValue("BETRAG", n(99));
    konto.cancel();
    EXPECT_DOUBLE_EQ(kontostand(*m), 15);

    buchen(konto, -5.5);
    EXPECT_DOUBLE_EQ(kontostand(*m), 9.5);
    EXPECT_DOUBLE_EQ(m->KontostandBerechnen("1"), 9.5);

    ASSERT_TRUE(konto.findKey(n(1)));
    konto.deleteRecord();
    EXPECT_DOUBLE_EQ(kontostand(*m), -5.5);
    EXPECT_DOUBLE_EQ(m->KontostandBerechnen("1"), -5.5);

    // Deleting a booking while it is being changed takes its amount off once.
    konto.first();
    konto.edit();
    konto.deleteRecord();
    EXPECT_DOUBLE_EQ(kontostand(*m), 0);
    EXPECT_DOUBLE_EQ(m->KontostandBerechnen("1"), 0);
}

TEST_F(ModulTest, CancelledNewBookingChangesNothing)
{
    auto m = oeffnen();
    auto& konto = m->d().KontoTable1;
    konto.append();
    konto.setValue("BETRAG", n(20));
    konto.cancel();
    EXPECT_DOUBLE_EQ(kontostand(*m), 0);
}

TEST_F(ModulTest, BookingThroughTheLookupCursorChangesTheBookingsAccount)
{
    auto m = oeffnen();
    buchen(m->d().KontolookupTable1, 20);
    EXPECT_DOUBLE_EQ(kontostand(*m), 20);
    EXPECT_EQ(tools.Datensatzanzahl("/daten/KONTOINF.DBF"), 1); // no second account
    EXPECT_DOUBLE_EQ(m->KontostandBerechnen("1"), 20);
}

TEST_F(ModulTest, FirstBookingWithoutAccountCreatesIt)
{
    db.session().atomically([&] { db.table("/daten/KONTOINF.DBF")->zap(); });
    auto m = oeffnen();
    auto& konto = m->d().KontoTable1;
    buchen(konto, 20);
    buchen(konto, -5.5);
    auto& k = m->d().KontostandTable;
    ASSERT_EQ(k.recordCount(), 1u);
    k.first();
    EXPECT_EQ(k.value("KONTONR"), n(1));
    EXPECT_EQ(k.value("STARTSALDO"), n(0));
    EXPECT_EQ(k.value("DATUM"), Value::date(engine::daysFromCivil(1990, 1, 1)));
    EXPECT_DOUBLE_EQ(k.value("KONTOSTAND").toNumber(), 14.5);
    EXPECT_DOUBLE_EQ(m->KontostandBerechnen("1"), 14.5);
}

TEST_F(ModulTest, RecomputedBalanceCountsOnlyBookingsFromTheStartDate)
{
    datensaetze(tables::Konto, {{{"NUMMER", n(1)}, {"DATUM", Value::date(engine::daysFromCivil(1989, 12, 31))},
                                 {"BETRAG", n(3)}, {"KONTONR", n(1)}},
                                {{"NUMMER", n(2)}, {"DATUM", kTag}, {"BETRAG", n(4.25)}, {"KONTONR", n(1)}}});
    auto m = oeffnen();
    EXPECT_DOUBLE_EQ(m->KontostandBerechnen("1"), 4.25);
    EXPECT_DOUBLE_EQ(m->KontostandBerechnen("2"), 0); // no such account
}

TEST_F(ModulTest, WindowsAreToldWhetherTheirTableHoldsRecords)
{
    using common::Fenster::Kegelkasse;
    using common::Fenster::Mitglieder;
    using common::Fenster::Termine;
    host.fenster = {Mitglieder, Termine};
    auto m = oeffnen();
    auto& kegler = m->d().KeglerTable1;
    kegler.append();
    kegler.setValue("NAME", s("Huber"));
    kegler.post();
    EXPECT_EQ(host.gefuellt[Mitglieder], std::vector<bool>{true});
    kegler.deleteRecord();
    EXPECT_EQ(host.gefuellt[Mitglieder], (std::vector<bool>{true, false}));

    // The evening window follows deletes only (its after-post rule is its own) and its own calls.
    auto& termin = m->d().TerminTable1;
    termin.append();
    termin.setValue("DATUM", kTag);
    termin.post();
    EXPECT_TRUE(host.gefuellt[Termine].empty());
    m->MenueFreigebenTabelle(Termine, "TerminTable1");
    EXPECT_EQ(host.gefuellt[Termine], std::vector<bool>{true});
    termin.deleteRecord();
    EXPECT_EQ(host.gefuellt[Termine], (std::vector<bool>{true, false}));

    // A window that does not exist is left alone, and so is an unknown data set.
    m->MenueFreigeben(Kegelkasse, 3);
    EXPECT_EQ(host.gefuellt.count(Kegelkasse), 0u);
    m->MenueFreigebenTabelle(Termine, "GibtEsNicht");
    EXPECT_EQ(host.gefuellt[Termine].size(), 2u);
}

TEST_F(ModulTest, SingleValueQuestions)
{
    datensaetze(tables::Kegler, {{{"NUMMER", n(3)}, {"NAME", s("Weiß")}, {"MITGLIEDNR", s("12")}}});
    datensaetze(tables::Funktion, {{{"NUMMER", n(2)}, {"BEZEICHNUN", s("Kassenwart")}}});
    datensaetze(tables::Waehrungen, {{{"NUMMER", n(2)}, {"NAME", s("Mark")}, {"KUERZEL", s("DM")}, {"FAKTOR", n(1.95583)}}});
    datensaetze(tables::Sonstyp0, {{{"NUMMER", n(2)}, {"WAEHRUNG", n(2)}, {"DATUM", kTag}}});
    datensaetze(tables::Sonstype, {{{"NUMMER", n(5)}, {"BEZEICHNUN", s("Pudel")}, {"EINZELPREI", n(0.2)},
                                    {"PREISLISTE", n(2)}}});
    datensaetze(tables::Termine, {{{"NUMMER", n(1)}, {"DATUM", kTag}, {"PREISLISTE", n(2)}}});
    auto m = oeffnen();
    EXPECT_EQ(m->KeglerName("3"), "Weiß");
    EXPECT_EQ(m->KeglerName(""), "");
    EXPECT_EQ(m->KeglerName("4"), "");
    EXPECT_THROW(m->KeglerName("3 OR NUMMER>0"), engine::ValueError);
    EXPECT_EQ(m->FunktionsName("2"), "Kassenwart");
    EXPECT_EQ(m->SonstigesName("5"), "Pudel");
    EXPECT_EQ(m->AnzahlMitWert("FUNKTION", "0", "/daten/KEGLER.DBF"), 0);
    EXPECT_EQ(m->AnzahlMitWert("NUMMER", "3", "/daten/KEGLER.DBF"), 1);
    EXPECT_DOUBLE_EQ(m->Einzelpreis("5", "1"), 0.2);
    EXPECT_DOUBLE_EQ(m->Einzelpreis("", "1"), 0);
    EXPECT_EQ(m->KeglerNameZuMitgliedsnummer("12"), "Weiß");
    EXPECT_EQ(m->KeglerNameZuMitgliedsnummer("0"), "");
    EXPECT_EQ(m->KeglerNameZuMitgliedsnummer(""), "");
    EXPECT_THROW(m->KeglerNameZuMitgliedsnummer("zwölf"), engine::ValueError);
    EXPECT_EQ(m->KeglerNummerZuMitgliedsnummer(12), 3);
    EXPECT_EQ(m->KeglerNummerZuMitgliedsnummer(13), 0);
    EXPECT_EQ(m->TerminDatum("1"), "08.03.2024");
    EXPECT_EQ(m->PreislistenDatum("2"), "08.03.2024");
    EXPECT_EQ(m->PreislistenDatum(""), "");
    EXPECT_EQ(m->TerminWaehrung("1"), 2);
    EXPECT_EQ(m->TerminWaehrungsKuerzel("1"), "DM");
    EXPECT_EQ(m->WaehrungsKuerzel("1"), "EUR");
    EXPECT_EQ(m->PreislistenWaehrung("2"), 2);
    EXPECT_EQ(m->PreislistenWaehrungsKuerzel("1"), "EUR");
    EXPECT_EQ(m->KontoWaehrung("1"), 1);
    EXPECT_DOUBLE_EQ(m->Umrechnungsfaktor("2"), 1.95583);
    EXPECT_DOUBLE_EQ(m->Umrechnungsfaktor("9"), 0);
    EXPECT_EQ(m->AktuellesKonto(), 1);
}

TEST_F(ModulTest, ConversionRoundsAndRefusesUnknownCurrencies)
{
    datensaetze(tables::Waehrungen, {{{"NUMMER", n(2)}, {"KUERZEL", s("DM")}, {"FAKTOR", n(1.95583)}},
                                     {{"NUMMER", n(3)}, {"KUERZEL", s("XX")}}});
    auto m = oeffnen();
    EXPECT_DOUBLE_EQ(m->Umrechnen(10, 1, 2), 19.56);
    EXPECT_DOUBLE_EQ(m->Umrechnen(19.56, 2, 1), 10.0);
    EXPECT_DOUBLE_EQ(m->Umrechnen(7.5, 1, 1), 7.5);
    try {
        m->Umrechnen(10, 9, 1);
        FAIL();
    } catch (const engine::EngineError& e) {
        EXPECT_STREQ(e.what(), "Die Währung Nr. 9 ist nicht vorhanden");
    }
    EXPECT_THROW(m->Umrechnen(10, 1, 9), engine::EngineError);
    try {
        m->Umrechnen(10, 3, 1);
        FAIL();
    } catch (const engine::EngineError& e) {
        EXPECT_STREQ(e.what(), "Die Währung Nr. 3 hat keinen Umrechnungsfaktor");
    }
}

TEST_F(ModulTest, PostErrorInTheEveningTransactionRollsItBack)
{
    auto m = oeffnen();
    auto& termin = m->d().TerminTable1;
    termin.append(); // starts the evening transaction
    auto& teilnehmer = m->d().KeglerTerminTable1;
    teilnehmer.append();
    teilnehmer.setValue("KEGLER", n(1));
    teilnehmer.post(); // belongs to the transaction
    EXPECT_EQ(tools.Datensatzanzahl("/daten/KEGLTERM.DBF"), 1);
    EXPECT_THROW(termin.post(), engine::EngineError); // no date
    EXPECT_FALSE(db.session("Terminsession1").inTransaction());
    EXPECT_EQ(tools.Datensatzanzahl("/daten/KEGLTERM.DBF"), 0);
    termin.cancel();
}
