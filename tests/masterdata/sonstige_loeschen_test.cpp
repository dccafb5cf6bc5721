// Deleting items and price lists in the other-items window with their reference checks,
// the grids' own keys, search and sort on the items of the current list, and the list
// print; checked in SONSTYP0.DBF and SONSTYPE.DBF.
#include "sonstige_fixture.h"

#include "shell/stammdaten/modal.h"
#include "shell/stammdaten/such_dlg.h"
#include "shell/stammdaten/sort_form.h"

#include <QListWidget>
#include <QLineEdit>
#include <QRadioButton>

namespace trevo::masterdata::test {
namespace {

using common::Answer;
using engine::DataSetState;

const QString verwendet =
    QStringLiteral("Der Datensatz darf nicht gelöscht werden. Die lfd.Nummer wird in einer anderen Tabelle verwendet");
const QString listeVerwendet =
    QStringLiteral("Die Preisliste kann nicht gelöscht werden. Sie wird in einer anderen Tabelle verwendet");

TEST_F(Sonstige, AnItemOfAnEveningIsNotDeletedAnUnusedOneAfterAsking)
{
    gotoItem(bier);
    w->Lschen2->trigger();
    EXPECT_EQ(script.texts(), QStringList({verwendet}));
    EXPECT_EQ(item(bier, "BEZEICHNUN"), "Bier");

    gotoItem(pudel);
    script.answer(Answer::No).answer(Answer::Yes);
    w->Lschen2->trigger();
    EXPECT_EQ(item(pudel, "BEZEICHNUN"), "Pudel");
    EXPECT_EQ(abend().aufgefrischt, 0);
    w->Lschen2->trigger();
    EXPECT_EQ(script.texts(), QStringList({verwendet, "Detail löschen ?", "Detail löschen ?"}));
    EXPECT_EQ(item(pudel, "BEZEICHNUN"), "<fehlt>");
    EXPECT_EQ(abend().aufgefrischt, 1);
    EXPECT_EQ(numbers(items()), std::vector<int>({bier, runde}));
}

TEST_F(Sonstige, AListOfAnEveningIsNotDeleted)
{
    w->Preislistel1->trigger();
    EXPECT_EQ(script.texts(), QStringList({listeVerwendet}));
    EXPECT_EQ(records(listenDbf), 2u);
    EXPECT_EQ(records(detailDbf), 4u);
}

TEST_F(Sonstige, DeletingAnUnusedListDeletesItsItems)
{
    item("Limo", 1.2, liste2025);
    gotoList(liste2025);
    script.answer(Answer::No).answer(Answer::Yes);
    w->Preislistel1->trigger();
    EXPECT_EQ(records(listenDbf), 2u);
    w->Preislistel1->trigger();
    EXPECT_EQ(script.texts(), QStringList({"Preisliste löschen ?", "Preisliste löschen ?"}));
    EXPECT_EQ(list(liste2025, "NUMMER"), "<fehlt>");
    EXPECT_EQ(records(detailDbf), 3u);
    EXPECT_EQ(item(cola, "BEZEICHNUN"), "<fehlt>");
    EXPECT_EQ(numbers(lists()), std::vector<int>({liste2024}));
    EXPECT_EQ(numbers(items()), std::vector<int>({bier, pudel, runde}));
    EXPECT_FALSE(session().inTransaction());
}

TEST_F(Sonstige, TheGridsKeysCheckLikeTheMenus)
{
    // Items: Ctrl+Delete refuses an item of an evening, deletes an unused one.
    gotoItem(bier);
    w->DBGrid1->setFocus();
    QTest::keyClick(w->DBGrid1, Qt::Key_Delete, Qt::ControlModifier);
    gotoItem(runde);
    script.answer(Answer::Yes);
    QTest::keyClick(w->DBGrid1, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(script.texts(), QStringList({verwendet, "Datensatz löschen?"}));
    EXPECT_EQ(item(runde, "BEZEICHNUN"), "<fehlt>");
    EXPECT_EQ(item(bier, "BEZEICHNUN"), "Bier");
    EXPECT_EQ(abend().aufgefrischt, 1);

    // Lists: the list of an evening stays; an unused one goes with its items.
    w->DBGrid2->setFocus();
    QTest::keyClick(w->DBGrid2, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(script.texts().last(), listeVerwendet);
    gotoList(liste2025);
    script.answer(Answer::Yes);
    QTest::keyClick(w->DBGrid2, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(script.texts().last(), "Datensatz löschen?");
    EXPECT_EQ(records(listenDbf), 1u);
    EXPECT_EQ(item(cola, "BEZEICHNUN"), "<fehlt>");
}

TEST_F(Sonstige, CellsChangedInPlaceAreStoredWhenAnotherRowIsCurrent)
{
    auto& model = w->DBGrid1->model();
    ASSERT_TRUE(model.setData(model.index(1, 2), QStringLiteral("0,30"), Qt::EditRole));
    EXPECT_EQ(items().state(), DataSetState::Edit);
    EXPECT_EQ(item(pudel, "EINZELPREI"), "0,20");
    w->DBGrid1->setCurrentIndex(model.index(0, 2));
    EXPECT_EQ(item(pudel, "EINZELPREI"), "0,30");

    auto& listen = w->DBGrid2->model();
    ASSERT_TRUE(listen.setData(listen.index(1, 1), QStringLiteral("15.1.2025"), Qt::EditRole));
    w->DBGrid2->setCurrentIndex(listen.index(0, 1));
    EXPECT_EQ(list(liste2025, "DATUM"), "15.01.2025");

    // The Insert key of the lists' grid starts a new list with its transaction; the next
    // move stores it.
    w->DBGrid2->setFocus();
    QTest::keyClick(w->DBGrid2, Qt::Key_Insert);
    EXPECT_EQ(lists().state(), DataSetState::Insert);
    EXPECT_TRUE(session().inTransaction());
    EXPECT_TRUE(items().isEmpty());
    w->DBGrid2->setCurrentIndex(listen.index(0, 1));
    EXPECT_FALSE(session().inTransaction());
    EXPECT_EQ(list(3, "NUMMER"), "3");
}

TEST_F(Sonstige, SortAndSearchKeepToTheItemsOfTheCurrentList)
{
    const int fass = item("Bier vom Fass", 2.1, liste2025);
    items().refresh();
    ModalSkript modal;
    QStringList options;
    modal.then([&](QDialog& d) {
        auto& sort = static_cast<TSortForm&>(d);
        options = sort.items();
        sort.setItemIndex(0);
        QTest::mouseClick(sort.OKBtn, Qt::LeftButton);
    });
    w->Sortierung1Click();
    EXPECT_EQ(options, QStringList({"Nummer", "Preisliste"}));
    EXPECT_EQ(items().indexName(), "NUMMER");
    EXPECT_EQ(numbers(items()), std::vector<int>({bier, pudel, runde}));

    // "Bier" hits the item of this list, then the one of the other list, which stays unseen.
    modal.then([](QDialog& d) {
        auto& such = static_cast<TSuchDlgKomplex&>(d);
        such.FieldListBox1->setCurrentItem(such.FieldListBox1->findItems("BEZEICHNUN", Qt::MatchExactly).front());
        such.FromEdit->setText(QStringLiteral("Bier"));
        QTest::mouseClick(such.OKBtn, Qt::LeftButton);
    });
    gotoItem(runde);
    w->Suchen1Click();
    EXPECT_EQ(items().text("NUMMER"), std::to_string(bier));
    w->ToolButton1Click();
    EXPECT_EQ(items().text("NUMMER"), std::to_string(bier)) << "item " << fass << " of the other list is not shown";
    EXPECT_EQ(numbers(items()), std::vector<int>({bier, pudel, runde}));
    EXPECT_TRUE(script.texts().isEmpty());
}

class SonstigeMitDruck : public Sonstige {
protected:
    void club() override
    {
        Sonstige::club();
        verein.drucken = true;
    }
};

TEST_F(SonstigeMitDruck, ListPrintsThePriceLists)
{
    w->Liste1->trigger();
    ASSERT_EQ(verein.gedruckt.size(), 1u);
    EXPECT_EQ(verein.gedruckt[0], "SonstigeListfilename|SONSTIGE.QR2|" + verein.pfad(listenDbf));
}

} // namespace
} // namespace trevo::masterdata::test
