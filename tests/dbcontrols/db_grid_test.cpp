// Grid, navigator and the string grid of the entry grids.
#include "club_fixture.h"

#include "dbcontrols/db_edit.h"
#include "dbcontrols/db_grid.h"
#include "dbcontrols/db_navigator.h"
#include "dbcontrols/string_grid.h"

#include <QHeaderView>
#include <QToolButton>
#include <QVBoxLayout>

using namespace trevo::controls;
using namespace trevo::controls::test;
using trevo::engine::DataSetState;

namespace {

struct GridFixture : ClubFixture {
    DBGrid* grid = new DBGrid(&window);
    GridFixture()
    {
        kegler->setLabel("NAME", "Name");
        grid->setDataSet(kegler.get());
        grid->setColumns({{"NUMMER", "Nr.", 40}, {"NAME"}, {"BEITRAG", "Beitrag", 70, "0.00"}});
        window.resize(400, 300);
    }
    QString cell(int row, int col) { return grid->model().index(row, col).data().toString(); }
};

} // namespace

TEST(DBGrid, ShowsTheRecordsWithTitlesWidthsAndFormats)
{
    GridFixture f;
    EXPECT_EQ(f.grid->model().rowCount(), 3);
    EXPECT_EQ(f.cell(0, 1), "Adler");
    EXPECT_EQ(f.cell(1, 2), "2,50");
    EXPECT_EQ(f.cell(2, 2), "");
    EXPECT_EQ(f.grid->model().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "Nr.");
    EXPECT_EQ(f.grid->model().headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "Name");
    EXPECT_EQ(f.grid->columnWidth(2), 70);
    EXPECT_FALSE(f.grid->model().flags(f.grid->model().index(0, 1)) & Qt::ItemIsEditable) << "read-only by default";
}

TEST(DBGrid, TheCurrentRowFollowsTheDataSetAndBack)
{
    GridFixture f;
    EXPECT_EQ(f.grid->currentIndex().row(), 0);
    f.kegler->last();
    EXPECT_EQ(f.grid->currentIndex().row(), 2);
    f.grid->setCurrentIndex(f.grid->model().index(1, 1));
    EXPECT_EQ(f.kegler->value("NAME"), Value::text("Becker"));
}

TEST(DBGrid, MovingStoresAPendingChangeFirst)
{
    GridFixture f;
    f.kegler->edit();
    f.kegler->setValue("NAME", Value::text("Abel"));
    EXPECT_EQ(f.cell(0, 1), "Abel") << "the pending record shows its values";
    f.grid->chooseRow(2);
    EXPECT_EQ(f.kegler->state(), DataSetState::Browse);
    EXPECT_EQ(f.cell(0, 1), "Abel");
    EXPECT_EQ(f.kegler->value("NAME"), Value::text("Conrad"));
}

TEST(DBGrid, AnEditableGridChangesCellsInPlace)
{
    GridFixture f;
    f.grid->setReadOnly(false);
    const QModelIndex cell = f.grid->model().index(1, 2);
    ASSERT_TRUE(f.grid->model().flags(cell) & Qt::ItemIsEditable);
    EXPECT_EQ(cell.data(Qt::EditRole).toString(), "2,50");
    EXPECT_TRUE(f.grid->model().setData(cell, "3,25", Qt::EditRole));
    EXPECT_EQ(f.kegler->state(), DataSetState::Edit);
    EXPECT_EQ(f.kegler->value("NAME"), Value::text("Becker"));
    EXPECT_EQ(f.cell(1, 2), "3,25");
    f.kegler->post();
    EXPECT_EQ(f.kegler->value("BEITRAG"), Value::number(3.25));

    EXPECT_FALSE(f.grid->model().setData(f.grid->model().index(0, 2), "drei", Qt::EditRole));
    EXPECT_EQ(f.script.texts().size(), 1) << "the conversion error is shown";
}

