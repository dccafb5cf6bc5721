#include "dbcontrols/db_grid.h"

#include "dbcontrols/command_guard.h"

#include "engine/dataset/field_text.h"

#include <QHeaderView>

namespace trevo::controls {

using Kind = engine::DataSetEvent::Kind;

// ---- model ----

DataSetModel::DataSetModel(QObject* parent)
    : QAbstractTableModel(parent), link_([this](const engine::DataSetEvent& e) { onEvent(e); })
{
}

void DataSetModel::setColumns(std::vector<GridColumn> columns)
{
    beginResetModel();
    columns_ = std::move(columns);
    endResetModel();
    reload();
}

int DataSetModel::fieldOf(int column) const
{
    engine::DataSet* ds = link_.dataSet();
    if (!ds || !ds->active() || column < 0 || column >= int(columns_.size())) return -1;
    return ds->fieldIndex(columns_[size_t(column)].field);
}

int DataSetModel::currentRow() const
{
    engine::DataSet* ds = link_.dataSet();
    if (!ds || !ds->active()) return -1;
    if (ds->state() == engine::DataSetState::Insert) return rows_ - 1;
    const auto pos = ds->position();
    return pos && int(*pos) < rows_ ? int(*pos) : -1;
}

bool DataSetModel::isPendingRow(int row) const
{
    engine::DataSet* ds = link_.dataSet();
    return ds && ds->editing() && row == currentRow();
}

void DataSetModel::reload()
{
    beginResetModel();
    engine::DataSet* ds = link_.dataSet();
    rows_ = ds && ds->active() ? int(ds->recordCount()) : 0;
    if (ds && ds->state() == engine::DataSetState::Insert) ++rows_; // the new record, shown last
    endResetModel();
    emit currentRowChanged(currentRow());
}

void DataSetModel::onEvent(const engine::DataSetEvent& e)
{
    if (quiet_) return;
    switch (e.kind) {
    case Kind::Scrolled: {
        const int r = currentRow();
        if (r >= 0) emit dataChanged(index(r, 0), index(r, columnCount() - 1));
        emit currentRowChanged(r);
        break;
    }
    case Kind::FieldChanged: {
        const int r = currentRow();
        if (r >= 0) emit dataChanged(index(r, 0), index(r, columnCount() - 1));
        break;
    }
    default: reload(); break;
    }
}

int DataSetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int DataSetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant DataSetModel::data(const QModelIndex& index, int role) const
{
    const int f = fieldOf(index.column());
    if (f < 0 || index.row() >= rows_) return {};
    engine::DataSet* ds = link_.dataSet();
    const engine::DataField& def = ds->field(f);
    if (role == Qt::TextAlignmentRole) {
        const char t = def.def.type;
        return QVariant::fromValue((t == 'N' || t == 'F' ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    const bool pending = isPendingRow(index.row());
    if (role == Qt::EditRole) return toQString(pending ? ds->text(f) : engine::fieldText(def.def, ds->rowValue(size_t(index.row()), f)));
    const std::string& format = columns_[size_t(index.column())].format;
    if (pending) return toQString(format.empty() ? ds->displayText(f) : engine::formatValue(def.def, ds->value(f), format));
    if (format.empty()) return toQString(ds->rowDisplayText(size_t(index.row()), f));
    return toQString(engine::formatValue(def.def, ds->rowValue(size_t(index.row()), f), format));
}

bool DataSetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
    engine::DataSet* ds = link_.dataSet();
    const int f = fieldOf(index.column());
    const std::string text = toStd(value.toString());
    const bool ok = runGuarded([&] {
        if (index.row() != currentRow()) ds->moveTo(size_t(index.row()));
        if (!ds->editing()) ds->edit();
        ds->setText(f, text);
    });
    return ok;
}

QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return {};
    if (section < 0 || section >= int(columns_.size())) return {};
    const GridColumn& c = columns_[size_t(section)];
    if (!c.title.isEmpty()) return c.title;
    const int f = fieldOf(section);
    if (f >= 0 && !link_.dataSet()->field(f).label.empty()) return toQString(link_.dataSet()->field(f).label);
    return toQString(c.field);
}

Qt::ItemFlags DataSetModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const int f = fieldOf(index.column());
    engine::DataSet* ds = link_.dataSet();
    if (!readOnly_ && f >= 0 && !columns_[size_t(index.column())].readOnly && !ds->readOnly()
        && ds->field(f).kind == engine::FieldKind::Stored)
        flags |= Qt::ItemIsEditable;
    return flags;
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
            const int f = model_->fieldOf(c);
            const int chars = f >= 0 ? std::clamp<int>(model_->link().dataSet()->field(f).def.length, 4, 30) : 10;
            width = fontMetrics().averageCharWidth() * chars + 12;
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
    if (!runGuarded([ds, row] { ds->moveTo(size_t(row)); })) followDataSet(model_->currentRow());
}

void DBGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (!following_ && current.isValid() && (!previous.isValid() || current.row() != previous.row()))
        chooseRow(current.row());
}

} // namespace trevo::controls
