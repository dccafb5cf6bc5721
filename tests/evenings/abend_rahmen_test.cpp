// The window frame around the evening: the pre-check before a new evening, deleting an
// evening, the refresh the other-items window asks for, the evaluation items and the end
// of the program during an entry.
#include "abend_fixture.h"

#include "shell/fensterdienste.h"

#include <QAction>

namespace trevo::evenings::test {

namespace {

using Set = std::multiset<std::string>;

// The evaluation window as far as the evening window sees it.
class Auswertungsfenster : public shell::ChildWindow, public shell::Auswertungsdienst {
public:
    explicit Auswertungsfenster(shell::ShellServices& s) : ChildWindow(s) {}
    void AuswertungTermin(const std::string& nummer) override { aufrufe.push_back("Termin " + nummer); }
    void AuswertungZeitraum() override { aufrufe.push_back("Zeitraum"); }
    void AuswertungRangfolge() override { aufrufe.push_back("Rangliste"); }
    std::vector<std::string> aufrufe;
};

// A club without items and bowlers.
class LeererVerein : public Abend {
protected:
    void club() override {}
};

const QString preisFrage = QStringLiteral(
    "Vor der Eingabe von Kegelterminen sollten Preise für Pudel, Stinas etc. eingegeben werden. Daten jetzt eingeben ?");
const QString keglerFrage = QStringLiteral(
    "Vor der Eingabe von Kegelterminen sollten Daten von Mitglieder/Gastkeglern eingegeben werden. Daten jetzt eingeben ?");

} // namespace

// Yes to the first question, or No then Yes, sends the user away; No to both starts the
// evening.
TEST_F(LeererVerein, VorpruefungMitIhrenVierAntworten)
{
    script.answer(Answer::Yes);
    w->Neueingabe1Click();
    EXPECT_EQ(w->tag(), Eingabemodus::Blaettern);
    script.answer(Answer::No).answer(Answer::Yes);
    w->Neueingabe1Click();
    EXPECT_EQ(w->tag(), Eingabemodus::Blaettern);
    EXPECT_EQ(script.texts(), (QStringList{preisFrage, preisFrage, keglerFrage}));
    script.answer(Answer::No).answer(Answer::No);
    w->Neueingabe1Click();
    EXPECT_EQ(w->tag(), Eingabemodus::Neu);
    EXPECT_EQ(w->termine().state(), engine::DataSetState::Insert);
    w->CancelBtnClick();
    EXPECT_EQ(anzahl("TERMINE.DBF"), 0u);
}

// "Beenden" without a date neither asks nor stores; the evening stays open.
TEST_F(Abend, BeendenOhneDatumFragtNicht)
{
    w->Neueingabe1Click();
    w->OKBtnClick();
    EXPECT_EQ(script.texts(), QStringList{QStringLiteral("Das Datum fehlt")});
    EXPECT_EQ(w->tag(), Eingabemodus::Neu);
    EXPECT_EQ(w->termine().state(), engine::DataSetState::Insert);
    w->CancelBtnClick();
}

// Deleting an evening removes its participants, amounts and counts in every section and
// leaves the other evening alone.
TEST_F(Abend, TerminLoeschenEntferntAlleAbschnitte)
{
    neuerAbend();
    teilnehmer(schmidt, false);
    zelle(w->SpieleGrid1, 1, 3, QStringLiteral("2"));
    zelle(w->SonstigeGrid1, 2, 3, QStringLiteral("1"));
    abschnitt(2);
    teilnehmer(adler, false);
    zelle(w->SpieleGrid1, 1, 3, QStringLiteral("3"));
    w->NeuerSatzBtn1Click(); // saves without asking
    EXPECT_EQ(w->tag(), Eingabemodus::Neu);
    w->DatumDBEdit->setFocus();
    tippen(QStringLiteral("19.03.2024"));
    teilnehmer(mueller, false);
    zelle(w->SpieleGrid1, 1, 3, QStringLiteral("4"));
    beenden(true);
    ASSERT_EQ(spiele().size(), 3u);

    w->termine().first();
    script.answer(Answer::Yes);
    w->TerminLoeschen1Click();
    EXPECT_EQ(spiele(), (Set{"T2 A2 K3 S1=4"}));
    EXPECT_EQ(sonstige(), Set{});
    EXPECT_EQ(keglerDerTeilnehmer(), (std::map<long, long>{{3, mueller}}));
    EXPECT_EQ(anzahl("TERMINE.DBF"), 1u);
}

// The other-items window's refresh stores the counts and shows the items of the changed
// price list; in browse mode it does nothing.
TEST_F(Abend, SonstigeAuffrischungFolgtDerPreisliste)
{
    w->SonstigeGridAuffrischen();
    neuerAbend();
    teilnehmer(schmidt, false);
    zelle(w->SonstigeGrid1, 2, w->SonstigeGrid1->postenZeile(QString::number(bier)), QStringLiteral("3"));
    const int neu = verein.satz("SONSTYPE.DBF", {{"BEZEICHNUN", Value::text("Stina")}, {"EINZELPREI", Value::number(1)},
                                                 {"PREISLISTE", Value::number(1)}, {"GUELTIG", Value::number(1)}});
    verein.modul().d().SonstigeTable1.refresh();
    dynamic_cast<shell::SonstigeAuffrischung&>(*w).SonstigeGridAuffrischen();
    EXPECT_GE(w->SonstigeGrid1->postenZeile(QString::number(neu)), 3);
    EXPECT_EQ(w->SonstigeGrid1->cell(2, w->SonstigeGrid1->postenZeile(QString::number(bier))), QStringLiteral("3"));
    EXPECT_EQ(w->SonstigeGrid1->kegler(2), QString::number(schmidt));
    beenden(true);
    EXPECT_EQ(sonstige(), (Set{"T1 A1 K1 P2=3"}));
}

// Without the evaluation window the three items are disabled; with it they call it.
TEST_F(Abend, AuswertungNurMitAuswertungsfenster)
{
    neuerAbend();
    beenden(true);
    w->tabelleGefuellt(true);
    EXPECT_FALSE(w->AktuellerTermin1->isEnabled());
    EXPECT_FALSE(w->Zeitraum1->isEnabled());
    EXPECT_FALSE(w->Rangliste1->isEnabled());

    registry.addWindow(common::Fenster::Auswerten,
                       [](shell::ShellServices& s) -> shell::ChildWindow* { return new Auswertungsfenster(s); });
    main->Fenstererzeugen(common::Fenster::Auswerten);
    w->tabelleGefuellt(true);
    EXPECT_TRUE(w->AktuellerTermin1->isEnabled());
    w->Lotsenbefehl(shell::Lotsencode::AuswertungTermin);
    w->RanglisteClick();
    auto* a = dynamic_cast<Auswertungsfenster*>(main->Fensterobjekt(common::Fenster::Auswerten));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->aufrufe, (std::vector<std::string>{"Termin 1", "Rangliste"}));
    EXPECT_EQ(main->activeCode(), common::Fenster::Auswerten);
}

// Ending the program during an entry asks; Yes stores the section typed so far.
TEST_F(Abend, ProgrammendeWaehrendDerEingabe)
{
    neuerAbend();
    teilnehmer(schmidt, false);
    zelle(w->SpieleGrid1, 1, 3, QStringLiteral("2,5"));
    script.answer(Answer::Cancel);
    EXPECT_FALSE(w->programmendeErlaubt());
    EXPECT_EQ(w->tag(), Eingabemodus::Neu);
    script.answer(Answer::Yes);
    EXPECT_TRUE(w->programmendeErlaubt());
    EXPECT_EQ(w->tag(), Eingabemodus::Blaettern);
    EXPECT_EQ(spiele(), (Set{"T1 A1 K1 S1=2.5"}));
    EXPECT_EQ(script.texts().count(QStringLiteral("Daten speichern ?")), 2);
}

} // namespace trevo::evenings::test