TEST(DBGrid, ANewRecordShowsAsTheLastRow)
{
    GridFixture f;
    f.kegler->append();
    EXPECT_EQ(f.grid->model().rowCount(), 4);
    EXPECT_EQ(f.grid->currentIndex().row(), 3);
    f.kegler->setValue("NAME", Value::text("Dietz"));
    EXPECT_EQ(f.cell(3, 1), "Dietz");
    f.kegler->cancel();
    EXPECT_EQ(f.grid->model().rowCount(), 3);
}

TEST(DBGrid, AClickOnARowWhileARecordIsPendingGoesToThatRecordAfterTheStoreReordered)
{
    GridFixture f;
    f.grid->resize(400, 300);
    f.window.show();
    f.kegler->setIndex("NAME");
    f.kegler->first();
    f.kegler->edit();
    f.kegler->setValue("NAME", Value::text("Dietz")); // Adler becomes the last by name
    const QRect conrad = f.grid->visualRect(f.grid->model().index(2, 1));
    ASSERT_EQ(f.cell(2, 1), "Conrad");
    QTest::mouseClick(f.grid->viewport(), Qt::LeftButton, {}, conrad.center());
    EXPECT_EQ(f.kegler->state(), DataSetState::Browse);
    EXPECT_EQ(f.kegler->value("NAME"), Value::text("Conrad")) << "not the record now in the clicked row";
    EXPECT_EQ(f.grid->currentIndex().row(), 1);
    EXPECT_EQ(f.cell(2, 1), "Dietz");

    f.kegler->append(); // a new record, stored first by name
    f.kegler->setValue("NAME", Value::text("Abel"));
    f.grid->chooseRow(0); // Becker
    EXPECT_EQ(f.kegler->value("NAME"), Value::text("Becker"));
    EXPECT_EQ(f.grid->currentIndex().row(), 1);
    EXPECT_EQ(f.cell(0, 1), "Abel");
}

TEST(DBGrid, ChoosingARowOrANavigatorButtonTakesWhatWasTypedIntoTheRecordFirst)
{
    GridFixture f;
    auto* name = new DBEdit(&f.window);
    name->setDataSet(f.kegler.get());
    name->setDataField("NAME");
    DBNavigator nav(&f.window);
    nav.setDataSet(f.kegler.get());
    f.showWindow();
    auto typeName = [&](const char* text) {
        name->setFocus();
        name->selectAll();
        QTest::keyClicks(name, text);
        ASSERT_TRUE(name->pending());
    };
    typeName("Albers");
    f.grid->chooseRow(2);
    EXPECT_EQ(f.kegler->value("NAME"), Value::text("Conrad"));
    EXPECT_EQ(f.cell(0, 1), "Albers") << "stored by the move, not dropped";
    typeName("Cramer");
    nav.priorButton()->click();
    EXPECT_EQ(f.kegler->value("NAME"), Value::text("Becker"));
    EXPECT_EQ(f.cell(2, 1), "Cramer");
}

TEST(DBGrid, PaintingOverAFailingCalculatedFieldShowsEmptyCellsAndReportsTheErrorOnce)
{
    GridFixture f;
    f.kegler->close();
    f.kegler->addCalculatedField("ALTER", 'N', 3);
    f.kegler->events.calcFields = [](trevo::engine::DataSet&) {
        throw trevo::engine::EngineError("Das Alter kann nicht berechnet werden");
    };
    f.kegler->open();
    f.grid->setColumns({{"NAME"}, {"ALTER", "Alter"}});
    f.grid->resize(400, 300);
    EXPECT_NO_THROW(f.grid->grab());
    EXPECT_EQ(f.cell(0, 0), "Adler");
    EXPECT_EQ(f.cell(0, 1), "");
    EXPECT_TRUE(f.script.texts().isEmpty()) << "no box while painting";
    QApplication::processEvents();
    EXPECT_EQ(f.script.texts(), QStringList({"Das Alter kann nicht berechnet werden"}));
    EXPECT_NO_THROW(f.grid->grab());
    EXPECT_NO_THROW(f.kegler->next());
    EXPECT_NO_THROW(f.grid->grab());
    QApplication::processEvents();
    EXPECT_EQ(f.script.texts().size(), 1) << "not once per paint";
    EXPECT_EQ(f.script.shown()[0].kind, trevo::common::BoxKind::Error);
}

