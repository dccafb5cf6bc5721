#include "dbcontrols/data_link.h"

#include "dbcontrols/deferred_error.h"

#include "data/module/datenquelle.h"

#include <QString>

#include <algorithm>
#include <vector>

namespace trevo::controls {

using engine::DataSetEvent;

QString toQString(const std::string& s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

std::string toStd(const QString& s)
{
    return s.toStdString();
}

// ---- DataLink ----

DataLink::DataLink(Handler onEvent) : onEvent_(std::move(onEvent)) {}

void DataLink::attach(engine::DataSet* ds)
{
    dsSubscription_.reset();
    ds_ = ds;
    if (ds_) {
        dsSubscription_ = ds_->subscribe([this](const DataSetEvent& e) {
            if (e.kind == DataSetEvent::Kind::Destroyed) {
                ds_ = nullptr;
                dsSubscription_.reset();
                deliver(DataSetEvent{DataSetEvent::Kind::LayoutChanged, -1, nullptr});
                return;
            }
            deliver(e);
        });
    }
    deliver(DataSetEvent{DataSetEvent::Kind::LayoutChanged, -1, ds_});
}

void DataLink::deliver(const DataSetEvent& e)
{
    // The control reads the data set while it is telling its listeners: an error of that
    // reading (a calculated field that fails) neither stops the other listeners nor the
    // operation that moved the data set; it is shown once the event loop runs again.
    if (onEvent_) catchAndReportLater([&] { onEvent_(e); });
}

void DataLink::setDataSet(engine::DataSet* ds)
{
    sourceSubscription_.reset();
    attach(ds);
}

void DataLink::setSource(data::Datenquelle* source)
{
    sourceSubscription_.reset();
    if (source) sourceSubscription_ = source->beobachten([this](engine::DataSet* ds) { attach(ds); });
    attach(source ? source->datenmenge() : nullptr);
}

bool DataLink::hasRecord() const
{
    return ds_ && ds_->active() && (ds_->editing() || !ds_->isEmpty());
}

// ---- FieldLink ----

FieldLink::FieldLink(std::string field, Handler onEvent) : DataLink(std::move(onEvent)), field_(std::move(field)) {}

int FieldLink::index() const
{
    engine::DataSet* ds = dataSet();
    if (!ds || !ds->active() || field_.empty()) return -1;
    return ds->fieldIndex(field_);
}

const engine::DataField* FieldLink::field() const
{
    const int i = index();
    return i < 0 ? nullptr : &dataSet()->field(i);
}

bool FieldLink::canModify() const
{
    const engine::DataField* f = field();
    return f && f->kind == engine::FieldKind::Stored && !dataSet()->readOnly();
}

bool FieldLink::concerns(const DataSetEvent& e) const
{
    if (e.kind != DataSetEvent::Kind::FieldChanged || e.field < 0) return true;
    const int i = index();
    // A lookup or calculated field follows the stored fields it is made from.
    return i >= 0 && (e.field == i || dataSet()->field(i).kind != engine::FieldKind::Stored);
}

template <class T, class Read>
T FieldLink::shown(Read read) const
{
    const int i = index();
    T result{};
    if (i >= 0 && hasRecord()) catchAndReportLater([&] { result = read(*dataSet(), i); });
    return result;
}

std::string FieldLink::text() const
{
    return shown<std::string>([](engine::DataSet& ds, int i) { return ds.text(i); });
}

std::string FieldLink::displayText() const
{
    return shown<std::string>([](engine::DataSet& ds, int i) { return ds.displayText(i); });
}

engine::Value FieldLink::value() const
{
    return shown<engine::Value>([](engine::DataSet& ds, int i) { return ds.value(i); });
}

void FieldLink::beginEdit()
{
    engine::DataSet* ds = dataSet();
    if (!ds) throw engine::EngineError("Das Feld ist mit keiner Datenmenge verbunden");
    if (!ds->editing()) ds->edit();
}

void FieldLink::writeText(const std::string& text)
{
    const int i = index();
    if (i < 0) throw engine::EngineError("Feld '" + field_ + "' nicht gefunden");
    beginEdit();
    dataSet()->setText(i, text);
}

void FieldLink::writeValue(const engine::Value& v)
{
    const int i = index();
    if (i < 0) throw engine::EngineError("Feld '" + field_ + "' nicht gefunden");
    beginEdit();
    dataSet()->setValue(i, v);
}

// ---- pending editors ----

namespace {
std::vector<PendingEditor*>& editors()
{
    static std::vector<PendingEditor*> all;
    return all;
}
} // namespace

PendingEditor::PendingEditor()
{
    editors().push_back(this);
}

PendingEditor::~PendingEditor()
{
    std::erase(editors(), this);
}

void updateRecord(engine::DataSet& ds)
{
    const std::vector<PendingEditor*> snapshot = editors();
    for (PendingEditor* e : snapshot)
        if (std::find(editors().begin(), editors().end(), e) != editors().end() && e->pendingDataSet() == &ds)
            e->commitPending();
}

} // namespace trevo::controls
