#pragma once
// A grid over a data set: one row per visible record in the data set's order, columns
// with titles, widths and display formats. The current row follows the data set, and
// choosing a row (a click, the arrow keys) moves the data set to that record: what was
// typed into the controls is taken into the record first, and a pending record is stored
// (or dropped) by the implicit post. Since storing may reorder the rows, the grid looks
// for the chosen record again by its values and goes there, not to the row's old index.
// Editable grids change a cell in place: the data set goes into edit state and the text
// is converted into the field; the record stays pending until another row becomes current.
// Their own keys: Insert appends a record (the pending one is stored first), Ctrl+Delete
// asks "Datensatz löschen?" and deletes the current record. Who shows the grid may check a
// delete first (refusing it with its own message) and may replace the appending and the
// deleting itself.
#include "dbcontrols/data_set_model.h"

#include <QTableView>

#include <functional>
#include <string>
#include <vector>

namespace trevo::controls {

class DBGrid : public QTableView {
    Q_OBJECT
public:
    explicit DBGrid(QWidget* parent = nullptr);

    DataSetModel& model() { return *model_; }
    void setDataSet(engine::DataSet* ds) { model_->link().setDataSet(ds); }
    void setSource(data::Datenquelle* source) { model_->link().setSource(source); }
    void setColumns(std::vector<GridColumn> columns);
    // Read-only grids (the default) only show and move; editable ones change cells in place.
    void setReadOnly(bool on);

    // What choosing a row does: the data set goes to the record shown in it.
    void chooseRow(int row);

    // The grid's own keys of an editable grid (Insert, Ctrl+Delete), as the user gives them.
    void insertRecord();
    void deleteRecord();
    // Asked before the question of a delete; false refuses it (the check said why).
    void setDeleteCheck(std::function<bool()> check) { deleteCheck_ = std::move(check); }
    // What a confirmed delete does; the default deletes the current record.
    void setDeleteAction(std::function<void()> action) { deleteAction_ = std::move(action); }
    // What the Insert key does; the default appends a record.
    void setInsertAction(std::function<void()> action) { insertAction_ = std::move(action); }

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void followDataSet(int row);
    void applyWidths();

    DataSetModel* model_ = nullptr;
    bool following_ = false;
    std::function<bool()> deleteCheck_;
    std::function<void()> deleteAction_;
    std::function<void()> insertAction_;
};

// Moves the data set to the record shown in that row of a grid. A pending record is stored
// or dropped first; the record of the row is then found again by its stored values, looked
// for outwards from where it was.
void moveToRecordOfRow(engine::DataSet& ds, size_t row);

} // namespace trevo::controls
