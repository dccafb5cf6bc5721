#include "dbcontrols/fixed_columns_view.h"

#include <QHeaderView>
#include <QScrollBar>

namespace trevo::controls {

FixedColumnsView::FixedColumnsView(QTableView& grid, int columns) : QTableView(&grid), grid_(grid), columns_(columns)
{
    setObjectName(QStringLiteral("FixedColumnsView"));
    setModel(grid.model());
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(0);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollMode(grid.verticalScrollMode());
    connect(grid.verticalScrollBar(), &QScrollBar::valueChanged, verticalScrollBar(), &QScrollBar::setValue);
    connect(grid.horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { adjust(); });
    connect(grid.horizontalHeader(), &QHeaderView::sectionResized, this, [this] { adjust(); });
    connect(grid.verticalHeader(), &QHeaderView::sectionResized, this, [this] { adjust(); });
    adjust();
}

void FixedColumnsView::setColumns(int columns)
{
    columns_ = columns;
    adjust();
}

void FixedColumnsView::adjust()
{
    const QAbstractItemModel* m = model();
    if (!m) return;
    int width = 0;
    for (int c = 0; c < m->columnCount(); ++c) {
        const bool fixed = c < columns_;
        setColumnHidden(c, !fixed);
        if (!fixed) continue;
        setColumnWidth(c, grid_.columnWidth(c));
        width += grid_.columnWidth(c);
    }
    for (int r = 0; r < m->rowCount(); ++r) {
        setRowHidden(r, grid_.isRowHidden(r));
        if (!grid_.isRowHidden(r)) setRowHeight(r, grid_.rowHeight(r));
    }
    const int frame = grid_.frameWidth();
    setGeometry(frame, frame, std::min(width, grid_.viewport()->width()), grid_.viewport()->height());
    verticalScrollBar()->setValue(grid_.verticalScrollBar()->value());
    // Only while the grid is scrolled sideways is there anything to cover.
    setVisible(width > 0 && grid_.horizontalScrollBar()->value() > 0);
}

} // namespace trevo::controls
