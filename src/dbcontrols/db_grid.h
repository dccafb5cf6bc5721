#pragma once
// A grid over a data set: one row per visible record in the data set's order, columns
// with titles, widths and display formats. The current row follows the data set, and
// choosing a row moves the data set there (storing or dropping a pending record first).
// Editable grids change a cell in place: the data set goes into edit state and the text
// is converted into the field.
#include "dbcontrols/data_link.h"

#include <QAbstractTableModel>
#include <QTableView>

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
    int width = -1;          // pixels; -1: from the field's length
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
    bool isPendingRow(int row) const;

    DataLink link_;
    std::vector<GridColumn> columns_;
    bool readOnly_ = true;
    int rows_ = 0;
    bool quiet_ = false;
};

class DBGrid : public QTableView {
    Q_OBJECT
public:
    explicit DBGrid(QWidget* parent = nullptr);

    DataSetModel& model() { return *model_; }
    void setDataSet(engine::DataSet* ds) { model_->link().setDataSet(ds); }
    void setSource(data::Datenquelle* source) { model_->link().setSource(source); }
    void setColumns(std::vector<GridColumn> columns);
    // Read-only grids only show and move; editable ones change cells in place.
    void setReadOnly(bool on);

    // What choosing a row does: the data set goes to that record.
    void chooseRow(int row);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void followDataSet(int row);
    void applyWidths();

    DataSetModel* model_ = nullptr;
    bool following_ = false;
};

} // namespace trevo::controls
