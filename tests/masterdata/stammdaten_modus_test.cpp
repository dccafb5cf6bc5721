// The members window towards the shell: the menu rule it applies when the data module
// says whether its table holds records, and the close question before the program ends.
#include "mitglieder_fixture.h"

#include <QPushButton>

namespace trevo::masterdata::test {
namespace {

using common::Answer;

TEST_F(Mitglieder, TableFilledOrEmptySwitchesExactlyTheItemsOfTheRule)
{
    const std::initializer_list<QAction*> followers = {w->ndern1, w->Kopierenundndern1, w->Bereich1};
    const std::initializer_list<QMenu*> followingMenus = {w->Bearbeiten1, w->Suchen1, w->Drucken1};
    const std::initializer_list<QAction*> always = {w->Neueingabe1, w->Sortierung1, w->Lschen2, w->Neueingabe2,
                                                    w->Kopierenundndern2};
    const std::initializer_list<QMenu*> alwaysMenus = {w->Eingabe1, w->Ansicht1, w->Eingabe2};
    const std::initializer_list<QWidget*> buttons = {w->ToolButton5,  w->ToolButton10, w->ToolButton11,
                                                     w->ToolButton13, w->BereichToolButton, w->ToolButton14,
                                                     w->ToolButton1,  w->ToolButton4};
    for (const bool filled : {false, true, false}) {
        w->tabelleGefuellt(filled);
        for (QAction* a : followers) EXPECT_EQ(a->isEnabled(), filled) << a->objectName().toStdString();
        for (QMenu* m : followingMenus) EXPECT_EQ(enabled(m), filled) << m->objectName().toStdString();
        for (QAction* a : always) EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
        for (QMenu* m : alwaysMenus) EXPECT_TRUE(enabled(m)) << m->objectName().toStdString();
        for (QWidget* b : buttons) EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
    }
}

TEST_F(Mitglieder, ReturnToBrowseAsksTheDataModulesRuleAgain)
{
    w->tabelleGefuellt(false); // as if the table had been empty
    w->ndern1->trigger();
    w->CancelBtnClick();
    EXPECT_TRUE(w->ndern1->isEnabled()) << "the module counted the three bowlers";
}

TEST_F(Mitglieder, ProgramEndCancelledKeepsTheEntryAndYesStoresIt)
{
    w->Neueingabe1->trigger();
    type(w->DBEdit2, "Zander");
    script.answer(Answer::Cancel);
    EXPECT_FALSE(w->programmendeErlaubt());
    EXPECT_EQ(mode(), Eingabemodus::Neu);
    EXPECT_EQ(t().state(), engine::DataSetState::Insert);
    EXPECT_EQ(current("NAME"), "Zander");
    EXPECT_TRUE(w->EingabebeendenBitBtn1->isVisible());
    EXPECT_EQ(fileRecords(), 3u);

    script.answer(Answer::Yes);
    EXPECT_TRUE(w->programmendeErlaubt());
    EXPECT_EQ(mode(), Eingabemodus::Blaettern);
    EXPECT_EQ(t().state(), engine::DataSetState::Browse);
    EXPECT_EQ(verein.feld(4, "NAME"), "Zander");
    EXPECT_EQ(w->menus(), w->MainMenu1);
    EXPECT_EQ(script.texts(), QStringList({"Daten speichern ?", "Daten speichern ?"}));

    EXPECT_TRUE(w->programmendeErlaubt()) << "browsing: nothing to ask";
    EXPECT_EQ(script.texts().size(), 2);
}

TEST_F(Mitglieder, ProgramEndAnsweredNoDropsTheChange)
{
    t().locate("NUMMER", engine::Value::number(adler));
    w->ndern1->trigger();
    type(w->DBEdit3, "Am Markt 2");
    script.answer(Answer::No);
    EXPECT_TRUE(w->programmendeErlaubt());
    EXPECT_EQ(mode(), Eingabemodus::Blaettern);
    EXPECT_EQ(verein.feld(adler, "STRASSE"), "");
}

TEST_F(Mitglieder, ClosingTheMainWindowAsksTheWindowsCloseQuestionFirst)
{
    t().locate("NUMMER", engine::Value::number(adler));
    w->ndern1->trigger();
    type(w->DBEdit3, "Am Markt 2");
    script.answer(Answer::Yes).answer(Answer::No);
    main->close();
    EXPECT_EQ(script.texts(), QStringList({"Daten speichern ?", "Programm beenden ?"}));
    EXPECT_EQ(verein.feld(adler, "STRASSE"), "Am Markt 2");
    EXPECT_TRUE(main->isVisible()) << "No keeps the program running";

    w->ndern1->trigger();
    script.answer(Answer::Cancel);
    main->close();
    EXPECT_EQ(script.texts().size(), 3) << "Abbrechen: the program is not even asked";
    EXPECT_EQ(mode(), Eingabemodus::Aendern);
    script.answer(Answer::No);
    w->CloseBtnClick();
}

} // namespace
} // namespace trevo::masterdata::test
