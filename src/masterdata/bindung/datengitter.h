#pragma once
// A read-only grid over a data set: one row per visible record in the data set's order,
// the given fields as columns titled with their labels. The selected row follows the
// data set's current record, and clicking a row moves the data set there (storing or
// dropping a pending record first, by the data-set rule).
#include "engine/dataset/data_set.h"

#include <QAbstractTableModel>
#include <QTableView>

#include <string>
#include <vector>

namespace trevo::masterdata::bindung {

class DatenModell : public QAbstractTableModel {
    Q_OBJECT
public:
    DatenModell(engine::DataSet* ds, std::vector<std::string> fields, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    engine::DataSet* dataSet() const { return ds_; }
    void setDataSet(engine::DataSet* ds);
    const std::vector<std::string>& fields() const { return fields_; }
    // The column title: the field's label, else its name.
    QString title(int column) const;

    void neuLaden();

signals:
    void positionGeaendert();

private:
    void onEvent(const engine::DataSetEvent& e);
    int fieldOf(int column) const;

    engine::DataSet* ds_;
    std::vector<std::string> fields_;
    engine::Subscription subscription_;
    size_t rows_ = 0;
};

class Datengitter : public QTableView {
    Q_OBJECT
public:
    Datengitter(engine::DataSet* ds, std::vector<std::string> fields, QWidget* parent);
    DatenModell& modell() { return *model_; }
    // The row shown as current, -1 for none.
    int aktuelleZeile() const;
    // What a click on the row does: the data set goes there.
    void zeileWaehlen(int row);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void folgen();
    DatenModell* model_;
};

} // namespace trevo::masterdata::bindung
