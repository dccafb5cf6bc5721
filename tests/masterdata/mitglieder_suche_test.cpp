// Finding bowlers in the members window: search, search next, sort, range filter and
// quick search.
#include "shell/stammdaten/abfrage_dlg.h"
#include "mitglieder_fixture.h"
#include "shell/stammdaten/sort_form.h"
#include "shell/stammdaten/such_dlg.h"

#include <QGroupBox>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

namespace trevo::masterdata::test {
namespace {

class Suche : public Mitglieder {
protected:
    void club() override
    {
        meier1 = verein.bowler({"Meier", "Hans", "7"});
        verein.bowler({"Adler", "Bernd", "12", false});
        meise = verein.bowler({"Meise", "Eva", "8"});
        verein.bowler({"Hameister", "Jo", "9"});
        meier2 = verein.bowler({"Meierhof", "Udo", "10"});
    }

    // A run of the search dialog: NAME, the text, OK.
    ModalRunner searchFor(const QString& text, const QString& field = "NAME")
    {
        return [text, field](QDialog& d) {
            auto& dlg = static_cast<TSuchDlgKomplex&>(d);
            dlg.FieldListBox1->setCurrentItem(dlg.FieldListBox1->findItems(field, Qt::MatchExactly).front());
            dlg.FromEdit->setText(text);
            QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
        };
    }
    int currentNumber() { return static_cast<int>(t().value("NUMMER").toNumber()); }

