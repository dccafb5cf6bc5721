#include "dbcontrols/data_set_model.h"

#include "dbcontrols/command_guard.h"
#include "dbcontrols/deferred_error.h"

#include "engine/dataset/field_text.h"

namespace trevo::controls {

using Kind = engine::DataSetEvent::Kind;

DataSetModel::DataSetModel(QObject* parent)
    : QAbstractTableModel(parent), link_([this](const engine::DataSetEvent& e) { onEvent(e); })
{
}

template <class F>
bool DataSetModel::read(F&& step) const
{
    try {
        step();
        return true;
    } catch (const engine::Aborted&) {
        return false;
    } catch (...) {
        const QString text = currentErrorText();
        if (!reported_.contains(text)) {
            reported_.insert(text);
            reportLater(text);
        }
        return false;
    }
}

void DataSetModel::setColumns(std::vector<GridColumn> columns)
{
    beginResetModel();
    columns_ = std::move(columns);
    reported_.clear();
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

int DataSetModel::rowsNow() const
{
    engine::DataSet* ds = link_.dataSet();
    int rows = 0;
    if (ds && ds->active()) read([&] { rows = int(ds->recordCount()); });
    if (ds && ds->state() == engine::DataSetState::Insert) ++rows; // the new record, shown last
    return rows;
}

void DataSetModel::reload()
{
    beginResetModel();
    rows_ = rowsNow();
    endResetModel();
    emit currentRowChanged(currentRow());
}

void DataSetModel::onEvent(const engine::DataSetEvent& e)
{
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
    case Kind::StateChanged:
        // Into or out of edit state: the rows stay, and so does an editor open in a cell
        // (putting the record into edit is the first thing a cell's edit does). A new
        // record adds its row, a dropped one takes it away.
        if (rowsNow() != rows_) {
            reload();
        } else {
            if (rows_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1));
            emit currentRowChanged(currentRow());
        }
        break;
    case Kind::LayoutChanged:
        reported_.clear(); // another data set, or opened anew: its errors are news
        reload();
        break;
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
    QVariant result;
    read([&] { result = cell(index, role); });
    return result;
}

QVariant DataSetModel::cell(const QModelIndex& index, int role) const
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
    const size_t row = size_t(index.row());
    if (role == Qt::EditRole) return toQString(pending ? ds->text(f) : engine::fieldText(def.def, ds->rowValue(row, f)));
    const std::string& format = columns_[size_t(index.column())].format;
    if (pending) return toQString(format.empty() ? ds->displayText(f) : engine::formatValue(def.def, ds->value(f), format));
    if (format.empty()) return toQString(ds->rowDisplayText(row, f));
    return toQString(engine::formatValue(def.def, ds->rowValue(row, f), format));
}

bool DataSetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
    engine::DataSet* ds = link_.dataSet();
    const int f = fieldOf(index.column());
    const std::string text = toStd(value.toString());
    return runGuarded([&] {
        if (index.row() != currentRow()) ds->moveTo(size_t(index.row()));
        if (!ds->editing()) ds->edit();
        ds->setText(f, text);
    });
}

QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation == Qt::Vertical) return {};
    if (section < 0 || section >= int(columns_.size())) return {};
    QVariant result;
    if (!read([&] { result = title(section); })) return toQString(columns_[size_t(section)].field);
    return result;
}

QVariant DataSetModel::title(int section) const
{
    const GridColumn& c = columns_[size_t(section)];
    if (!c.title.isEmpty()) return c.title;
    const int f = fieldOf(section);
    if (f >= 0 && !link_.dataSet()->field(f).label.empty()) return toQString(link_.dataSet()->field(f).label);
    return toQString(c.field);
}

Qt::ItemFlags DataSetModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    bool canEdit = false;
    read([&] { canEdit = editable(index); });
    if (canEdit) flags |= Qt::ItemIsEditable;
    return flags;
}

bool DataSetModel::editable(const QModelIndex& index) const
{
    const int f = fieldOf(index.column());
    if (readOnly_ || f < 0 || columns_[size_t(index.column())].readOnly) return false;
    engine::DataSet* ds = link_.dataSet();
    return !ds->readOnly() && ds->field(f).kind == engine::FieldKind::Stored;
}

} // namespace trevo::controls
