#include "modul_fixture.h"

using namespace trevo;
using namespace trevo::data;
using namespace trevo::data::test;
using engine::Value;

namespace {
const Value kDatum = Value::date(engine::daysFromCivil(2024, 3, 8));
}

TEST_F(ModulTest, FirstEveningIsNumberedFilledAndItsCancelLeavesTheFileEmpty)
{
    optionen.beitrag = 2.5;
    optionen.aktuellePreisliste = 7;
    auto m = oeffnen();
    auto& termin = m->d().TerminTable1;
    termin.append();
    EXPECT_EQ(termin.value("NUMMER"), n(1));
    EXPECT_EQ(termin.value("BEITRAG"), n(2.5));
    EXPECT_EQ(termin.value("PREISLISTE"), n(7));
    EXPECT_TRUE(db.session("Terminsession1").inTransaction());
    termin.cancel();
    EXPECT_FALSE(db.session("Terminsession1").inTransaction());
    EXPECT_EQ(tools.Datensatzanzahl("/daten/TERMINE.DBF"), 0);
}

TEST_F(ModulTest, ContributionOnlyWhenPayingPerEvening)
{
    optionen.beitrag = 2.5;
    optionen.zahlweise = common::Monatlich;
    auto m = oeffnen();
    auto& termin = m->d().TerminTable1;
    termin.append();
    EXPECT_TRUE(termin.value("BEITRAG").isNull());
    EXPECT_EQ(termin.value("PREISLISTE"), n(1));
}

TEST_F(ModulTest, EveningNeedsItsDateAndPostingCommits)
{
    auto m = oeffnen();
    auto& termin = m->d().TerminTable1;
    termin.append();
    try {
        termin.post();
        FAIL();
    } catch (const engine::EngineError& e) {
        EXPECT_STREQ(e.what(), "Datum muß eingegeben werden.");
    }
    termin.setValue("DATUM", kDatum);
    termin.post();
    EXPECT_FALSE(db.session("Terminsession1").inTransaction());
    termin.append();
    EXPECT_EQ(termin.value("NUMMER"), n(2));
    termin.cancel();
    EXPECT_EQ(tools.Datensatzanzahl("/daten/TERMINE.DBF"), 1);
}

TEST_F(ModulTest, ParticipantRowIsStampedWithEveningAndCurrentSection)
{
    auto m = oeffnen();
    auto& termin = m->d().TerminTable1;
    termin.append();
    termin.setValue("DATUM", kDatum);
    termin.post();
    termin.append();
    termin.setValue("DATUM", kDatum);
    termin.post(); // the current evening is number 2
    m->aktuellerAbschnitt = 3;
    auto& teilnehmer = m->d().KeglerTerminTable1;
    teilnehmer.append();
    teilnehmer.setValue("KEGLER", n(4));
    EXPECT_EQ(teilnehmer.value("NUMMER"), n(1));
    EXPECT_EQ(teilnehmer.value("TERMIN"), n(2));
    EXPECT_EQ(teilnehmer.value("ABSCHNITT"), n(3));
    teilnehmer.post();
    teilnehmer.append();
    EXPECT_EQ(teilnehmer.value("NUMMER"), n(2));
    teilnehmer.cancel();
}

TEST_F(ModulTest, GameAmountsAndItemCountsHangOnTheCurrentParticipantRow)
{
    auto m = oeffnen();
    auto& termin = m->d().TerminTable1;
    termin.append();
    termin.setValue("DATUM", kDatum);
    termin.post();
    auto& teilnehmer = m->d().KeglerTerminTable1;
    teilnehmer.append();
    teilnehmer.setValue("KEGLER", n(1));
    teilnehmer.post();
    auto& spiele = m->d().SpieleKeglerTable1;
    spiele.append();
    EXPECT_EQ(spiele.value("NUMMER"), n(1));
    EXPECT_EQ(spiele.value("KEGLERNR"), n(1));
    spiele.setValue("BETRAG", n(0.5));
    spiele.post();
    auto& sonst = m->d().SonstigeKeglerTable1;
    sonst.append();
    EXPECT_EQ(sonst.value("NUMMER"), n(1));
    EXPECT_EQ(sonst.value("KEGLERNR"), n(1));
    sonst.cancel();
}

