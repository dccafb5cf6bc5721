#pragma once
// A grid of plain text cells with fixed rows and columns (the heads, drawn like
// buttons and not editable), as the evening's entry grids use it. Cells are addressed
// column first, as in cell(col, row). A row height of 0 hides the row. The fixed columns
// stay in view while the grid scrolls sideways, and no cell is left under them.
#include <QTableWidget>

namespace trevo::controls {

class FixedColumnsView;

class StringGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit StringGrid(QWidget* parent = nullptr);

    int colCount() const { return columnCount(); }
    void setColCount(int n);
    void setRowCount(int n);
    int fixedRows() const { return fixedRows_; }
    int fixedCols() const { return fixedCols_; }
    void setFixedRows(int n);
    void setFixedCols(int n);
    void setDefaultColWidth(int w);
    void setDefaultRowHeight(int h);
    void setColWidth(int col, int w) { setColumnWidth(col, w); }
    void setRowHeightPx(int row, int h);

    QString cell(int col, int row) const;
    void setCell(int col, int row, const QString& text);
    // Empties every cell of the column (rows from `fromRow` on).
    void clearCol(int col, int fromRow = 0);

    // The current cell; the grid never makes a fixed cell current.
    int col() const { return currentColumn(); }
    int row() const { return currentRow(); }
    void setCurrent(int col, int row);
    bool isFixed(int col, int row) const { return row < fixedRows_ || col < fixedCols_; }

    // The fixed columns kept in view while the grid scrolls sideways.
    FixedColumnsView* fixedColumnsView() const { return fixedView_; }

signals:
    // Another cell became current (the one left is given too; -1 when there was none).
    void cellSelected(int col, int row, int previousCol, int previousRow);

protected:
    void updateGeometries() override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

private:
    QTableWidgetItem* itemAt(int col, int row);
    void styleCells();
    void styleCell(int col, int row);

    int fixedRows_ = 1;
    int fixedCols_ = 1;
    int defaultColWidth_ = 64;
    int defaultRowHeight_ = 24;
    FixedColumnsView* fixedView_ = nullptr;
};

} // namespace trevo::controls
