// A bowling evening typed through the window's controls, stored, reloaded and discarded.
#include "abend_fixture.h"

namespace trevo::evenings::test {

namespace {

using Set = std::multiset<std::string>;

} // namespace

// Two sections with their participants, amounts and counts; after "Beenden" the files hold
// each value once, and the change of the evening shows them again in both sections.
TEST_F(Abend, GanzerAbendMitZweiAbschnittenWirdGespeichertUndGeladen)
{
    neuerAbend();
    teilnehmer(schmidt, false);
    teilnehmer(adler, true);
    EXPECT_EQ(w->SpieleGrid1->kegler(1), QString::number(schmidt));
    EXPECT_EQ(w->SpieleGrid1->cell(1, 1), QStringLiteral("Schmidt"));
    EXPECT_EQ(w->SonstigeGrid1->kegler(3), QString::number(adler));
    zelle(w->SpieleGrid1, 1, 3, QStringLiteral("1,5"));
    tippen(QStringLiteral("2"));
    taste(Qt::Key_Return);
    zelle(w->SpieleGrid1, 2, 3, QStringLiteral("3"));
    const int pudelZeile = w->SonstigeGrid1->postenZeile(QString::number(pudel));
    ASSERT_GE(pudelZeile, 3);
    zelle(w->SonstigeGrid1, 2, pudelZeile, QStringLiteral("4"));

    abschnitt(2);
    EXPECT_EQ(w->abschnitt(), 2);
    EXPECT_TRUE(w->SpieleGrid1->kegler(1).isEmpty()); // a fresh section
    teilnehmer(mueller, false);
    zelle(w->SpieleGrid1, 1, 3, QStringLiteral("0,8"));
    beenden(true);

    EXPECT_EQ(spiele(), (Set{"T1 A1 K1 S1=1.5", "T1 A1 K1 S2=2", "T1 A1 K2 S1=3", "T1 A2 K3 S1=0.8"}));
    EXPECT_EQ(sonstige(), (Set{"T1 A1 K1 P1=4"}));
    EXPECT_EQ(verein.feldIn("TERMINE.DBF", 1, "TEILNEHMER"), "3");
    EXPECT_EQ(verein.feldIn("TERMINE.DBF", 1, "ABSCHNITTE"), "2");
    EXPECT_EQ(verein.feldIn("TERMINE.DBF", 1, "DATUM"), "12.03.2024");

    // The change starts in the section last used.
    w->ndern1Click();
    ASSERT_EQ(w->tag(), Eingabemodus::Aendern);
    EXPECT_EQ(w->Abschnittedit->text(), QStringLiteral("2"));
    EXPECT_EQ(w->SpieleGrid1->cell(1, 3), QStringLiteral("0,80"));
    abschnitt(1);
    EXPECT_EQ(w->SpieleGrid1->kegler(1), QString::number(schmidt));
    EXPECT_EQ(w->SpieleGrid1->cell(1, 3), QStringLiteral("1,50"));
    EXPECT_EQ(w->SpieleGrid1->cell(1, 4), QStringLiteral("2,00"));
    EXPECT_EQ(w->SpieleGrid1->cell(2, 3), QStringLiteral("3,00"));
    EXPECT_EQ(w->SonstigeGrid1->cell(2, pudelZeile), QStringLiteral("4"));
    beenden(true);
    EXPECT_EQ(spiele().size(), 4u); // stored again, each once
    EXPECT_EQ(sonstige().size(), 1u);
}

// No at "Daten speichern ?" takes back everything written since the evening began: the
// participant rows and the amounts stored by the section switches.
TEST_F(Abend, NeinBeiDatenSpeichernHinterlaesstKeineSpur)
{
    neuerAbend();
    teilnehmer(schmidt, false);
    zelle(w->SpieleGrid1, 1, 3, QStringLiteral("2"));
    abschnitt(2);
    teilnehmer(adler, false);
    zelle(w->SpieleGrid1, 1, 3, QStringLiteral("5"));
    abschnitt(1);
    EXPECT_EQ(w->SpieleGrid1->cell(1, 3), QStringLiteral("2,00"));
    beenden(false);
    EXPECT_EQ(anzahl("TERMINE.DBF"), 0u);
    EXPECT_EQ(anzahl("KEGLTERM.DBF"), 0u);
    EXPECT_EQ(anzahl("SPIELKEG.DBF"), 0u);
    EXPECT_EQ(w->termine().recordCount(), 0u);
}

// A change answered with No leaves the evening exactly as it was stored, in every section.
TEST_F(Abend, AenderungMitNeinLaesstDenGespeichertenStand)
{
    neuerAbend();
    teilnehmer(schmidt, false);
    zelle(w->SpieleGrid1, 1, 3, QStringLiteral("2"));
    abschnitt(2);
    teilnehmer(adler, false);
    zelle(w->SpieleGrid1, 1, 3, QStringLiteral("5"));
    beenden(true);
    const Set vorher = spiele();
    ASSERT_EQ(vorher.size(), 2u);

    w->ndern1Click();
    zelle(w->SpieleGrid1, 1, 3, QStringLiteral("9"));
    abschnitt(1);
    w->SpieleGrid1->AlleSpieleEntfernen();
    teilnehmer(mueller, true);
    abschnitt(2);
    beenden(false);
    EXPECT_EQ(spiele(), vorher);
    EXPECT_EQ(keglerDerTeilnehmer().size(), 2u);
}

// Back and forth between sections stores each amount once; games 1 and 3 come back with
// game 2 empty; 0 and 0,00 are not stored; a count of 1,5 is not stored, 2 is.
TEST_F(Abend, AbschnittswechselUndWerteDieNichtGespeichertWerden)
{
    neuerAbend();
    teilnehmer(schmidt, false);
    teilnehmer(adler, true);
    teilnehmer(mueller, true);
    zelle(w->SpieleGrid1, 1, 3, QStringLiteral("1.5"));
    EXPECT_EQ(w->SpieleGrid1->cell(1, 3), QStringLiteral("1,50")); // reformatted on leaving
    zelle(w->SpieleGrid1, 1, 4, QStringLiteral("0"));
    zelle(w->SpieleGrid1, 1, 5, QStringLiteral("4"));
    zelle(w->SpieleGrid1, 2, 3, QStringLiteral("0,00"));
    const int p = w->SonstigeGrid1->postenZeile(QString::number(pudel));
    const int b = w->SonstigeGrid1->postenZeile(QString::number(bier));
    zelle(w->SonstigeGrid1, 2, p, QStringLiteral("1,5"));
    zelle(w->SonstigeGrid1, 2, b, QStringLiteral("2"));
    for (int i = 0; i < 3; ++i) {
        abschnitt(2);
        abschnitt(1);
    }
    EXPECT_EQ(w->SpieleGrid1->rowCount(), 6); // games 1 to 3
    EXPECT_EQ(w->SpieleGrid1->cell(1, 3), QStringLiteral("1,50"));
    EXPECT_TRUE(w->SpieleGrid1->cell(1, 4).isEmpty());
    EXPECT_EQ(w->SpieleGrid1->cell(1, 5), QStringLiteral("4,00"));
    EXPECT_TRUE(w->SpieleGrid1->cell(2, 3).isEmpty());
    EXPECT_TRUE(w->SonstigeGrid1->cell(2, p).isEmpty());
    EXPECT_EQ(w->SonstigeGrid1->cell(2, b), QStringLiteral("2"));
    beenden(true);
    EXPECT_EQ(spiele(), (Set{"T1 A1 K1 S1=1.5", "T1 A1 K1 S3=4"}));
    EXPECT_EQ(sonstige(), (Set{"T1 A1 K1 P2=2"}));
}

// Counts of an item that the evening's price list does not hold show in an extra row with
// only the item number, and are stored again.
TEST_F(Abend, PostenEinerAnderenPreislisteInEigenerZeile)
{
    const int fremd = verein.satz("SONSTYPE.DBF", {{"BEZEICHNUN", Value::text("Alt")}, {"EINZELPREI", Value::number(1)},
                                                   {"PREISLISTE", Value::number(7)}, {"GUELTIG", Value::number(1)}});
    neuerAbend();
    teilnehmer(schmidt, false);
    beenden(true);
    verein.satz("SONSTKEG.DBF", {{"KEGLERNR", Value::number(1)}, {"TERMIN", Value::number(1)},
                                 {"ABSCHNITT", Value::number(1)}, {"TYP", Value::number(fremd)},
                                 {"ANZAHL", Value::number(3)}});
    w->ndern1Click();
    const int zeile = w->SonstigeGrid1->rowCount() - 1;
    EXPECT_EQ(w->SonstigeGrid1->cell(0, zeile), QString::number(fremd));
    EXPECT_TRUE(w->SonstigeGrid1->cell(1, zeile).isEmpty());
    EXPECT_EQ(w->SonstigeGrid1->cell(2, zeile), QStringLiteral("3"));
    beenden(true);
    EXPECT_EQ(sonstige(), (Set{"T1 A1 K1 P3=3"}));
}

// Amounts typed where no bowler is chosen are refused when the section is stored, and the
// evening stays open with what was typed.
TEST_F(Abend, BetragOhneKeglerWirdAbgewiesen)
{
    neuerAbend();
    teilnehmer(schmidt, false);
    zelle(w->SpieleGrid1, 1, 3, QStringLiteral("2"));
    w->SpieleGrid1->spalteAnfuegen();
    w->SpieleGrid1->setCell(2, 3, QStringLiteral("5"));
    script.answer(Answer::Yes);
    w->OKBtnClick();
    EXPECT_EQ(w->tag(), Eingabemodus::Neu);
    EXPECT_TRUE(script.texts().last().contains(QStringLiteral("ohne Kegler")));
    EXPECT_EQ(w->SpieleGrid1->cell(2, 3), QStringLiteral("5"));
    w->SpieleGrid1->setCell(2, 3, QString());
    beenden(true);
    EXPECT_EQ(spiele(), (Set{"T1 A1 K1 S1=2"}));
}

} // namespace trevo::evenings::test