TEST_F(ModulTest, ItemAmountFollowsThePriceListOfTheEvening)
{
    // Price list 1 (installed) has item 5 at 1.50; price list 2 has item 6 at 2.00.
    datensaetze(tables::Sonstyp0, {{{"NUMMER", n(2)}, {"WAEHRUNG", n(1)}}});
    datensaetze(tables::Sonstype, {{{"NUMMER", n(5)}, {"BEZEICHNUN", s("Pudel")}, {"EINZELPREI", n(1.5)},
                                    {"PREISLISTE", n(1)}, {"GUELTIG", n(1)}},
                                   {{"NUMMER", n(6)}, {"BEZEICHNUN", s("Kranz")}, {"EINZELPREI", n(2)},
                                    {"PREISLISTE", n(2)}, {"GUELTIG", n(1)}}});
    datensaetze(tables::Termine, {{{"NUMMER", n(1)}, {"DATUM", kDatum}, {"PREISLISTE", n(1)}},
                                  {{"NUMMER", n(2)}, {"DATUM", kDatum}, {"PREISLISTE", n(2)}}});
    datensaetze(tables::Keglterm, {{{"NUMMER", n(1)}, {"TERMIN", n(1)}, {"KEGLER", n(1)}, {"ABSCHNITT", n(1)}},
                                   {{"NUMMER", n(2)}, {"TERMIN", n(2)}, {"KEGLER", n(1)}, {"ABSCHNITT", n(1)}}});
    datensaetze(tables::Sonstkeg, {{{"NUMMER", n(1)}, {"KEGLERNR", n(1)}, {"TYP", n(5)}, {"ANZAHL", n(4)}, {"TERMIN", n(1)}},
                                   {{"NUMMER", n(2)}, {"KEGLERNR", n(2)}, {"TYP", n(5)}, {"ANZAHL", n(4)}, {"TERMIN", n(2)}},
                                   {{"NUMMER", n(3)}, {"KEGLERNR", n(2)}, {"TYP", n(6)}, {"ANZAHL", n(3)}, {"TERMIN", n(2)}}});
    auto m = oeffnen();
    auto& termin = m->d().TerminTable1;
    auto& sonst = m->d().SonstigeKeglerTable1;
    ASSERT_TRUE(termin.findKey(n(1)));
    ASSERT_EQ(sonst.recordCount(), 1u);
    EXPECT_EQ(sonst.value("Betrag"), n(6));
    EXPECT_EQ(sonst.displayText("Betrag"), "6,00");
    ASSERT_TRUE(termin.findKey(n(2)));
    ASSERT_EQ(sonst.recordCount(), 2u);
    sonst.first();
    EXPECT_EQ(sonst.value("Betrag"), n(0)); // item 5 is not in price list 2
    sonst.next();
    EXPECT_EQ(sonst.value("Betrag"), n(6));
    // Changing the price changes the computed value of every stored count.
    db.session().atomically([&] {
        auto t = db.table("/daten/SONSTYPE.DBF");
        engine::Record r = t->getRecord(1);
        r[static_cast<size_t>(t->fieldIndex("EINZELPREI"))] = n(2.5);
        t->put(1, r);
    });
    sonst.refresh();
    sonst.last();
    EXPECT_EQ(sonst.value("Betrag"), n(7.5));
}

TEST_F(ModulTest, ParticipantLookupsAndTheParticipantsQuery)
{
    datensaetze(tables::Kegler, {{{"NUMMER", n(1)}, {"NAME", s("Müller")}, {"VORNAME", s("Jörg")},
                                  {"ALIAS", s("Jö")}, {"MITGLIEDNR", s("17")}}});
    datensaetze(tables::Termine, {{{"NUMMER", n(1)}, {"DATUM", kDatum}, {"PREISLISTE", n(1)}}});
    datensaetze(tables::Keglterm, {{{"NUMMER", n(1)}, {"TERMIN", n(1)}, {"KEGLER", n(1)}, {"ABSCHNITT", n(1)}},
                                   {{"NUMMER", n(2)}, {"TERMIN", n(1)}, {"KEGLER", n(1)}, {"ABSCHNITT", n(2)}}});
    auto m = oeffnen();
    auto& teilnehmer = m->d().KeglerTerminTable1;
    ASSERT_EQ(teilnehmer.recordCount(), 1u); // the section filter
    EXPECT_EQ(teilnehmer.value("Name"), s("Müller"));
    EXPECT_EQ(teilnehmer.value("Vorname"), s("Jörg"));
    EXPECT_EQ(teilnehmer.value("Mitgliednr"), n(17));
    // The evening's participants over all sections, rebuilt when the evening became current.
    auto& query = m->d().KeglerProTerminQuery;
    EXPECT_TRUE(query.active());
    EXPECT_EQ(query.recordCount(), 2u);
    EXPECT_EQ(m->d().KeglernamenTable1.value("NAME"), s("Müller"));
    EXPECT_EQ(m->d().TerminTable1.value("WaehrungStr"), s("EUR"));
}

