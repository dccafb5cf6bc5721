#include "dbcontrols/string_grid.h"
#include "dbcontrols/fixed_columns_view.h"

#include <QHeaderView>
#include <QScrollBar>

namespace trevo::controls {

StringGrid::StringGrid(QWidget* parent) : QTableWidget(parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(true);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    setColumnCount(5);
    QTableWidget::setRowCount(5);
    styleCells();
    connect(this, &QTableWidget::currentCellChanged, this, [this](int row, int col, int prevRow, int prevCol) {
        if (row >= 0 && col >= 0 && isFixed(col, row)) {
            // Heads are never current: move to the first cell beside them.
            const int r = std::max(row, std::min(fixedRows_, rowCount() - 1));
            const int c = std::max(col, std::min(fixedCols_, columnCount() - 1));
            if (!isFixed(c, r)) {
                setCurrentCell(r, c);
                return;
            }
        }
        emit cellSelected(col, row, prevCol, prevRow);
    });
    fixedView_ = new FixedColumnsView(*this, fixedCols_);
}

void StringGrid::updateGeometries()
{
    QTableWidget::updateGeometries();
    if (fixedView_) fixedView_->adjust();
}

void StringGrid::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    QTableWidget::scrollTo(index, hint);
    // A cell is never left under the fixed columns kept in view.
    if (!index.isValid() || index.column() < fixedCols_) return;
    int heads = 0;
    for (int c = 0; c < fixedCols_; ++c) heads += columnWidth(c);
    const int left = visualRect(index).left();
    if (left < heads && horizontalScrollBar()->value() > 0)
        horizontalScrollBar()->setValue(std::max(0, horizontalScrollBar()->value() - (heads - left)));
}

QTableWidgetItem* StringGrid::itemAt(int col, int row)
{
    QTableWidgetItem* it = item(row, col);
    if (!it) {
        it = new QTableWidgetItem;
        setItem(row, col, it);
        styleCell(col, row);
    }
    return it;
}

void StringGrid::styleCell(int col, int row)
{
    QTableWidgetItem* it = item(row, col);
    if (!it) return;
    if (isFixed(col, row)) {
        it->setFlags(Qt::ItemIsEnabled);
        it->setBackground(palette().button());
        it->setForeground(palette().buttonText());
    } else {
        it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
        it->setData(Qt::BackgroundRole, QVariant());
        it->setData(Qt::ForegroundRole, QVariant());
    }
}

void StringGrid::styleCells()
{
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c) {
            if (isFixed(c, r)) itemAt(c, r);
            styleCell(c, r);
        }
}

void StringGrid::setColCount(int n)
{
    const int old = columnCount();
    setColumnCount(std::max(n, 0));
    for (int c = old; c < n; ++c) setColumnWidth(c, defaultColWidth_);
    styleCells();
}

void StringGrid::setRowCount(int n)
{
    const int old = rowCount();
    QTableWidget::setRowCount(std::max(n, 0));
    for (int r = old; r < n; ++r) setRowHeightPx(r, defaultRowHeight_);
    styleCells();
}

void StringGrid::setFixedRows(int n)
{
    fixedRows_ = std::max(n, 0);
    styleCells();
}

void StringGrid::setFixedCols(int n)
{
    fixedCols_ = std::max(n, 0);
    styleCells();
    if (fixedView_) fixedView_->setColumns(fixedCols_);
}

void StringGrid::setDefaultColWidth(int w)
{
    defaultColWidth_ = w;
    horizontalHeader()->setDefaultSectionSize(w);
    for (int c = 0; c < columnCount(); ++c) setColumnWidth(c, w);
}

void StringGrid::setDefaultRowHeight(int h)
{
    defaultRowHeight_ = h;
    verticalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setDefaultSectionSize(h);
    for (int r = 0; r < rowCount(); ++r)
        if (!isRowHidden(r)) setRowHeight(r, h);
}

void StringGrid::setRowHeightPx(int row, int h)
{
    verticalHeader()->setMinimumSectionSize(0);
    setRowHidden(row, h <= 0);
    if (h > 0) setRowHeight(row, h);
}

QString StringGrid::cell(int col, int row) const
{
    const QTableWidgetItem* it = item(row, col);
    return it ? it->text() : QString();
}

void StringGrid::setCell(int col, int row, const QString& text)
{
    if (col < 0 || row < 0 || col >= columnCount() || row >= rowCount()) return;
    itemAt(col, row)->setText(text);
}

void StringGrid::clearCol(int col, int fromRow)
{
    for (int r = fromRow; r < rowCount(); ++r)
        if (QTableWidgetItem* it = item(r, col)) it->setText(QString());
}

void StringGrid::setCurrent(int col, int row)
{
    setCurrentCell(row, col);
}

} // namespace trevo::controls
