#pragma once
// The fixed columns of a grid kept in view: a second view over the grid's cells that shows
// only its first columns and lies over the grid's left edge, following its rows, its
// vertical scrolling and its column widths, so that the heads stay beside the cells while
// the grid scrolls sideways. It takes neither the focus nor the mouse: clicks reach the
// grid beneath.
#include <QTableView>

namespace trevo::controls {

class FixedColumnsView : public QTableView {
    Q_OBJECT
public:
    FixedColumnsView(QTableView& grid, int columns);

    void setColumns(int columns);
    // Rows, widths and place taken over from the grid again.
    void adjust();

private:
    QTableView& grid_;
    int columns_;
};

} // namespace trevo::evenings
