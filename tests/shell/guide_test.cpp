// The guide window: its tree, the expansion flag, the commands it sends and its docking.
#include "shell_fixture.h"

#include "shell/guide_tree.h"
#include "shell/guide_window.h"

#include <QAction>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace trevo::shell;
using namespace trevo::shell::test;
using trevo::common::Answer;

namespace {

struct GuideFixture : ShellFixture {
    LotsenDlg* guide;
    GuideFixture()
    {
        main->FensterAktivieren(1);
        main->history().reset(1);
        main->dockGuide();
        guide = main->guide();
        guide->TreeView1->expandAll();
        guide->TreeView1->clearExpansionFlag(); // as if the user had expanded them one by one
    }
    void click(QTreeWidgetItem* item)
    {
        ASSERT_NE(item, nullptr);
        GuideTree* tree = guide->TreeView1;
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
    }
    void click(const QStringList& path) { click(guide->findNode(path)); }
};

QStringList childTexts(QTreeWidgetItem* item)
{
    QStringList r;
    for (int i = 0; i < item->childCount(); ++i) r << item->child(i)->text(0);
    return r;
}

} // namespace

TEST(Guide, TreeHoldsTheGroupsAndTheirCommands)
{
    GuideFixture f;
    QStringList top;
    for (int i = 0; i < f.guide->TreeView1->topLevelItemCount(); ++i) top << f.guide->TreeView1->topLevelItem(i)->text(0);
    EXPECT_EQ(top, QStringList({"Termin", "Mitglieder/Gastkegler", "Spiele", "Sonstige Beträge", "Kegelkasse",
                                "Terminplan", "Terminarten", "Ämter", "Optionen", "Programm beenden"}));
    const QStringList seven{"Liste", "Neueingabe", "Ändern", "Sortierung", "Bereich (Filter)", "Suchen", "Liste drucken"};
    EXPECT_EQ(childTexts(f.guide->findNode({"Kegelkasse"})), seven);
    EXPECT_EQ(childTexts(f.guide->findNode({"Termin"})),
              seven + QStringList({"Auswerten - Aktueller Termin", "Auswerten - Zeitraum", "Auswerten - Rangliste"}));
    EXPECT_EQ(f.guide->windowTitle(), "Lotse");
}

TEST(Guide, ClickingTheExpandBoxOnlyExpands)
{
    GuideFixture f;
    GuideTree* tree = f.guide->TreeView1;
    tree->collapseAll();
    QTreeWidgetItem* termin = f.guide->findNode({"Termin"});
    const QRect r = tree->visualItemRect(termin);
    f.main->FensterAktivieren(5);
    const auto before = f.history();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, QPoint(r.left() - tree->indentation() / 2, r.center().y()));
    EXPECT_TRUE(termin->isExpanded());
    EXPECT_FALSE(tree->expansionFlag());
    EXPECT_EQ(f.activeCode(), 5) << "the evening window is not opened";
    EXPECT_EQ(f.history(), before);
    f.click({"Termin", "Liste"});
    EXPECT_EQ(f.activeCode(), 1);
    EXPECT_TRUE(f.probe(1)->commands.empty()) << "\"Liste\" sends no command";
}

TEST(Guide, TheExpansionFlagSwallowsTheClickThatExpanded)
{
    GuideFixture f;
    GuideTree* tree = f.guide->TreeView1;
    QTreeWidgetItem* members = f.guide->findNode({"Mitglieder/Gastkegler"});
    tree->collapseItem(members); // sets the flag, as the native expansion does
    EXPECT_TRUE(tree->expansionFlag());
    f.click({"Kegelkasse", "Liste"});
    EXPECT_EQ(f.main->Fensterobjekt(13), nullptr) << "the press that carried the flag does nothing";
    EXPECT_FALSE(tree->expansionFlag());
    f.click({"Kegelkasse", "Liste"});
    EXPECT_NE(f.main->Fensterobjekt(13), nullptr);
}

TEST(Guide, NewMemberCreatesTheWindowRecordsItAndStartsANewRecord)
{
    GuideFixture f;
    ASSERT_EQ(f.main->Fensterobjekt(5), nullptr);
    f.click({"Mitglieder/Gastkegler", "Neueingabe"});
    ASSERT_NE(f.probe(5), nullptr);
    EXPECT_EQ(f.activeCode(), 5);
    EXPECT_EQ(f.history(), std::vector<int>({1, 5}));
    EXPECT_EQ(f.probe(5)->commands, std::vector<int>({1}));
    f.main->FensterZurueck(); // the window's "Schließen"
    EXPECT_EQ(f.activeCode(), 1);
}

