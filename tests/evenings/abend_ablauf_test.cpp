// The way through an evening beyond the single fields: Down at the end of the grids, a new
// evening begun while another is being changed, one bowler in two sections.
#include "abend_fixture.h"

#include <QAction>

namespace trevo::evenings::test {

namespace {

using Set = std::multiset<std::string>;

} // namespace

// Down on the last game row adds the next game and moves into it; the items grid keeps its
// rows and its cell.
TEST_F(Abend, PfeilAbwaertsAmEndeDerGitter)
{
    neuerAbend();
    teilnehmer(schmidt, false);
    zelle(w->SpieleGrid1, 1, 3, QStringLiteral("2"), Qt::Key_Down);
    EXPECT_EQ(w->SpieleGrid1->rowCount(), 5);
    EXPECT_EQ(w->SpieleGrid1->row(), 4);
    EXPECT_EQ(w->SpieleGrid1->cell(0, 4), QStringLiteral("2"));
    const int zeilen = w->SonstigeGrid1->rowCount();
    zelle(w->SonstigeGrid1, 2, zeilen - 1, QStringLiteral("3"), Qt::Key_Down);
    EXPECT_EQ(w->SonstigeGrid1->rowCount(), zeilen);
    EXPECT_EQ(w->SonstigeGrid1->row(), zeilen - 1);
    beenden(true);
    EXPECT_EQ(spiele(), (Set{"T1 A1 K1 S1=2"}));
    EXPECT_EQ(sonstige(), (Set{"T1 A1 K1 P" + std::to_string(bier) + "=3"}));
}

// "Neueingabe" from the entry menu while an evening is being changed first saves it with
// the amounts of its current section, then starts the next evening with empty grids.
TEST_F(Abend, NeueingabeWaehrendDerAenderungSpeichertZuerst)
{
    neuerAbend();
    teilnehmer(schmidt, false);
    beenden(true);
    w->ndern1Click();
    ASSERT_EQ(w->tag(), Eingabemodus::Aendern);
    zelle(w->SpieleGrid1, 1, 3, QStringLiteral("1,25"));
    w->Neueingabe2->trigger();
    EXPECT_EQ(w->tag(), Eingabemodus::Neu);
    EXPECT_EQ(w->termine().state(), engine::DataSetState::Insert);
    EXPECT_TRUE(w->SpieleGrid1->cell(1, 3).isEmpty());
    EXPECT_TRUE(w->SpieleGrid1->kegler(1).isEmpty());
    EXPECT_EQ(spiele(), (Set{"T1 A1 K1 S1=1.25"}));
    w->CancelBtnClick();
    EXPECT_EQ(anzahl("TERMINE.DBF"), 1u);
    EXPECT_EQ(spiele(), (Set{"T1 A1 K1 S1=1.25"}));
}

// One bowler in sections 1 and 3 is one participant of the evening; the highest section
// with participants is 3.
TEST_F(Abend, EinKeglerInZweiAbschnitten)
{
    neuerAbend();
    teilnehmer(schmidt, false);
    abschnitt(3);
    teilnehmer(schmidt, false);
    zelle(w->SpieleGrid1, 1, 3, QStringLiteral("1"));
    beenden(true);
    EXPECT_EQ(keglerDerTeilnehmer().size(), 2u);
    EXPECT_EQ(verein.feldIn("TERMINE.DBF", 1, "TEILNEHMER"), "1");
    EXPECT_EQ(verein.feldIn("TERMINE.DBF", 1, "ABSCHNITTE"), "3");
    EXPECT_EQ(spiele(), (Set{"T1 A3 K1 S1=1"}));
}

// A stored evening of an earlier run.
class GespeicherterAbend : public Abend {
protected:
    void club() override
    {
        Abend::club();
        verein.satz("TERMINE.DBF", {{"DATUM", Value::date(engine::daysFromCivil(2024, 5, 3))},
                                    {"PREISLISTE", Value::number(1)}});
        verein.teilnahme(schmidt);
    }
};

// The change of an evening names the current participant beside his number at once.
TEST_F(GespeicherterAbend, AendernZeigtDenNamenDesTeilnehmers)
{
    w->ndern1Click();
    ASSERT_EQ(w->tag(), Eingabemodus::Aendern);
    EXPECT_EQ(w->Keglernummeredit->currentText(), QString::number(schmidt));
    EXPECT_EQ(w->KeglernameEdit->text(), QStringLiteral("Schmidt"));
    EXPECT_EQ(w->SpieleGrid1->kegler(1), QString::number(schmidt));
    w->CancelBtnClick();
}

} // namespace trevo::evenings::test
