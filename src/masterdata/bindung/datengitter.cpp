#include "masterdata/bindung/datengitter.h"

#include "dbcontrols/command_guard.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

namespace trevo::masterdata::bindung {

using engine::DataSetEvent;

DatenModell::DatenModell(engine::DataSet* ds, std::vector<std::string> fields, QObject* parent)
    : QAbstractTableModel(parent), ds_(ds), fields_(std::move(fields))
{
    if (ds_) subscription_ = ds_->subscribe([this](const DataSetEvent& e) { onEvent(e); });
    neuLaden();
}

void DatenModell::setDataSet(engine::DataSet* ds)
{
    subscription_.reset();
    ds_ = ds;
    if (ds_) subscription_ = ds_->subscribe([this](const DataSetEvent& e) { onEvent(e); });
    neuLaden();
    emit positionGeaendert();
}

void DatenModell::neuLaden()
{
    beginResetModel();
    rows_ = ds_ && ds_->active() ? ds_->recordCount() : 0;
    endResetModel();
}

void DatenModell::onEvent(const DataSetEvent& e)
{
    switch (e.kind) {
    case DataSetEvent::Kind::Destroyed:
        beginResetModel();
        ds_ = nullptr;
        rows_ = 0;
        subscription_.reset();
        endResetModel();
        return;
    case DataSetEvent::Kind::FieldChanged: return; // the pending record is not a row yet
    case DataSetEvent::Kind::Scrolled:
        if (ds_->active() && ds_->recordCount() == rows_) {
            // The current record may have been re-read: show the rows again in place.
            if (rows_ > 0) emit dataChanged(index(0, 0), index(static_cast<int>(rows_) - 1, columnCount() - 1));
            emit positionGeaendert();
            return;
        }
        break;
    default: break;
    }
    neuLaden();
    emit positionGeaendert();
}

int DatenModell::fieldOf(int column) const
{
    if (!ds_ || !ds_->active() || column < 0 || column >= static_cast<int>(fields_.size())) return -1;
    return ds_->fieldIndex(fields_[static_cast<size_t>(column)]);
}

int DatenModell::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : static_cast<int>(rows_); }

int DatenModell::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(fields_.size());
}

QVariant DatenModell::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole) return {};
    const int f = fieldOf(index.column());
    if (f < 0 || index.row() < 0 || static_cast<size_t>(index.row()) >= rows_) return {};
    return QString::fromStdString(ds_->rowDisplayText(static_cast<size_t>(index.row()), f));
}

QString DatenModell::title(int column) const
{
    const int f = fieldOf(column);
    if (f >= 0 && !ds_->field(f).label.empty()) return QString::fromStdString(ds_->field(f).label);
    return column >= 0 && column < static_cast<int>(fields_.size())
               ? QString::fromStdString(fields_[static_cast<size_t>(column)])
               : QString();
}

QVariant DatenModell::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    return title(section);
}

// ---- Datengitter ----

Datengitter::Datengitter(engine::DataSet* ds, std::vector<std::string> fields, QWidget* parent)
    : QTableView(parent), model_(new DatenModell(ds, std::move(fields), this))
{
    setModel(model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAlternatingRowColors(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    verticalHeader()->setFixedWidth(14);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setHighlightSections(false);
    connect(model_, &DatenModell::positionGeaendert, this, &Datengitter::folgen);
    connect(model_, &QAbstractItemModel::modelReset, this, &Datengitter::folgen);
    folgen();
}

int Datengitter::aktuelleZeile() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void Datengitter::folgen()
{
    engine::DataSet* ds = model_->dataSet();
    std::optional<size_t> pos;
    if (ds && ds->active() && ds->state() != engine::DataSetState::Insert) pos = ds->position();
    if (pos && static_cast<int>(*pos) < model_->rowCount()) {
        const QModelIndex at = model_->index(static_cast<int>(*pos), std::max(0, currentIndex().column()));
        selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(at);
    } else {
        selectionModel()->clearSelection();
    }
}

namespace {

std::vector<engine::Value> rowValues(engine::DataSet& ds, size_t row)
{
    std::vector<engine::Value> values;
    for (int f = 0; f < ds.fieldCount(); ++f)
        if (ds.field(f).kind == engine::FieldKind::Stored) values.push_back(ds.rowValue(row, f));
    return values;
}

// The row that holds these values now, looked for next to where it was: storing or
// dropping a pending record shifts the rows after it by one.
size_t findRow(engine::DataSet& ds, const std::vector<engine::Value>& wanted, size_t was)
{
    const size_t rows = ds.recordCount();
    for (long d : {0L, -1L, 1L, -2L, 2L}) {
        const long r = static_cast<long>(was) + d;
        if (r >= 0 && static_cast<size_t>(r) < rows && rowValues(ds, static_cast<size_t>(r)) == wanted)
            return static_cast<size_t>(r);
    }
    return was;
}

} // namespace

void Datengitter::zeileWaehlen(int row)
{
    engine::DataSet* ds = model_->dataSet();
    if (!ds || !ds->active() || row < 0) return;
    controls::runGuarded([&] {
        size_t target = static_cast<size_t>(row);
        if (ds->editing() && target < ds->recordCount()) {
            const std::vector<engine::Value> wanted = rowValues(*ds, target);
            ds->checkBrowseMode();
            target = findRow(*ds, wanted, target);
        }
        ds->moveTo(target);
    });
    folgen();
}

void Datengitter::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex at = indexAt(event->position().toPoint());
    if (at.isValid()) {
        setFocus();
        zeileWaehlen(at.row());
        return;
    }
    QTableView::mousePressEvent(event);
}

void Datengitter::keyPressEvent(QKeyEvent* event)
{
    const int row = aktuelleZeile();
    int target = -1;
    switch (event->key()) {
    case Qt::Key_Up: target = row - 1; break;
    case Qt::Key_Down: target = row + 1; break;
    case Qt::Key_PageUp: target = std::max(0, row - 10); break;
    case Qt::Key_PageDown: target = std::min(model_->rowCount() - 1, row + 10); break;
    case Qt::Key_Home: target = 0; break;
    case Qt::Key_End: target = model_->rowCount() - 1; break;
    case Qt::Key_Return:
    case Qt::Key_Enter: return; // no effect of the grid's own
    default: QTableView::keyPressEvent(event); return;
    }
    if (target >= 0 && target < model_->rowCount()) zeileWaehlen(target);
}

} // namespace trevo::masterdata::bindung
