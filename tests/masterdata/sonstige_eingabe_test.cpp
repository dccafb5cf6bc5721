// The other-items window: its layout and menus, entering price lists with their items in
// one transaction, changing and copying items, the checks of the date and of "Wer zahlt",
// checked in SONSTYP0.DBF and SONSTYPE.DBF.
#include "sonstige_fixture.h"

#include "dbcontrols/db_check_box.h"

#include <QLabel>

namespace trevo::masterdata::test {
namespace {

using common::Answer;
using engine::DataSetState;

QStringList texte(const QMenu* menu)
{
    QStringList out;
    for (QAction* a : menu->actions())
        if (a->isVisible()) out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

TEST_F(Sonstige, WindowListsAboveItsItemsWithTheMenusOfListsAndDetails)
{
    EXPECT_EQ(w->windowTitle(), "Sonstige Beträge");
    EXPECT_EQ(numbers(lists()), std::vector<int>({liste2024, liste2025}));
    EXPECT_EQ(numbers(items()), std::vector<int>({bier, pudel, runde})) << "the items of the first list";
    EXPECT_EQ(w->ToolButton10->toolTip(), "Neues Detail");
    EXPECT_NE(w->ToolButton1, nullptr) << "search next";
    EXPECT_EQ(w->DatensatzeinfuegenBitBtn1->text(), "Detail einfügen ");
    EXPECT_EQ(w->Datumedit->text(), "01.01.2024");
    EXPECT_EQ(w->Beitragedit->text(), "5,00");
    EXPECT_EQ(w->WaehrungStrEdit->text(), "EUR");
    EXPECT_EQ(w->PreisEdit->text(), "1,50");
    EXPECT_EQ(w->DBGrid1->model().index(1, 2).data().toString(), "0,20");
    EXPECT_FALSE(w->Datumedit->isEnabled());
    EXPECT_FALSE(w->NameDBEdit->isEnabled());

    EXPECT_EQ(texte(w->Eingabe1), QStringList({"Neueingabe &Preisliste", "&Neueingabe Detail", "&Ändern"}));
    EXPECT_EQ(texte(w->Bearbeiten1), QStringList({"&Preisliste löschen", "Detail &löschen"}));
    EXPECT_EQ(texte(w->Eingabe2), QStringList({"Neue &Preisliste", "P&reisliste ändern", "-", "&Neues Detail",
                                               "&Detail Kopieren und ändern"}));
    EXPECT_EQ(w->menus(), w->MainMenu1);
}

TEST_F(Sonstige, ChoosingAnotherListShowsItsItems)
{
    const QRect row2 = w->DBGrid2->visualRect(w->DBGrid2->model().index(1, 1));
    QTest::mouseClick(w->DBGrid2->viewport(), Qt::LeftButton, {}, row2.center());
    EXPECT_EQ(lists().text("NUMMER"), std::to_string(liste2025));
    EXPECT_EQ(numbers(items()), std::vector<int>({cola}));
    EXPECT_EQ(w->NameDBEdit->text(), "Cola");

    w->DBNavigator2->firstButton()->click();
    EXPECT_EQ(numbers(items()), std::vector<int>({bier, pudel, runde}));
}

TEST_F(Sonstige, NewPriceListAndItsItemsAreStoredTogether)
{
    w->NeueingabePreisliste1->trigger();
    EXPECT_EQ(mode(), Eingabemodus::Neu);
    EXPECT_EQ(lists().state(), DataSetState::Insert);
    EXPECT_EQ(w->DBEdit1->text(), "3") << "the next list number";
    EXPECT_EQ(w->Datumedit->text(), "");
    EXPECT_EQ(items().state(), DataSetState::Insert);
    EXPECT_EQ(items().text("PREISLISTE"), "3");
    EXPECT_EQ(items().text("GUELTIG"), "1");
    EXPECT_EQ(w->DBGrid1->model().rowCount(), 1) << "only the new, empty first item";
    EXPECT_EQ(QApplication::focusWidget(), w->NameDBEdit);
    EXPECT_TRUE(w->Datumedit->isEnabled());
    EXPECT_TRUE(session().inTransaction());

    type(w->Datumedit, "1.3.2026");
    type(w->NameDBEdit, "Bier");
    type(w->PreisEdit, "1,60");
    QTest::mouseClick(w->DatensatzeinfuegenBitBtn1, Qt::LeftButton);
    EXPECT_EQ(items().state(), DataSetState::Insert);
    EXPECT_EQ(records(listenDbf), 2u) << "nothing of the new list reaches the files before it is saved";
    EXPECT_EQ(records(detailDbf), 4u);

    type(w->NameDBEdit, "Korn");
    type(w->PreisEdit, "2");
    save();
    EXPECT_EQ(script.texts(), QStringList({"Daten speichern ?"}));
    EXPECT_FALSE(session().inTransaction());
    EXPECT_EQ(list(3, "DATUM"), "01.03.2026");
    EXPECT_EQ(list(3, "WAEHRUNG"), "1");
    EXPECT_EQ(item(5, "BEZEICHNUN"), "Bier");
    EXPECT_EQ(item(5, "PREISLISTE"), "3");
    EXPECT_EQ(item(6, "BEZEICHNUN"), "Korn");
    EXPECT_EQ(item(6, "EINZELPREI"), "2,00");
    EXPECT_EQ(abend().aufgefrischt, 1);

    // The second item of the same list is started and saved the same way.
    EXPECT_EQ(mode(), Eingabemodus::Neu);
    EXPECT_EQ(items().state(), DataSetState::Insert);
    EXPECT_EQ(items().text("PREISLISTE"), "3");
    EXPECT_EQ(QApplication::focusWidget(), w->NameDBEdit);
    type(w->NameDBEdit, "Pudel");
    save();
    EXPECT_EQ(item(7, "BEZEICHNUN"), "Pudel");
    EXPECT_EQ(item(7, "PREISLISTE"), "3");
    EXPECT_EQ(abend().aufgefrischt, 2);
    save(Answer::No); // the empty third item is refused: only a name makes an item
    EXPECT_EQ(script.texts().last(), QString::fromUtf8("Die Daten sind nicht vollständig"));
    script.clear();
    QTest::mouseClick(w->EingabeAbbruchBitBtn1, Qt::LeftButton);
    EXPECT_EQ(mode(), Eingabemodus::Blaettern);
    EXPECT_EQ(records(detailDbf), 7u);
    EXPECT_EQ(numbers(items()), std::vector<int>({5, 6, 7}));
}

TEST_F(Sonstige, ANewItemGoesIntoTheCurrentListWhichIsPutIntoEdit)
{
    gotoList(liste2025);
    QTest::mouseClick(w->ToolButton10, Qt::LeftButton);
    EXPECT_EQ(mode(), Eingabemodus::Neu);
    EXPECT_EQ(lists().state(), DataSetState::Edit);
    EXPECT_EQ(items().text("PREISLISTE"), std::to_string(liste2025));
    type(w->NameDBEdit, "Wasser");
    retype(w->Beitragedit, "7,5");
    save();
    EXPECT_EQ(item(5, "PREISLISTE"), std::to_string(liste2025));
    EXPECT_EQ(list(liste2025, "BEITRAG"), "7,50");
    QTest::mouseClick(w->EingabeAbbruchBitBtn1, Qt::LeftButton);
    EXPECT_EQ(lists().state(), DataSetState::Browse);
    EXPECT_EQ(records(detailDbf), 5u);
}

TEST_F(Sonstige, TheGuidesNewItemInAClubWithoutPriceListsStartsTheFirstList)
{
    verein.leeren(detailDbf);
    verein.leeren(listenDbf);
    lists().refresh();
    w->Lotsenbefehl(Lotsencode::Neueingabe);
    EXPECT_EQ(lists().state(), DataSetState::Insert);
    EXPECT_EQ(items().text("PREISLISTE"), "1");
    type(w->NameDBEdit, "Bier");
    save();
    EXPECT_EQ(list(1, "NUMMER"), "1");
    EXPECT_EQ(item(1, "PREISLISTE"), "1");
    script.answer(Answer::No);
    w->CloseBtnClick();
}

TEST_F(Sonstige, ChangePutsListAndItemIntoEditAndStartsInTheDate)
{
    gotoItem(pudel);
    w->ndern1->trigger();
    EXPECT_EQ(mode(), Eingabemodus::Aendern);
    EXPECT_EQ(lists().state(), DataSetState::Edit);
    EXPECT_EQ(items().state(), DataSetState::Edit);
    EXPECT_EQ(QApplication::focusWidget(), w->Datumedit);
    EXPECT_EQ(w->menus(), w->EingabeMenu);

    // A year before 1930 is taken for one a hundred years later when the field is left.
    w->Datumedit->clear();
    type(w->Datumedit, "1.3.1925");
    QTest::keyClick(w->Datumedit, Qt::Key_Tab);
    EXPECT_EQ(w->Datumedit->text(), "01.03.2025");
    retype(w->PreisEdit, "0,25");
    save();
    EXPECT_EQ(mode(), Eingabemodus::Blaettern);
    EXPECT_EQ(list(liste2024, "DATUM"), "01.03.2025");
    EXPECT_EQ(item(pudel, "EINZELPREI"), "0,25");
}

TEST_F(Sonstige, ChangeOfAListWithoutItemsAppendsTheFirst)
{
    verein.satz(listenDbf, {{"WAEHRUNG", engine::Value::number(1)}});
    gotoList(3);
    EXPECT_TRUE(items().isEmpty());
    w->Aendern1Click();
    EXPECT_EQ(items().state(), DataSetState::Insert);
    EXPECT_EQ(items().text("PREISLISTE"), "3");
    QTest::mouseClick(w->EingabeAbbruchBitBtn1, Qt::LeftButton);
    EXPECT_EQ(records(detailDbf), 4u);
}

TEST_F(Sonstige, CopyAndChangeAnItem)
{
    gotoItem(runde);
    w->Kopierenundndern1Click();
    EXPECT_EQ(mode(), Eingabemodus::KopierenUndAendern);
    EXPECT_EQ(items().text("NUMMER"), "5");
    EXPECT_EQ(w->NameDBEdit->text(), "Runde");
    EXPECT_EQ(items().text("PREISLISTE"), std::to_string(liste2024));
    EXPECT_EQ(items().text("GUELTIG"), "2");
    EXPECT_EQ(QApplication::focusWidget(), w->NameDBEdit);
    type(w->NameDBEdit, " klein");
    save();
    EXPECT_EQ(mode(), Eingabemodus::Blaettern);
    EXPECT_EQ(item(5, "BEZEICHNUN"), "Runde klein");
    EXPECT_EQ(item(5, "EINZELPREI"), "2,00");
    EXPECT_EQ(item(5, "GUELTIG"), "2");
    EXPECT_EQ(item(runde, "BEZEICHNUN"), "Runde");
}

TEST_F(Sonstige, WhoPaysOtherThanOneOrTwoIsRefusedAndKeepsTheFocus)
{
    w->Neueingabe1->trigger();
    type(w->NameDBEdit, "Strafe");
    w->Gueltigedit->selectAll();
    type(w->Gueltigedit, "3");
    QTest::keyClick(w->Gueltigedit, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(script.texts(), QStringList({"Ungültiger Wert in \"Wer zahlt\""}));
    EXPECT_EQ(script.shown().back().kind, common::BoxKind::Error);
    EXPECT_EQ(QApplication::focusWidget(), w->Gueltigedit);

    w->Gueltigedit->selectAll();
    type(w->Gueltigedit, "x");
    QTest::keyClick(w->Gueltigedit, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_TRUE(script.texts().contains(QString::fromUtf8("'x' ist keine gültige ganze Zahl")));
    EXPECT_EQ(QApplication::focusWidget(), w->Gueltigedit);

    const qsizetype shown = script.texts().size();
    w->Gueltigedit->selectAll();
    type(w->Gueltigedit, "2");
    QTest::keyClick(w->Gueltigedit, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(script.texts().size(), shown);
    EXPECT_EQ(QApplication::focusWidget(), w->Mittelwertedit);
    save();
    EXPECT_EQ(item(5, "GUELTIG"), "2");
    script.answer(Answer::No);
    w->CloseBtnClick();
}

TEST_F(Sonstige, TheCurrencyIsChosenByNumberAndNameWithItsSignBeside)
{
    w->Aendern1Click();
    ASSERT_EQ(w->Waehrungsedit->listCount(), 2u);
    EXPECT_EQ(w->Waehrungsedit->model()->headerData(1, Qt::Horizontal).toString(), "Name");
    EXPECT_EQ(w->Waehrungsedit->model()->index(1, 1).data().toString(), "Deutsche Mark");
    EXPECT_EQ(w->Waehrungsedit->width(), 250);
    w->Waehrungsedit->choose(1);
    EXPECT_EQ(w->Waehrungsedit->currentText(), QString::number(dm));
    EXPECT_EQ(w->WaehrungStrEdit->text(), "DM");
    save();
    EXPECT_EQ(list(liste2024, "WAEHRUNG"), std::to_string(dm));
}

TEST_F(Sonstige, TabOrderRunsFromTheListToTheItem)
{
    w->Aendern1Click();
    const QList<QWidget*> expected = {w->Waehrungsedit, w->Beitragedit, w->NameDBEdit, w->PreisEdit,
                                      w->Gueltigedit,   w->Mittelwertedit};
    for (QWidget* next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
    }
    w->CancelBtnClick();
}

} // namespace
} // namespace trevo::masterdata::test
