// Participants per section: the bowler number field, inserting and removing, the selection
// dialog, and the section field's rules.
#include "abend_fixture.h"

#include "evenings/kegler_auswahl_dlg.h"

#include <QListWidget>
#include <QPushButton>

namespace trevo::evenings::test {

namespace {

using Set = std::multiset<std::string>;

QStringList eintraege(const QListWidget* l)
{
    QStringList s;
    for (int i = 0; i < l->count(); ++i) s << l->item(i)->text();
    return s;
}

} // namespace

TEST_F(Abend, EintragDerAuswahlliste)
{
    const QString e = TKeglerAuswahlDlg2::eintrag(7, QStringLiteral("Schmidt"), QStringLiteral("Karl"));
    EXPECT_EQ(e, QStringLiteral("#7         Schmidt, Karl"));
    EXPECT_EQ(TKeglerAuswahlDlg2::nummerVon(e), 7);
}

// "Teilnehmer einfügen" is refused in an empty section and twice without a bowler; the first
// bowler takes the grids' empty column.
TEST_F(Abend, TeilnehmerEinfuegenBrauchtEinenKegler)
{
    neuerAbend();
    w->TeilnehmereinfuegenBitBtnClick();
    teilnehmer(adler, false);
    EXPECT_EQ(w->SpieleGrid1->colCount(), 2);
    EXPECT_EQ(w->SpieleGrid1->kegler(1), QString::number(adler));
    EXPECT_EQ(w->SonstigeGrid1->cell(2, 1), QStringLiteral("Adler"));
    w->TeilnehmereinfuegenBitBtnClick();
    w->TeilnehmereinfuegenBitBtnClick();
    EXPECT_EQ(script.texts().count(QStringLiteral("Sie müssen zuerst die Daten vervollständigen")), 2);
    EXPECT_EQ(w->SpieleGrid1->colCount(), 3);
    script.answer(Answer::No); // the pending row without a bowler: leave the evening unsaved
    w->OKBtnClick();
}

// A bowler changed from one to another relabels his column; its amounts stay and are
// stored for the same participant row.
TEST_F(Abend, KeglerWechselBenenntDieSpalteUm)
{
    neuerAbend();
    teilnehmer(schmidt, false);
    teilnehmer(adler, true);
    zelle(w->SpieleGrid1, 1, 3, QStringLiteral("2"));
    w->DBText1->setFocus();
    // Back to Schmidt's row in the participants grid, then another bowler for it.
    w->teilnehmer().first();
    teilnehmer(mueller, false);
    EXPECT_EQ(w->SpieleGrid1->kegler(1), QString::number(mueller));
    EXPECT_EQ(w->SpieleGrid1->cell(1, 1), QStringLiteral("Müller"));
    EXPECT_EQ(w->SpieleGrid1->cell(1, 3), QStringLiteral("2,00"));
    beenden(true);
    EXPECT_EQ(spiele(), (Set{"T1 A1 K3 S1=2"}));
}

// Removing the only participant leaves one empty column in each grid and no row.
TEST_F(Abend, EinzigerTeilnehmerEntfernt)
{
    neuerAbend();
    teilnehmer(schmidt, false);
    zelle(w->SpieleGrid1, 1, 3, QStringLiteral("2"));
    script.answer(Answer::Yes);
    w->TeilnehmerloeschenClick();
    EXPECT_EQ(w->SpieleGrid1->colCount(), 2);
    EXPECT_TRUE(w->SpieleGrid1->kegler(1).isEmpty());
    EXPECT_TRUE(w->SpieleGrid1->cell(1, 3).isEmpty());
    EXPECT_EQ(w->SonstigeGrid1->colCount(), 3);
    beenden(true);
    EXPECT_EQ(anzahl("KEGLTERM.DBF"), 0u);
    EXPECT_EQ(anzahl("SPIELKEG.DBF"), 0u);
}

// The dialog shows the section's participants on the right; "<<" and OK leave them; ">>"
// and OK add one row and column per other bowler in the order of the list.
TEST_F(Abend, AuswahldialogFuegtNurHinzu)
{
    neuerAbend();
    teilnehmer(schmidt, false);
    modal.then([](QDialog& d) {
        auto& dlg = dynamic_cast<TKeglerAuswahlDlg2&>(d);
        EXPECT_EQ(eintraege(dlg.DstList), QStringList{TKeglerAuswahlDlg2::eintrag(1, "Schmidt", "Karl")});
        EXPECT_EQ(dlg.SrcList->count(), 3);
        dlg.ExAllBtn->click();
        EXPECT_FALSE(dlg.ExcludeBtn->isEnabled());
        dlg.OKBtn->click();
    });
    w->KeglerauswahlSpeedButtonClick();
    EXPECT_EQ(w->teilnehmer().recordCount(), 1u);

    modal.then([](QDialog& d) {
        auto& dlg = dynamic_cast<TKeglerAuswahlDlg2&>(d);
        dlg.IncAllBtn->click();
        EXPECT_EQ(dlg.SrcList->count(), 0);
        EXPECT_FALSE(dlg.IncludeBtn->isEnabled());
        dlg.OKBtn->click();
    });
    w->KeglerauswahlSpeedButtonClick();
    EXPECT_EQ(w->teilnehmer().recordCount(), 3u);
    // The left list is sorted by its text: Adler (2), then Müller (3).
    EXPECT_EQ(w->SpieleGrid1->colCount(), 4);
    EXPECT_EQ(w->SpieleGrid1->kegler(1), QString::number(schmidt));
    EXPECT_EQ(w->SpieleGrid1->kegler(2), QString::number(adler));
    EXPECT_EQ(w->SpieleGrid1->kegler(3), QString::number(mueller));
    EXPECT_EQ(w->SonstigeGrid1->cell(4, 1), QStringLiteral("Müller"));
    EXPECT_FALSE(w->SpieleGrid1->teilnehmer(3).isEmpty());
    beenden(true);
    EXPECT_EQ(keglerDerTeilnehmer().size(), 3u);
    EXPECT_EQ(verein.feldIn("TERMINE.DBF", 1, "TEILNEHMER"), "3");
}

// The section field: 21 and 0 are refused and leave the section; typing 12 while section 5
// is current passes through section 1.
TEST_F(Abend, Abschnittsfeld)
{
    neuerAbend();
    teilnehmer(schmidt, false);
    script.answer(Answer::Yes); // the error box of 21 has Yes and No, both only close it
    abschnitt(21);
    EXPECT_EQ(w->abschnitt(), 2); // "2" switched, "21" refused
    EXPECT_TRUE(script.texts().contains(QStringLiteral("Es können nicht mehr als 20 Spielabschnitte eingegeben werden")));
    abschnitt(0);
    EXPECT_EQ(w->abschnitt(), 2);
    abschnitt(5);
    teilnehmer(adler, false);
    zelle(w->SpieleGrid1, 1, 3, QStringLiteral("7"));
    abschnitt(12);
    EXPECT_EQ(w->abschnitt(), 12);
    EXPECT_TRUE(w->SpieleGrid1->kegler(1).isEmpty());
    abschnitt(5);
    EXPECT_EQ(w->SpieleGrid1->cell(1, 3), QStringLiteral("7,00"));
    beenden(true);
    EXPECT_EQ(spiele(), (Set{"T1 A5 K2 S1=7"}));
    EXPECT_EQ(verein.feldIn("TERMINE.DBF", 1, "ABSCHNITTE"), "5");
}

// The section stays after "Beenden", "Abbruch" resets it to 1, "Alle" sets 0.
TEST_F(Abend, AbschnittNachBeendenAbbruchUndAlle)
{
    neuerAbend();
    teilnehmer(schmidt, false);
    abschnitt(3);
    teilnehmer(adler, false);
    beenden(true);
    w->Neueingabe1Click();
    EXPECT_EQ(w->Abschnittedit->text(), QStringLiteral("3"));
    w->CancelBtnClick();
    EXPECT_EQ(w->abschnitt(), 1);
    EXPECT_EQ(anzahl("TERMINE.DBF"), 1u);
    w->Abschnittedit2->setCurrentIndex(0);
    w->Abschnittedit2Change(0);
    EXPECT_EQ(w->abschnitt(), 0);
    EXPECT_EQ(w->teilnehmer().recordCount(), 2u); // all sections
    w->ndern1Click();
    EXPECT_EQ(w->Abschnittedit->text(), QStringLiteral("0"));
    aktiv();
    w->SpieleGrid1->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(script.texts().contains(QStringLiteral("Vor der Eingabe der Spiele müssen Teilnehmer eingegeben werden !")));
    beenden(true);
}

// The games grid's row buttons.
TEST_F(Abend, SpielEinfuegenUndLoeschen)
{
    neuerAbend();
    teilnehmer(schmidt, false);
    Eingabegitter* g = w->SpieleGrid1;
    for (int r = 0; r < 4; ++r) zelle(g, 1, 3 + r, QString::number(r + 1));
    ASSERT_EQ(g->rowCount(), 8); // four games and the row Enter added
    g->SpielLoeschen();          // on the empty last row
    g->setCurrent(1, 4);
    g->SpielEinfuegen();
    EXPECT_EQ(g->rowCount(), 8);
    EXPECT_TRUE(g->cell(1, 4).isEmpty());
    EXPECT_EQ(g->cell(1, 5), QStringLiteral("2,00"));
    EXPECT_EQ(g->cell(0, 7), QStringLiteral("5"));
    g->setCurrent(1, 3);
    g->SpielLoeschen();
    EXPECT_TRUE(g->cell(1, 3).isEmpty());
    EXPECT_EQ(g->cell(0, 6), QStringLiteral("4"));
    g->AlleSpieleEntfernen();
    EXPECT_EQ(g->rowCount(), 4);
    g->SpielLoeschen();
    EXPECT_EQ(g->rowCount(), 4);
    beenden(true);
    EXPECT_EQ(anzahl("SPIELKEG.DBF"), 0u);
}

} // namespace trevo::evenings::test
