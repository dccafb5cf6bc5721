// Entering, changing, copying, storing, dropping and deleting bowlers in the members
// window, checked in the table file.
#include "mitglieder_fixture.h"

#include <QMenu>
#include <QPushButton>
#include <QToolButton>

namespace trevo::masterdata::test {
namespace {

using common::Answer;

class LeererVerein : public Mitglieder {
protected:
    void club() override {}
};

TEST_F(LeererVerein, EmptyTableDisablesItemsAndChangeStartsANewRecord)
{
    EXPECT_FALSE(w->ndern1->isEnabled());
    EXPECT_FALSE(w->Kopierenundndern1->isEnabled());
    EXPECT_FALSE(enabled(w->Bearbeiten1));
    EXPECT_FALSE(w->Bereich1->isEnabled());
    EXPECT_FALSE(enabled(w->Suchen1));
    EXPECT_FALSE(enabled(w->Drucken1));
    EXPECT_TRUE(w->Neueingabe1->isEnabled());
    EXPECT_TRUE(w->Sortierung1->isEnabled());
    EXPECT_TRUE(w->ToolButton11->isEnabled());

    QTest::mouseClick(w->ToolButton11, Qt::LeftButton); // "Daten ändern"
    EXPECT_EQ(mode(), Eingabemodus::Aendern);
    EXPECT_EQ(t().state(), engine::DataSetState::Insert);
    EXPECT_EQ(current("NUMMER"), "1");
    EXPECT_TRUE(w->EingabebeendenBitBtn1->isVisible());
    EXPECT_EQ(w->menus(), w->EingabeMenu);

    type(w->DBEdit2, "Zander");
    script.answer(Answer::Yes);
    QTest::mouseClick(w->EingabebeendenBitBtn1, Qt::LeftButton);
    EXPECT_EQ(mode(), Eingabemodus::Blaettern);
    EXPECT_EQ(script.texts(), QStringList({"Daten speichern ?"}));
    ASSERT_EQ(fileRecords(), 1u);
    EXPECT_EQ(verein.feld(1, "NAME"), "Zander");
    EXPECT_EQ(verein.feld(1, "MITGLIED"), "Wahr");
    // The first record switches the items on (the data module's rule after post).
    EXPECT_TRUE(w->ndern1->isEnabled());
    EXPECT_TRUE(enabled(w->Suchen1));
    EXPECT_EQ(w->menus(), w->MainMenu1);
}

TEST_F(Mitglieder, SeriesOfNewRecordsUntilNo)
{
    QTest::mouseClick(w->ToolButton10, Qt::LeftButton); // "Neuer Datensatz"
    EXPECT_EQ(mode(), Eingabemodus::Neu);
    EXPECT_EQ(current("NUMMER"), "4");
    EXPECT_EQ(QApplication::focusWidget(), w->MitgliednummerDBEdit2);
    type(w->MitgliednummerDBEdit2, "20");
    type(w->DBEdit2, "Zander");
    type(w->GeburtstagsEdit, "3.4.1970");
    script.answer(Answer::Yes);
    QTest::mouseClick(w->EingabebeendenBitBtn1, Qt::LeftButton);
    EXPECT_EQ(mode(), Eingabemodus::Neu); // the next new record is started
    EXPECT_EQ(current("NUMMER"), "5");
    EXPECT_EQ(current("NAME"), "");
    EXPECT_EQ(verein.feld(4, "NAME"), "Zander");
    EXPECT_EQ(verein.feld(4, "MITGLIEDNR"), "20");
    EXPECT_EQ(verein.feld(4, "GEBURTSTAG"), "03.04.1970");
    EXPECT_EQ(verein.feld(4, "GEBTAGNUM"), "25661");

    type(w->DBEdit2, "Yilmaz");
    script.answer(Answer::No);
    QTest::mouseClick(w->EingabebeendenBitBtn1, Qt::LeftButton);
    EXPECT_EQ(mode(), Eingabemodus::Blaettern);
    EXPECT_EQ(fileRecords(), 4u);
    EXPECT_EQ(verein.feld(5, "NAME"), "<fehlt>");
    EXPECT_FALSE(w->DBEdit2->isEnabled());
    EXPECT_FALSE(w->EingabebeendenBitBtn1->isVisible());
}

TEST_F(Mitglieder, SavingAnIncompleteRecordIsRefusedOnlyANameIsNeeded)
{
    w->Neueingabe1->trigger();
    type(w->VornameEdit, "Ohne Namen");
    QTest::mouseClick(w->EingabebeendenBitBtn1, Qt::LeftButton);
    EXPECT_EQ(script.texts(), QStringList({QString::fromUtf8("Die Daten sind nicht vollständig")}));
    EXPECT_EQ(mode(), Eingabemodus::Neu);
    QTest::mouseClick(w->DatensatzeinfuegenBitBtn1, Qt::LeftButton);
    EXPECT_EQ(script.texts().size(), 2);
    EXPECT_EQ(current("NUMMER"), "4");

    type(w->DBEdit2, "Nur Name");
    w->VornameEdit->clear();
    script.answer(Answer::No); // "Datensatz einfügen " stores without a question
    QTest::mouseClick(w->DatensatzeinfuegenBitBtn1, Qt::LeftButton);
    EXPECT_EQ(script.pendingAnswers(), 1u);
    script.clear();
    EXPECT_EQ(mode(), Eingabemodus::Neu);
    EXPECT_EQ(current("NUMMER"), "5");
    EXPECT_EQ(verein.feld(4, "NAME"), "Nur Name");
}

TEST_F(Mitglieder, BackWithAHalfEnteredRecordStoresItEvenWithoutName)
{
    w->Neueingabe1->trigger();
    type(w->DBEdit3, "Hauptstr. 1");
    script.answer(Answer::Cancel);
    QTest::mouseClick(w->ToolButton5, Qt::LeftButton); // "Zurück"
    EXPECT_EQ(mode(), Eingabemodus::Neu);
    EXPECT_EQ(main->activeCode(), 5);

    script.answer(Answer::Yes);
    QTest::mouseClick(w->BitBtn2, Qt::LeftButton); // "&Schließen"
    EXPECT_EQ(script.texts(), QStringList({"Daten speichern ?", "Daten speichern ?"}));
    EXPECT_EQ(mode(), Eingabemodus::Blaettern);
    EXPECT_EQ(main->activeCode(), 1);
    EXPECT_EQ(verein.feld(4, "STRASSE"), "Hauptstr. 1");
    EXPECT_EQ(verein.feld(4, "NAME"), "");
    EXPECT_EQ(main->Fensterobjekt(5), w); // the window stays alive
}

TEST_F(Mitglieder, BackAnsweredNoDropsTheChange)
{
    t().first();
    w->ndern1->trigger();
    type(w->DBEdit2, "X");
    script.answer(Answer::No);
    w->CloseBtnClick();
    EXPECT_EQ(mode(), Eingabemodus::Blaettern);
    EXPECT_EQ(verein.feld(adler, "NAME"), "Adler");
    EXPECT_EQ(main->activeCode(), 1);
}

TEST_F(Mitglieder, NewRecordWhileEnteringStoresWithoutQuestionOrRefusesWhenIncomplete)
{
    w->Neueingabe1->trigger();
    w->Neueingabe1Click(); // from the entry menu: the record is still empty
    EXPECT_EQ(script.texts(), QStringList({"Die Daten sind noch nicht komplett"}));
    EXPECT_EQ(script.shown().back().kind, common::BoxKind::Error);
    EXPECT_EQ(current("NUMMER"), "4");

    type(w->DBEdit2, "Zander");
    w->Neueingabe2->trigger();
    EXPECT_EQ(script.texts().size(), 1);
    EXPECT_EQ(mode(), Eingabemodus::Neu);
    EXPECT_EQ(current("NUMMER"), "5");
    EXPECT_EQ(verein.feld(4, "NAME"), "Zander");
}

TEST_F(Mitglieder, ClickOnAnotherRowStoresTheNewRecordWithOnlyItsNumber)
{
    w->Neueingabe1->trigger();
    clickRow(schmidt);
    EXPECT_EQ(current("NAME"), "Schmidt");
    ASSERT_EQ(fileRecords(), 4u);
    EXPECT_EQ(verein.feld(4, "NAME"), "");
    EXPECT_EQ(verein.feld(4, "MITGLIED"), "Wahr");
}

TEST_F(Mitglieder, ChangeUnchangedIsDroppedByTheNextMove)
{
    t().locate("NUMMER", engine::Value::number(mueller));
    w->ndern1->trigger();
    EXPECT_EQ(t().state(), engine::DataSetState::Edit);
    clickRow(schmidt);
    EXPECT_EQ(t().state(), engine::DataSetState::Browse);
    EXPECT_EQ(verein.feld(mueller, "NAME"), "Müller");
}

TEST_F(Mitglieder, CopyAndChangeKeepsTheSourceAndCopiesEveryOtherField)
{
    verein.office("Kassierer");
    t().locate("NUMMER", engine::Value::number(schmidt));
    t().edit();
    t().setText("FUNKTION", "1");
    t().setText("BEMERKUNGE", "zahlt pünktlich");
    t().setText("GEBURTSTAG", "1.2.1960");
    t().post();

    w->Kopierenundndern1->trigger();
    EXPECT_EQ(mode(), Eingabemodus::KopierenUndAendern);
    EXPECT_EQ(current("NUMMER"), "4");
    EXPECT_EQ(current("NAME"), "Schmidt");
    EXPECT_EQ(w->DBEdit2->text(), "Schmidt");
    w->VornameEdit->setFocus();
    QTest::keyClick(w->VornameEdit, Qt::Key_End);
    QTest::keyClicks(w->VornameEdit, "-Heinz");
    script.answer(Answer::Yes);
    w->OKBtnClick();
    EXPECT_EQ(mode(), Eingabemodus::Blaettern);

    const char* fields[] = {"MITGLIEDNR", "NAME", "MITGLIED", "FUNKTION", "BEMERKUNGE", "GEBURTSTAG", "GEBTAGNUM"};
    for (const char* f : fields) EXPECT_EQ(verein.feld(4, f), verein.feld(schmidt, f)) << f;
    EXPECT_EQ(verein.feld(4, "VORNAME"), "Karl-Heinz");
    EXPECT_EQ(verein.feld(schmidt, "VORNAME"), "Karl");
}

TEST_F(Mitglieder, CancelAndEscDropThePendingRecord)
{
    w->Neueingabe1->trigger();
    type(w->DBEdit2, "Zander");
    QTest::mouseClick(w->EingabeAbbruchBitBtn1, Qt::LeftButton);
    EXPECT_EQ(mode(), Eingabemodus::Blaettern);
    EXPECT_EQ(fileRecords(), 3u);

    w->ndern1->trigger();
    type(w->DBEdit2, "X");
    script.answer(Answer::No);
    QTest::keyClick(w->DBEdit2, Qt::Key_Escape);
    EXPECT_EQ(mode(), Eingabemodus::Aendern);
    script.answer(Answer::Yes);
    QTest::keyClick(w->DBEdit2, Qt::Key_Escape);
    EXPECT_EQ(script.texts(), QStringList({"Dateneingabe abbrechen ?", "Dateneingabe abbrechen ?"}));
    EXPECT_EQ(mode(), Eingabemodus::Blaettern);
    EXPECT_EQ(t().state(), engine::DataSetState::Browse);
    EXPECT_EQ(verein.feld(adler, "NAME"), "Adler");
}

TEST_F(Mitglieder, ActivationSwitchesToBrowseAndLeavesTheRecordPending)
{
    w->Neueingabe1->trigger();
    type(w->DBEdit2, "Zander");
    main->FensterAktivieren(1);
    main->FensterAktivieren(5);
    EXPECT_EQ(mode(), Eingabemodus::Blaettern);
    EXPECT_FALSE(w->DBEdit2->isEnabled());
    EXPECT_FALSE(w->EingabebeendenBitBtn1->isVisible());
    EXPECT_EQ(t().state(), engine::DataSetState::Insert);
    EXPECT_EQ(fileRecords(), 3u);
    clickRow(adler); // the next move in the grid stores it
    EXPECT_EQ(verein.feld(4, "NAME"), "Zander");
}

TEST_F(Mitglieder, DeleteIsRefusedForABowlerWhoPlayed)
{
    verein.teilnahme(schmidt);
    t().locate("NUMMER", engine::Value::number(schmidt));
    w->Lschen2->trigger();
    EXPECT_EQ(script.texts(),
              QStringList({QString::fromUtf8("Der Datensatz darf nicht gelöscht werden. Die lfd.Nummer wird in "
                                             "einer anderen Tabelle verwendet")}));
    EXPECT_EQ(fileRecords(), 3u);

    script.clear();
    t().locate("NUMMER", engine::Value::number(adler));
    script.answer(Answer::No);
    w->Lschen2->trigger();
    EXPECT_EQ(fileRecords(), 3u);
    script.answer(Answer::Yes);
    w->Lschen2->trigger();
    EXPECT_EQ(script.texts(), QStringList({QString::fromUtf8("Datensatz löschen ?"),
                                           QString::fromUtf8("Datensatz löschen ?")}));
    EXPECT_EQ(fileRecords(), 2u);
    EXPECT_EQ(verein.feld(adler, "NAME"), "<fehlt>");
}

TEST_F(Mitglieder, DeletingTheLastRecordsDisablesTheItems)
{
    for (int n : {adler, mueller}) {
        t().locate("NUMMER", engine::Value::number(n));
        script.answer(Answer::Yes);
        w->Lschen2Click();
    }
    EXPECT_TRUE(w->ndern1->isEnabled());
    script.answer(Answer::Yes);
    w->Lschen2Click();
    EXPECT_EQ(fileRecords(), 0u);
    EXPECT_FALSE(w->ndern1->isEnabled());
    EXPECT_FALSE(enabled(w->Bearbeiten1));
    EXPECT_FALSE(enabled(w->Drucken1));
}

TEST_F(Mitglieder, GuideCodes)
{
    w->Lotsenbefehl(Lotsencode::Aendern);
    EXPECT_EQ(mode(), Eingabemodus::Aendern);
    w->Lotsenbefehl(Lotsencode::Aendern); // only in browse mode
    EXPECT_EQ(mode(), Eingabemodus::Aendern);
    w->CancelBtnClick();
    w->Lotsenbefehl(Lotsencode::Neueingabe);
    EXPECT_EQ(mode(), Eingabemodus::Neu);
    EXPECT_EQ(current("NUMMER"), "4");
    type(w->DBEdit2, "Zander");
    w->Lotsenbefehl(Lotsencode::Neueingabe); // insert next
    EXPECT_EQ(current("NUMMER"), "5");
    EXPECT_EQ(verein.feld(4, "NAME"), "Zander");
    w->Lotsenbefehl(Lotsencode::Liste); // no print facility: nothing
    w->Lotsenbefehl(static_cast<Lotsencode>(99));
    EXPECT_TRUE(script.texts().isEmpty());
    EXPECT_TRUE(verein.gedruckt.empty());
}

TEST_F(Mitglieder, StoringRefusedByTheStoreKeepsModeAndRecord)
{
    t().events.beforePost = [](engine::DataSet&) { throw engine::ValueError("Feld ORT ist zu lang"); };
    w->Neueingabe1->trigger();
    type(w->DBEdit2, "Zander");
    script.answer(Answer::Yes);
    w->OKBtnClick();
    EXPECT_EQ(script.texts().back(), "Feld ORT ist zu lang");
    EXPECT_EQ(mode(), Eingabemodus::Neu);
    EXPECT_EQ(t().state(), engine::DataSetState::Insert);
    EXPECT_EQ(current("NAME"), "Zander");
    EXPECT_EQ(fileRecords(), 3u);
    t().events.beforePost = nullptr;
}

TEST_F(Mitglieder, AnotherDataFolderIsShownAtOnceAndEndsTheEntry)
{
    w->ndern1->trigger();
    verein.zweiterOrdner();
    const int neu = verein.bowler({"Neumann", "Ida", "1"});
    verein.ordnerUebernehmen();
    EXPECT_EQ(mode(), Eingabemodus::Blaettern);
    EXPECT_FALSE(w->DBEdit2->isEnabled());
    EXPECT_EQ(&t(), w->tabelle());
    EXPECT_EQ(w->DBGrid1->model().rowCount(), 1);
    EXPECT_EQ(w->DBEdit2->text(), "Neumann");
    w->ndern1->trigger();
    w->DBEdit2->setFocus();
    w->DBEdit2->selectAll();
    QTest::keyClicks(w->DBEdit2, "Neumann-Berg");
    script.answer(Answer::Yes);
    w->OKBtnClick();
    EXPECT_EQ(verein.feld(neu, "NAME"), "Neumann-Berg");
    EXPECT_EQ(verein.dateiInhalt("KEGLER.DBF").size(), 1u);
}

} // namespace
} // namespace trevo::masterdata::test
