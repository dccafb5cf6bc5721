#pragma once
// The table model of a grid over a data set: one row per visible record in the data set's
// order (a new record in Insert state shows as the last row), columns with titles and
// display formats. The model follows the data set through its link.
//
// Qt calls data(), headerData() and flags() while it paints. Whatever the data set throws
// there (a calculated field that fails) leaves the cell empty; the error is shown once,
// after the paint, and again only when it reads differently or the model shows another
// data set. The model's signals are emitted while the data set tells its listeners: the
// slots connected to them must not throw.
#include "dbcontrols/data_link.h"

#include <QAbstractTableModel>
#include <QSet>

#include <string>
#include <vector>

namespace trevo::controls {

struct GridColumn {
    GridColumn(std::string field, QString title = {}, int width = -1, std::string format = {}, bool readOnly = false)
        : field(std::move(field)), title(std::move(title)), width(width), format(std::move(format)), readOnly(readOnly)
    {
    }
    std::string field;
    QString title;           // empty: the field's label, else its name
    int width = -1;          // pixels; -1: from the field's length and the title
    std::string format;      // display format; empty: the field's own
    bool readOnly = false;
};

class DataSetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DataSetModel(QObject* parent = nullptr);

    DataLink& link() { return link_; }
    void setColumns(std::vector<GridColumn> columns);
    const std::vector<GridColumn>& columns() const { return columns_; }
    void setReadOnly(bool on) { readOnly_ = on; }
    bool readOnly() const { return readOnly_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The row of the data set's current record, -1 for none.
    int currentRow() const;
    int fieldOf(int column) const;

signals:
    void currentRowChanged(int row);

private:
    void onEvent(const engine::DataSetEvent& e);
    void reload();
    // The rows the data set has now (a new record counts as the last).
    int rowsNow() const;
    bool isPendingRow(int row) const;
    QVariant cell(const QModelIndex& index, int role) const;
    QVariant title(int section) const;
    bool editable(const QModelIndex& index) const;
    // Runs a read of the data set; an error it throws is reported once and gives false.
    template <class F>
    bool read(F&& step) const;

    DataLink link_;
    std::vector<GridColumn> columns_;
    bool readOnly_ = true;
    int rows_ = 0;
    mutable QSet<QString> reported_;
};

} // namespace trevo::controls
