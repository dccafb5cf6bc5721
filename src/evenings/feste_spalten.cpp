#include "evenings/feste_spalten.h"

#include <QHeaderView>
#include <QScrollBar>

namespace trevo::evenings {

FesteSpalten::FesteSpalten(QTableView& grid, int spalten) : QTableView(&grid), grid_(grid), spalten_(spalten)
{
    setObjectName(QStringLiteral("FesteSpalten"));
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
    connect(grid.horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { anpassen(); });
    connect(grid.horizontalHeader(), &QHeaderView::sectionResized, this, [this] { anpassen(); });
    connect(grid.verticalHeader(), &QHeaderView::sectionResized, this, [this] { anpassen(); });
    anpassen();
}

void FesteSpalten::anpassen()
{
    const QAbstractItemModel* m = model();
    if (!m) return;
    int breite = 0;
    for (int c = 0; c < m->columnCount(); ++c) {
        const bool fest = c < spalten_;
        setColumnHidden(c, !fest);
        if (!fest) continue;
        setColumnWidth(c, grid_.columnWidth(c));
        breite += grid_.columnWidth(c);
    }
    for (int r = 0; r < m->rowCount(); ++r) {
        setRowHidden(r, grid_.isRowHidden(r));
        if (!grid_.isRowHidden(r)) setRowHeight(r, grid_.rowHeight(r));
    }
    const int rand = grid_.frameWidth();
    setGeometry(rand, rand, std::min(breite, grid_.viewport()->width()), grid_.viewport()->height());
    verticalScrollBar()->setValue(grid_.verticalScrollBar()->value());
    // Only while the grid is scrolled sideways is there anything to cover.
    setVisible(breite > 0 && grid_.horizontalScrollBar()->value() > 0);
}

} // namespace trevo::evenings