    int meier1 = 0, meise = 0, meier2 = 0;
};

TEST_F(Suche, SearchGoesToTheFirstHitAndLeavesTheOrderNummer)
{
    EXPECT_EQ(t().indexName(), "NAME");
    ModalSkript modal;
    modal.then(searchFor("Meis"));
    w->Suchen1Click();
    EXPECT_EQ(t().indexName(), "NUMMER");
    EXPECT_EQ(currentNumber(), meise);
    EXPECT_TRUE(script.texts().isEmpty());
    EXPECT_TRUE(main->statusText(0).isEmpty());
}

TEST_F(Suche, SuchenInTheMenuBarIsACommandOfItsOwn)
{
    ModalSkript modal;
    modal.then(searchFor("Meis"));
    QMenuBar* bar = main->menuBar();
    const QRect at = bar->actionGeometry(w->Suchen1->menuAction());
    ASSERT_TRUE(at.isValid());
    QTest::mouseClick(bar, Qt::LeftButton, {}, at.center());
    QTest::qWait(50);
    EXPECT_EQ(modal.shown(), QStringList({"Suchen"}));
    EXPECT_EQ(currentNumber(), meise);
    EXPECT_FALSE(w->Suchen1->isVisible());
}

TEST_F(Suche, SearchWithoutHitKeepsPositionAndSaysSo)
{
    t().locate("NUMMER", engine::Value::number(meise));
    ModalSkript modal;
    modal.then(searchFor("Zz"));
    modal.then([](QDialog& d) { QTest::mouseClick(static_cast<TSuchDlgKomplex&>(d).CancelBtn, Qt::LeftButton); });
    w->Suchen1Click();
    EXPECT_EQ(script.texts(), QStringList({"Der Suchtext wurde nicht gefunden"}));
    EXPECT_EQ(t().indexName(), "NAME");
    EXPECT_EQ(currentNumber(), meise);
    w->Suchen1Click(); // cancelled: nothing happens
    EXPECT_EQ(script.texts().size(), 1);
    EXPECT_TRUE(modal.problems().isEmpty());
}

TEST_F(Suche, SearchNextVisitsTheHitsStaysOnTheLastThenOpensTheDialog)
{
    ModalSkript modal;
    modal.then(searchFor("Mei"));
    w->ToolButton1Click(); // no search yet: the dialog opens
    EXPECT_EQ(currentNumber(), meier1);
    w->ToolButton1Click();
    EXPECT_EQ(currentNumber(), meise);
    w->ToolButton1Click();
    EXPECT_EQ(currentNumber(), meier2);
    w->ToolButton1Click();
    EXPECT_EQ(currentNumber(), meier2);
    EXPECT_EQ(modal.shown().size(), 1);
    modal.then([](QDialog& d) { QTest::mouseClick(static_cast<TSuchDlgKomplex&>(d).CancelBtn, Qt::LeftButton); });
    w->ToolButton1Click();
    EXPECT_EQ(modal.shown().size(), 2);
}

TEST_F(Suche, SearchNextWithOneHitOpensTheDialogAgainShowingTheLastSearch)
{
    ModalSkript modal;
    modal.then(searchFor("Meis"));
    QString fieldShown, textShown;
    modal.then([&](QDialog& d) {
        auto& dlg = static_cast<TSuchDlgKomplex&>(d);
        fieldShown = dlg.FieldListBox1->currentItem()->text();
        textShown = dlg.FromEdit->text();
        QTest::mouseClick(dlg.CancelBtn, Qt::LeftButton);
    });
    w->Suchen1Click();
    w->ToolButton1Click();
    EXPECT_EQ(modal.shown().size(), 2);
    EXPECT_EQ(fieldShown, "NAME");
    EXPECT_EQ(textShown, "Meis");
}

TEST_F(Suche, SearchTextWithAQuoteFindsTheRecordContainingIt)
{
    const int obrien = verein.bowler({"O\"Brien", "Pat"});
    const int dangelo = verein.bowler({"D'Angelo", "Gino"});
    t().refresh();
    ModalSkript modal;
    modal.then(searchFor("O\"B"));
    modal.then(searchFor("D'A"));
    w->Suchen1Click();
    EXPECT_EQ(currentNumber(), obrien);
    w->Suchen1Click();
    EXPECT_EQ(currentNumber(), dangelo);
    EXPECT_TRUE(script.texts().isEmpty()) << script.texts().join("|").toStdString();
}

TEST_F(Suche, SearchForADateOrANumber)
{
    t().locate("NUMMER", engine::Value::number(meise));
    t().edit();
    t().setText("GEBURTSTAG", "24.12.1965");
    t().post();
    ModalSkript modal;
    modal.then(searchFor("24.12.1965", "GEBURTSTAG"));
    modal.then(searchFor("kein Datum", "GEBURTSTAG"));
    t().first();
    w->Suchen1Click();
    EXPECT_EQ(currentNumber(), meise);
    w->Suchen1Click(); // the text is no date: the command ends with the conversion message
    ASSERT_EQ(script.texts().size(), 1);
    EXPECT_TRUE(script.texts().front().contains("kein gültiges Datum")) << script.texts().front().toStdString();
    EXPECT_TRUE(main->statusText(0).isEmpty());
}

TEST_F(Suche, SortPreselectsTheCurrentOrderAndCancelKeepsIt)
{
    ModalSkript modal;
    int preselected = -2;
    QStringList shownItems;
    int groupHeight = 0;
    modal.then([&](QDialog& d) {
        auto& sort = static_cast<TSortForm&>(d);
        preselected = sort.itemIndex();
        shownItems = sort.items();
        groupHeight = sort.RadioGroup1->height();
        QTest::mouseClick(sort.findChild<QRadioButton*>("RadioItem0"), Qt::LeftButton);
        QTest::mouseClick(sort.CancelBtn, Qt::LeftButton);
    });
    w->Sortierung1Click();
    EXPECT_EQ(preselected, 1);
    EXPECT_EQ(shownItems, QStringList({"Mitgliedsnummer", "Name", "Nummer"}));
    EXPECT_EQ(groupHeight, 102);
    EXPECT_EQ(t().indexName(), "NAME");

    modal.then([&](QDialog& d) {
        auto& sort = static_cast<TSortForm&>(d);
        QTest::mouseClick(sort.findChild<QRadioButton*>("RadioItem0"), Qt::LeftButton);
        QTest::mouseClick(sort.OKBtn, Qt::LeftButton);
    });
    w->Lotsenbefehl(Lotsencode::Sortieren);
    EXPECT_EQ(t().indexName(), "MITGLIEDNR");
}

TEST_F(Suche, SortWithAnOrderNoOptionNamesShowsNoPreselection)
{
    t().setIndex(""); // the physical order
    ModalSkript modal;
    int preselected = -2;
    modal.then([&](QDialog& d) {
        auto& sort = static_cast<TSortForm&>(d);
        preselected = sort.itemIndex();
        QTest::mouseClick(sort.OKBtn, Qt::LeftButton);
    });
    w->Sortierung1Click();
    EXPECT_EQ(preselected, -1);
    EXPECT_EQ(t().indexName(), "");
}

TEST_F(Suche, RangeFilterAndKomplett)
{
    ModalSkript modal;
    modal.then([](QDialog& d) {
        auto& dlg = static_cast<TAbfrageDlgEinFeld&>(d);
        dlg.FieldListBox1->setCurrentItem(dlg.FieldListBox1->findItems("NAME", Qt::MatchExactly).front());
        dlg.BedingungListBox1->setCurrentRow(6);
        dlg.FromEdit->setText("M");
        dlg.ToEdit->setText("N");
        QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
    });
    w->Bereich1Click();
    EXPECT_TRUE(t().filtered());
    EXPECT_EQ(t().recordCount(), 3u); // Meier, Meierhof, Meise
    EXPECT_EQ(w->DBGrid1->model().rowCount(), 3);
    EXPECT_EQ(main->statusText(1), "Anzeigebereich eingeschränkt (Filter ein)");

    modal.then([](QDialog& d) {
        auto& dlg = static_cast<TAbfrageDlgEinFeld&>(d);
        EXPECT_EQ(dlg.FromEdit->text(), "M"); // kept for the same table
        dlg.KomplettCheckBox->setChecked(true);
        QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
    });
    w->Lotsenbefehl(Lotsencode::Bereich);
    EXPECT_FALSE(t().filtered());
    EXPECT_EQ(t().recordCount(), 5u);
    EXPECT_TRUE(main->statusText(1).isEmpty());
}

TEST_F(Suche, RangeThatCannotBeBuiltSwitchesTheFilterOffSilently)
{
    ModalSkript modal;
    modal.then([](QDialog& d) {
        auto& dlg = static_cast<TAbfrageDlgEinFeld&>(d);
        dlg.FieldListBox1->setCurrentItem(dlg.FieldListBox1->findItems("GEBURTSTAG", Qt::MatchExactly).front());
        dlg.BedingungListBox1->setCurrentRow(1);
        dlg.FromEdit->setText("morgen");
        QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
    });
    w->Bereich1Click();
    EXPECT_FALSE(t().filtered());
    EXPECT_TRUE(script.texts().isEmpty());
    EXPECT_TRUE(main->statusText(1).isEmpty());
}

TEST_F(Suche, QuickSearchFindsTheNearestKeyOfTheCurrentOrder)
{
    QTest::keyClicks(w->SchnellsuchEdit1, "Mei");
    EXPECT_EQ(current("NAME"), "Meier");
    QTest::keyClicks(w->SchnellsuchEdit1, "s");
    EXPECT_EQ(current("NAME"), "Meise");
    w->SchnellsuchEdit1->setText("N");
    EXPECT_EQ(current("NAME"), "Meise"); // nothing from N on: the last name
    w->SchnellsuchEdit1->clear();
    EXPECT_EQ(current("NAME"), "Adler");

    t().setIndex("NUMMER");
    w->SchnellsuchEdit1->setText("3");
    EXPECT_EQ(currentNumber(), 3);
    w->SchnellsuchEdit1->setText("drei");
    ASSERT_EQ(script.texts().size(), 1); // the conversion message; the position stays
    EXPECT_EQ(currentNumber(), 3);
}

} // namespace
} // namespace trevo::masterdata::test