namespace trevo::evenings::test {

// The path at the lane, keys only: the bowlers by number with Ins between them, Enter into
// the games grid, F6 to the next bowler, F8 to the items, F7 to the section, F9 to
// end.
TEST_F(Abend, AbendNurMitDerTastatur)
{
    neuerAbend();
    for (int i = 0; i < 4; ++i) taste(Qt::Key_Return); // remarks, contribution, price list, section
    ASSERT_EQ(QApplication::focusWidget(), w->Keglernummeredit);
    tippen(QString::number(schmidt));
    taste(Qt::Key_Insert);
    tippen(QString::number(adler));
    taste(Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), w->SpieleGrid1)
        << QApplication::focusWidget()->objectName().toStdString() << " " << script.texts().join("|").toStdString()
        << " " << w->teilnehmer().text("KEGLER");
    tippen(QStringLiteral("1"));
    taste(Qt::Key_Return);
    tippen(QStringLiteral("2"));
    taste(Qt::Key_Return);
    taste(Qt::Key_F6);
    tippen(QStringLiteral("3"));
    taste(Qt::Key_Return);
    taste(Qt::Key_F8);
    ASSERT_EQ(QApplication::focusWidget(), w->SonstigeGrid1);
    tippen(QStringLiteral("4"));
    taste(Qt::Key_Return);
    tippen(QStringLiteral("1"));
    taste(Qt::Key_Return);
    taste(Qt::Key_F7);
    EXPECT_EQ(QApplication::focusWidget(), w->Abschnittedit) << QApplication::focusWidget()->objectName().toStdString();
    tippen(QStringLiteral("2"));
    EXPECT_EQ(w->abschnitt(), 2) << script.texts().join("|").toStdString() << " text " << w->Abschnittedit->text().toStdString();
    script.answer(Answer::Yes);
    taste(Qt::Key_F9);
    EXPECT_EQ(w->tag(), Eingabemodus::Blaettern);
    EXPECT_EQ(spiele(), (std::multiset<std::string>{"T1 A1 K1 S1=1", "T1 A1 K1 S2=2", "T1 A1 K2 S1=3"}));
    EXPECT_EQ(sonstige(), (std::multiset<std::string>{"T1 A1 K1 P1=4", "T1 A1 K1 P2=1"}));
}

} // namespace trevo::evenings::test