TEST(DBNavigator, MovesAndEnablesItsButtons)
{
    ClubFixture f;
    DBNavigator nav(&f.window);
    nav.setDataSet(f.kegler.get());
    EXPECT_EQ(nav.firstButton()->toolTip(), "Erster Datensatz");
    EXPECT_EQ(nav.priorButton()->toolTip(), "Vorheriger Datensatz");
    EXPECT_EQ(nav.nextButton()->toolTip(), "Nächster Datensatz");
    EXPECT_EQ(nav.lastButton()->toolTip(), "Letzter Datensatz");
    EXPECT_FALSE(nav.firstButton()->isEnabled());
    EXPECT_FALSE(nav.priorButton()->isEnabled());
    EXPECT_TRUE(nav.nextButton()->isEnabled());
    nav.nextButton()->click();
    EXPECT_EQ(f.kegler->value("NAME"), Value::text("Becker"));
    nav.lastButton()->click();
    EXPECT_EQ(f.kegler->value("NAME"), Value::text("Conrad"));
    EXPECT_FALSE(nav.nextButton()->isEnabled());
    EXPECT_FALSE(nav.lastButton()->isEnabled());
    nav.priorButton()->click();
    EXPECT_EQ(f.kegler->value("NAME"), Value::text("Becker"));
    nav.firstButton()->click();
    EXPECT_EQ(f.kegler->value("NAME"), Value::text("Adler"));
    while (!f.kegler->isEmpty()) f.kegler->deleteRecord();
    EXPECT_FALSE(nav.nextButton()->isEnabled());
    EXPECT_FALSE(nav.firstButton()->isEnabled());
}

TEST(StringGrid, FixedHeadsAndPlainCells)
{
    StringGrid grid;
    grid.setDefaultColWidth(100);
    grid.setDefaultRowHeight(18);
    grid.setColCount(3);
    grid.setRowCount(4);
    grid.setFixedRows(3);
    grid.setFixedCols(1);
    grid.setCell(0, 0, "Kegler Nr.");
    grid.setCell(1, 3, "2,50");
    EXPECT_EQ(grid.cell(0, 0), "Kegler Nr.");
    EXPECT_EQ(grid.cell(1, 3), "2,50");
    EXPECT_EQ(grid.cell(2, 3), "");
    EXPECT_EQ(grid.cell(7, 9), "") << "outside the grid";
    EXPECT_TRUE(grid.isFixed(0, 3));
    EXPECT_TRUE(grid.isFixed(2, 1));
    EXPECT_FALSE(grid.item(0, 0)->flags() & Qt::ItemIsEditable);
    grid.setCell(2, 3, "x");
    EXPECT_TRUE(grid.item(3, 2)->flags() & Qt::ItemIsEditable);
    EXPECT_EQ(grid.columnWidth(2), 100);
    grid.setRowHeightPx(2, 0);
    EXPECT_TRUE(grid.isRowHidden(2));
    grid.setRowCount(6);
    EXPECT_EQ(grid.rowHeight(5), 18);
    grid.clearCol(1, 3);
    EXPECT_EQ(grid.cell(1, 3), "");
}

TEST(StringGrid, AFixedCellNeverBecomesCurrent)
{
    StringGrid grid;
    grid.setColCount(3);
    grid.setRowCount(5);
    grid.setFixedRows(3);
    grid.setFixedCols(1);
    std::vector<std::pair<int, int>> selected;
    QObject::connect(&grid, &StringGrid::cellSelected, &grid,
                     [&selected](int c, int r, int, int) { selected.emplace_back(c, r); });
    grid.setCurrent(0, 0);
    EXPECT_EQ(grid.col(), 1);
    EXPECT_EQ(grid.row(), 3);
    grid.setCurrent(2, 4);
    EXPECT_EQ(selected, (std::vector<std::pair<int, int>>{{1, 3}, {2, 4}}));
}