TEST_F(ModulTest, PerSectionCountsHoldZeroForAGap)
{
    datensaetze(tables::Keglterm, {{{"NUMMER", n(1)}, {"TERMIN", n(1)}, {"KEGLER", n(1)}, {"ABSCHNITT", n(1)}},
                                   {{"NUMMER", n(2)}, {"TERMIN", n(1)}, {"KEGLER", n(2)}, {"ABSCHNITT", n(1)}},
                                   {{"NUMMER", n(3)}, {"TERMIN", n(1)}, {"KEGLER", n(1)}, {"ABSCHNITT", n(3)}},
                                   {{"NUMMER", n(4)}, {"TERMIN", n(1)}, {"KEGLER", n(2)}, {"ABSCHNITT", n(3)}},
                                   {{"NUMMER", n(5)}, {"TERMIN", n(1)}, {"KEGLER", n(3)}, {"ABSCHNITT", n(3)}},
                                   {{"NUMMER", n(6)}, {"TERMIN", n(2)}, {"KEGLER", n(3)}, {"ABSCHNITT", n(5)}}});
    auto m = oeffnen();
    m->SpielerProAbschnitt("1");
    EXPECT_EQ(m->spielerProAbschnitt, (std::vector<int64_t>{2, 0, 3}));
    m->SpielerProAbschnitt("3");
    EXPECT_TRUE(m->spielerProAbschnitt.empty());
    EXPECT_EQ(m->TeilnehmerAnzahl("1"), 3);
    EXPECT_THROW(m->SpielerProAbschnitt("1 OR 1=1"), engine::ValueError);
}

TEST_F(ModulTest, DayNumbersArePostedBesideTheDates)
{
    auto m = oeffnen();
    auto& kegler = m->d().KeglerTable1;
    kegler.append();
    kegler.setValue("NAME", s("Schäfer"));
    kegler.setValue("GEBURTSTAG", Value::date(engine::daysFromCivil(1970, 5, 4)));
    kegler.post();
    EXPECT_EQ(kegler.value("GEBTAGNUM"), n(engine::daysFromCivil(1970, 5, 4)));
    kegler.append();
    kegler.setValue("NAME", s("Ohne"));
    kegler.post();
    EXPECT_EQ(kegler.value("GEBTAGNUM"), n(0));
    auto& plan = m->d().TerminplanTable1;
    plan.append();
    plan.setValue("TERMIN", Value::date(45000));
    plan.post();
    EXPECT_EQ(plan.value("TERMINNUM"), n(45000));
    EXPECT_EQ(plan.value("NUMMER"), n(1));
}

TEST_F(ModulTest, NewPriceListRunsInItsTransactionWithTheCurrencyOfTheCurrentList)
{
    optionen.gespeichert.eingabewaehrung = 2;
    auto m = oeffnen();
    auto& listen = m->d().SonstigeMainTable1;
    listen.append();
    EXPECT_EQ(listen.value("NUMMER"), n(2));
    EXPECT_EQ(listen.value("WAEHRUNG"), n(2));
    EXPECT_TRUE(db.session("SonstigeSession").inTransaction());
    listen.post();
    EXPECT_FALSE(db.session("SonstigeSession").inTransaction());
    auto& items = m->d().SonstigeTable1;
    items.append();
    EXPECT_EQ(items.value("PREISLISTE"), n(2));
    EXPECT_EQ(items.value("GUELTIG"), n(1));
    EXPECT_EQ(items.value("NUMMER"), n(1));
    items.cancel();
}