TEST(Guide, EveryCommandSendsItsCode)
{
    GuideFixture f;
    const std::pair<const char*, int> commands[] = {{"Ändern", 10},        {"Sortierung", 30}, {"Bereich (Filter)", 31},
                                                    {"Suchen", 32},        {"Liste drucken", 40},
                                                    {"Auswerten - Zeitraum", 51}, {"Auswerten - Aktueller Termin", 50},
                                                    {"Auswerten - Rangliste", 52}};
    std::vector<int> expected;
    for (const auto& [text, code] : commands) {
        f.click({"Termin", QString::fromUtf8(text)});
        expected.push_back(code);
    }
    EXPECT_EQ(f.probe(1)->commands, expected);
    EXPECT_EQ(f.activeCode(), 1);
}

TEST(Guide, EnterRunsTheSelectedNode)
{
    GuideFixture f;
    GuideTree* tree = f.guide->TreeView1;
    tree->setCurrentItem(f.guide->findNode({"Spiele", "Suchen"}));
    QTest::keyClick(tree, Qt::Key_Return);
    ASSERT_NE(f.probe(6), nullptr);
    EXPECT_EQ(f.probe(6)->commands, std::vector<int>({32}));
}

TEST(Guide, OptionsAndEndingTheProgram)
{
    GuideFixture f;
    f.click({"Optionen"});
    EXPECT_EQ(f.activeCode(), 14);
    f.script.answer(Answer::No);
    f.click({"Programm beenden"});
    EXPECT_EQ(f.script.texts(), QStringList{"Programm beenden ?"});
    EXPECT_TRUE(f.main->isVisible());
}

TEST(Guide, NodesOfMissingWindowsAreGreyAndDoNothing)
{
    GuideFixture f;
    QTreeWidgetItem* schedule = f.guide->findNode({"Terminplan", "Neueingabe"});
    EXPECT_FALSE(schedule->flags() & Qt::ItemIsEnabled);
    f.click(schedule);
    EXPECT_EQ(f.activeCode(), 1);
    EXPECT_TRUE(f.guide->findNode({"Kegelkasse", "Liste"})->flags() & Qt::ItemIsEnabled);
    EXPECT_TRUE(f.guide->findNode({"Programm beenden"})->flags() & Qt::ItemIsEnabled);
}

TEST(Guide, DockedAtTheLeftTwoHundredPixelsWide)
{
    GuideFixture f;
    EXPECT_FALSE(f.guide->isFloating());
    EXPECT_EQ(f.main->dockWidgetArea(f.guide), Qt::LeftDockWidgetArea);
    EXPECT_EQ(f.main->dockPanelWidth(), 200);
    EXPECT_EQ(f.guide->allowedAreas(), Qt::LeftDockWidgetArea);
}

TEST(Guide, ClosingHidesItAndLotseShowsItAgainWhereItWas)
{
    GuideFixture f;
    f.guide->setFloating(true);
    f.guide->move(40, 50);
    const QPoint where = f.guide->pos();
    f.guide->SchliessenBtn->click();
    EXPECT_FALSE(f.guide->isVisible());
    EXPECT_EQ(f.main->dockPanelWidth(), 0);
    f.main->menuAction("Lotse")->trigger();
    EXPECT_EQ(f.main->guide(), f.guide) << "the same window, not a new one";
    EXPECT_TRUE(f.guide->isVisible());
    EXPECT_TRUE(f.guide->isFloating());
    EXPECT_EQ(f.guide->pos(), where);
}

TEST(Guide, CreatedByTheMenuItFloats)
{
    ShellFixture f;
    EXPECT_EQ(f.main->guide(), nullptr);
    f.main->menuAction("Lotse")->trigger();
    ASSERT_NE(f.main->guide(), nullptr);
    EXPECT_TRUE(f.main->guide()->isFloating());
    EXPECT_TRUE(f.main->guide()->isVisible());
}

TEST(Guide, AlwaysOnTopInvertsItsCheck)
{
    GuideFixture f;
    EXPECT_FALSE(f.guide->ImmerimVordergrund1->isChecked());
    f.guide->setFloating(true);
    f.guide->ImmerimVordergrund1->trigger();
    EXPECT_TRUE(f.guide->ImmerimVordergrund1->isChecked());
    EXPECT_TRUE(f.guide->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(f.guide->isVisible());
    f.guide->ImmerimVordergrund1->trigger();
    EXPECT_FALSE(f.guide->windowFlags() & Qt::WindowStaysOnTopHint);
}
