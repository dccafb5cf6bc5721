#include "dbcontrols/db_grid.h"

#include "common/dialogs/dialogs.h"
#include "dbcontrols/command_guard.h"

#include <QEvent>
#include <QKeyEvent>
#include <QHeaderView>
#include <QMouseEvent>

namespace trevo::controls {

// ---- choosing a record ----

namespace {

std::vector<engine::Value> storedValues(engine::DataSet& ds, size_t row)
{
    std::vector<engine::Value> values;
    for (int f = 0; f < ds.fieldCount(); ++f)
        if (ds.field(f).kind == engine::FieldKind::Stored) values.push_back(ds.rowValue(row, f));
    return values;
}

// The row holding these values now, looked for outwards from where they were; the old
// row (within the rows there are) when no row holds them.
size_t findAgain(engine::DataSet& ds, const std::vector<engine::Value>& wanted, size_t was)
{
    const size_t rows = ds.recordCount();
    if (rows == 0) return 0;
    auto holds = [&](size_t row) { return row < rows && storedValues(ds, row) == wanted; };
    for (size_t d = 0; d < std::max(was + 1, rows); ++d) {
        if (holds(was + d)) return was + d;
        if (d > 0 && d <= was && holds(was - d)) return was - d;
    }
    return std::min(was, rows - 1);
}

} // namespace

void moveToRecordOfRow(engine::DataSet& ds, size_t row)
{
    if (ds.editing() && row < ds.recordCount()) {
        const std::vector<engine::Value> wanted = storedValues(ds, row);
        ds.checkBrowseMode();
        row = findAgain(ds, wanted, row);
    }
    ds.moveTo(row);
}

// ---- view ----

DBGrid::DBGrid(QWidget* parent) : QTableView(parent)
{
    model_ = new DataSetModel(this);
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->setDefaultSectionSize(20);
    verticalHeader()->setFixedWidth(14);
    horizontalHeader()->setHighlightSections(false);
    setAlternatingRowColors(true);
    connect(model_, &DataSetModel::currentRowChanged, this, [this](int row) { followDataSet(row); });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] { applyWidths(); });
}

void DBGrid::setColumns(std::vector<GridColumn> columns)
{
    model_->setColumns(std::move(columns));
    applyWidths();
}

void DBGrid::applyWidths()
{
    const auto& columns = model_->columns();
    for (int c = 0; c < int(columns.size()); ++c) {
        int width = columns[size_t(c)].width;
        if (width < 0) {
            // As wide as the field's length, and at least as wide as the title.
            // A date is shown as dd.mm.yyyy, wider than its stored length of 8.
            const int f = model_->fieldOf(c);
            const auto* def = f >= 0 ? &model_->link().dataSet()->field(f).def : nullptr;
            const int content = def && def->type == 'D'
                                    ? fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000"))
                                    : fontMetrics().averageCharWidth()
                                          * (def ? std::clamp<int>(def->length, 4, 30) : 10);
            const int title = horizontalHeader()->sectionSizeHint(c);
            width = std::max(content + 12, title);
        }
        setColumnWidth(c, width);
    }
}

void DBGrid::setReadOnly(bool on)
{
    model_->setReadOnly(on);
    setEditTriggers(on ? QAbstractItemView::NoEditTriggers
                       : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                             | QAbstractItemView::AnyKeyPressed);
    setSelectionBehavior(on ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

void DBGrid::followDataSet(int row)
{
    following_ = true;
    const int column = currentIndex().isValid() ? currentIndex().column() : 0;
    if (row < 0)
        setCurrentIndex(QModelIndex());
    else
        setCurrentIndex(model_->index(row, column));
    following_ = false;
}

void DBGrid::chooseRow(int row)
{
    engine::DataSet* ds = model_->link().dataSet();
    if (!ds || !ds->active() || row < 0 || row == model_->currentRow()) return;
    const bool moved = runGuarded([ds, row] {
        updateRecord(*ds);
        moveToRecordOfRow(*ds, size_t(row));
    });
    if (!moved) followDataSet(model_->currentRow());
}

void DBGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (!following_ && current.isValid() && (!previous.isValid() || current.row() != previous.row()))
        chooseRow(current.row());
}

void DBGrid::mousePressEvent(QMouseEvent* event)
{
    // A click on a row of a read-only grid moves the data set itself; the view's own
    // selection follows the data set afterwards (storing may reorder the rows).
    const QModelIndex at = indexAt(event->position().toPoint());
    if (!model_->readOnly() || !at.isValid() || event->button() != Qt::LeftButton) {
        QTableView::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    chooseRow(at.row());
    event->accept();
}

void DBGrid::insertRecord()
{
    engine::DataSet* ds = model_->link().dataSet();
    if (model_->readOnly() || !ds || !ds->active()) return;
    runGuarded([this, ds] {
        updateRecord(*ds);
        if (insertAction_)
            insertAction_();
        else
            ds->append();
    });
}

void DBGrid::deleteRecord()
{
    engine::DataSet* ds = model_->link().dataSet();
    if (model_->readOnly() || !ds || !ds->active()) return;
    runGuarded([this, ds] {
        if (!ds->editing() && ds->isEmpty()) return;
        if (deleteCheck_ && !deleteCheck_()) return;
        if (!common::dialogs().yesNo(QStringLiteral("Datensatz löschen?"))) return;
        if (deleteAction_)
            deleteAction_();
        else
            ds->deleteRecord();
    });
}

void DBGrid::keyPressEvent(QKeyEvent* event)
{
    if (!model_->readOnly() && state() != QAbstractItemView::EditingState) {
        const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
        if (event->key() == Qt::Key_Insert && mods == Qt::NoModifier) {
            insertRecord();
            event->accept();
            return;
        }
        if (event->key() == Qt::Key_Delete && mods == Qt::ControlModifier) {
            deleteRecord();
            event->accept();
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

void DBGrid::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) applyWidths();
}

} // namespace trevo::controls
