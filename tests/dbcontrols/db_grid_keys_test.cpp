// The keys of an editable grid: Insert appends, Ctrl+Delete asks and deletes, both with
// what the grid's owner adds; a cell changed in place is stored by the next move.
#include "club_fixture.h"

#include "dbcontrols/db_grid.h"

using namespace trevo::controls;
using namespace trevo::controls::test;
using trevo::common::Answer;
using trevo::engine::DataSetState;

namespace {

struct EditableGrid : ClubFixture {
    DBGrid* grid = new DBGrid(&window);
    EditableGrid()
    {
        grid->setDataSet(kegler.get());
        grid->setColumns({{"NUMMER", "Nr.", 40, {}, true}, {"NAME"}, {"BEITRAG", "Beitrag", 70, "0.00"}});
        grid->setReadOnly(false);
        window.resize(400, 300);
        showWindow();
        grid->setFocus();
    }
    // The names as the table file holds them, read by a cursor of its own.
    std::vector<std::string> namesInFile()
    {
        trevo::engine::TableDataSet fresh(db, db.session(), kegler->path());
        fresh.open();
        std::vector<std::string> out;
        for (bool on = fresh.first(); on; on = fresh.next()) out.push_back(fresh.text("NAME"));
        return out;
    }
};

} // namespace

TEST(DBGridKeys, ACellChangedInPlaceIsPendingUntilAnotherRowIsCurrent)
{
    EditableGrid f;
    auto& model = f.grid->model();
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable) << "a read-only column";
    f.grid->setCurrentIndex(model.index(1, 1));
    f.grid->edit(model.index(1, 1));
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, f.grid);
    QTest::keyClicks(editor, "Brandt");
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents(); // the editor hands its text over after the key
    EXPECT_EQ(f.kegler->state(), DataSetState::Edit);
    EXPECT_EQ(f.namesInFile()[1], "Becker");
    QTest::keyClick(f.grid, Qt::Key_Down);
    EXPECT_EQ(f.kegler->state(), DataSetState::Browse);
    EXPECT_EQ(f.namesInFile()[1], "Brandt");
    EXPECT_EQ(f.kegler->text("NAME"), "Conrad");
}

TEST(DBGridKeys, InsertAppendsAndCtrlDeleteAsksBeforeDeleting)
{
    EditableGrid f;
    QTest::keyClick(f.grid, Qt::Key_Insert);
    EXPECT_EQ(f.kegler->state(), DataSetState::Insert);
    EXPECT_EQ(f.grid->model().rowCount(), 4);
    EXPECT_EQ(f.grid->currentIndex().row(), 3);
    f.script.answer(Answer::Yes);
    QTest::keyClick(f.grid, Qt::Key_Delete, Qt::ControlModifier); // the new record is dropped
    EXPECT_EQ(f.kegler->state(), DataSetState::Browse);
    EXPECT_EQ(f.grid->model().rowCount(), 3);
    EXPECT_EQ(f.namesInFile().size(), 3u);

    f.kegler->first();
    f.script.answer(Answer::No);
    QTest::keyClick(f.grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(f.namesInFile().size(), 3u);
    f.script.answer(Answer::Yes);
    QTest::keyClick(f.grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(f.script.texts(), QStringList({"Datensatz löschen?", "Datensatz löschen?", "Datensatz löschen?"}));
    EXPECT_EQ(f.namesInFile(), std::vector<std::string>({"Becker", "Conrad"}));

    QTest::keyClick(f.grid, Qt::Key_Delete); // Delete alone is no command of the grid
    EXPECT_EQ(f.script.texts().size(), 3);
    EXPECT_EQ(f.script.pendingAnswers(), 0u);
}

TEST(DBGridKeys, TheOwnerChecksAndDoesTheDeleteAndTheInsert)
{
    EditableGrid f;
    bool allowed = false;
    int deleted = 0, inserted = 0;
    f.grid->setDeleteCheck([&] { return allowed; });
    f.grid->setDeleteAction([&] { ++deleted; });
    f.grid->setInsertAction([&] { ++inserted; });
    QTest::keyClick(f.grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_TRUE(f.script.texts().isEmpty()) << "refused before the question";
    allowed = true;
    f.script.answer(Answer::Yes);
    QTest::keyClick(f.grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(f.namesInFile().size(), 3u);
    QTest::keyClick(f.grid, Qt::Key_Insert);
    EXPECT_EQ(inserted, 1);
    EXPECT_EQ(f.kegler->state(), DataSetState::Browse);
}

TEST(DBGridKeys, AReadOnlyGridHasNoSuchKeys)
{
    EditableGrid f;
    f.grid->setReadOnly(true);
    QTest::keyClick(f.grid, Qt::Key_Insert);
    QTest::keyClick(f.grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(f.kegler->state(), DataSetState::Browse);
    EXPECT_TRUE(f.script.texts().isEmpty());
    EXPECT_EQ(f.namesInFile().size(), 3u);
}
