// How a price list being entered ends when its entry ends without "Eingabe beenden"
// answered Ja: nothing typed is lost, nothing untouched is stored, and no transaction of
// the price lists stays open; checked in SONSTYP0.DBF and SONSTYPE.DBF.
#include "sonstige_fixture.h"

namespace trevo::masterdata::test {
namespace {

using common::Answer;
using engine::DataSetState;

TEST_F(Sonstige, CancelKeepsTheNewListWithTheItemsItAlreadyHolds)
{
    w->NeueingabePreisliste1->trigger();
    type(w->Datumedit, "1.1.2026");
    type(w->NameDBEdit, "Bier");
    QTest::mouseClick(w->DatensatzeinfuegenBitBtn1, Qt::LeftButton);
    type(w->NameDBEdit, "Halb getippt");
    QTest::mouseClick(w->EingabeAbbruchBitBtn1, Qt::LeftButton);
    EXPECT_EQ(mode(), Eingabemodus::Blaettern);
    EXPECT_FALSE(session().inTransaction());
    EXPECT_EQ(lists().state(), DataSetState::Browse);
    EXPECT_EQ(list(3, "DATUM"), "01.01.2026");
    EXPECT_EQ(item(5, "BEZEICHNUN"), "Bier");
    EXPECT_EQ(item(6, "BEZEICHNUN"), "<fehlt>") << "the item being typed is dropped";
    EXPECT_EQ(abend().aufgefrischt, 1) << "a list was stored";
}

TEST_F(Sonstige, AnUntouchedNewListGoesWithEveryWayOut)
{
    w->NeueingabePreisliste1->trigger();
    QTest::mouseClick(w->EingabeAbbruchBitBtn1, Qt::LeftButton);
    EXPECT_FALSE(session().inTransaction());
    EXPECT_EQ(records(listenDbf), 2u);
    EXPECT_EQ(numbers(lists()), std::vector<int>({liste2024, liste2025}));

    w->NeueingabePreisliste1->trigger();
    script.answer(Answer::Yes); // Esc: "Dateneingabe abbrechen ?"
    w->NameDBEdit->setFocus();
    QTest::keyClick(w->NameDBEdit, Qt::Key_Escape);
    EXPECT_EQ(mode(), Eingabemodus::Blaettern);
    EXPECT_EQ(records(listenDbf), 2u);

    // A new list while the last one is still untouched replaces it: the number is the same.
    w->NeueingabePreisliste1->trigger();
    w->NeuePreisliste1->trigger();
    EXPECT_EQ(w->DBEdit1->text(), "3");
    script.answer(Answer::No);
    w->CloseBtnClick();
    EXPECT_EQ(records(listenDbf), 2u);
    EXPECT_EQ(records(detailDbf), 4u);
    EXPECT_FALSE(session().inTransaction());
    EXPECT_EQ(abend().aufgefrischt, 0);
}

TEST_F(Sonstige, SaveAnsweredNoDropsTheItemButKeepsWhatWasTypedIntoTheList)
{
    w->NeueingabePreisliste1->trigger();
    retype(w->Beitragedit, "3");
    type(w->NameDBEdit, "Bier");
    save(Answer::No);
    EXPECT_EQ(mode(), Eingabemodus::Blaettern);
    EXPECT_FALSE(session().inTransaction());
    EXPECT_EQ(list(3, "BEITRAG"), "3,00");
    EXPECT_EQ(records(detailDbf), 4u);
}

TEST_F(Sonstige, CloseAsksAboutTheItemAndSettlesTheList)
{
    w->NeueingabePreisliste1->trigger();
    type(w->Datumedit, "2.2.2026");
    type(w->NameDBEdit, "Bier");
    script.answer(Answer::Cancel);
    QTest::mouseClick(w->ToolButton5, Qt::LeftButton);
    EXPECT_EQ(mode(), Eingabemodus::Neu);
    EXPECT_TRUE(session().inTransaction());
    EXPECT_EQ(records(listenDbf), 2u);

    script.answer(Answer::Yes);
    QTest::mouseClick(w->BitBtn2, Qt::LeftButton);
    EXPECT_EQ(mode(), Eingabemodus::Blaettern);
    EXPECT_FALSE(session().inTransaction());
    EXPECT_EQ(list(3, "DATUM"), "02.02.2026");
    EXPECT_EQ(item(5, "PREISLISTE"), "3");
    EXPECT_EQ(main->activeCode(), common::Fenster::Termine);
}

TEST_F(Sonstige, TheProgramsEndStoresOrDropsTheWholeListNeverHalf)
{
    w->NeueingabePreisliste1->trigger();
    type(w->NameDBEdit, "Bier");
    QTest::mouseClick(w->DatensatzeinfuegenBitBtn1, Qt::LeftButton);
    type(w->NameDBEdit, "Korn");
    script.answer(Answer::No);
    EXPECT_TRUE(w->programmendeErlaubt());
    EXPECT_FALSE(session().inTransaction());
    EXPECT_EQ(item(5, "BEZEICHNUN"), "Bier") << "the list holds an item: it stays with it";
    EXPECT_EQ(item(6, "BEZEICHNUN"), "<fehlt>");
    EXPECT_EQ(list(3, "NUMMER"), "3");

    w->NeueingabePreisliste1->trigger();
    type(w->NameDBEdit, "Wein");
    script.answer(Answer::Yes);
    EXPECT_TRUE(w->programmendeErlaubt());
    EXPECT_EQ(item(6, "BEZEICHNUN"), "Wein");
    EXPECT_EQ(item(6, "PREISLISTE"), "4");
    EXPECT_EQ(list(4, "NUMMER"), "4");
}

TEST_F(Sonstige, ChangeEndedWithoutSavingDropsTheItemAndKeepsAChangedList)
{
    gotoItem(pudel);
    w->Aendern1Click();
    retype(w->PreisEdit, "9");
    QTest::mouseClick(w->EingabeAbbruchBitBtn1, Qt::LeftButton);
    EXPECT_EQ(item(pudel, "EINZELPREI"), "0,20");
    EXPECT_EQ(lists().state(), DataSetState::Browse) << "unchanged: simply back to browse";

    w->Aendern1Click();
    retype(w->Beitragedit, "6");
    retype(w->PreisEdit, "9");
    save(Answer::No);
    EXPECT_EQ(item(pudel, "EINZELPREI"), "0,20");
    EXPECT_EQ(list(liste2024, "BEITRAG"), "6,00") << "what was typed into the list is kept";
}

} // namespace
} // namespace trevo::masterdata::test
