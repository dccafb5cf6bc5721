#pragma once
// The head columns of an entry grid kept in view: a second view over the grid's cells that
// shows only its fixed columns and lies over the grid's left edge, following its rows, its
// vertical scrolling and its column widths. With more participants than fit, the game
// positions and the item names stay beside the amounts while the grid scrolls sideways.
// It takes neither the focus nor the mouse: clicks reach the grid beneath.
#include <QTableView>

namespace trevo::evenings {

class FesteSpalten : public QTableView {
    Q_OBJECT
public:
    FesteSpalten(QTableView& grid, int spalten);

    // Rows, widths and place taken over from the grid again.
    void anpassen();

private:
    QTableView& grid_;
    int spalten_;
};

} // namespace trevo::evenings
