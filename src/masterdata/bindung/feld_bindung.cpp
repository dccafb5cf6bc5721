#include "masterdata/bindung/feld_bindung.h"

namespace trevo::masterdata::bindung {

using engine::DataSetEvent;

FeldBindung::FeldBindung(QObject* parent, engine::DataSet* ds, std::string field)
    : QObject(parent), ds_(ds), field_(std::move(field))
{
    if (ds_) subscription_ = ds_->subscribe([this](const DataSetEvent& e) { onEvent(e); });
}

void FeldBindung::setDataSet(engine::DataSet* ds)
{
    subscription_.reset();
    ds_ = ds;
    pending_ = false;
    if (ds_) subscription_ = ds_->subscribe([this](const DataSetEvent& e) { onEvent(e); });
    emit anzeigen();
}

int FeldBindung::fieldIndex() const
{
    if (!ds_ || !ds_->active()) return -1;
    return ds_->fieldIndex(field_);
}

bool FeldBindung::writesAtOnce() const
{
    const int f = fieldIndex();
    if (f < 0) return true;
    const char type = ds_->field(f).def.type;
    return type == 'C' || type == 'M';
}

bool FeldBindung::hasRecord() const
{
    if (fieldIndex() < 0) return false;
    return ds_->editing() || !ds_->isEmpty();
}

std::string FeldBindung::text() const { return hasRecord() ? ds_->text(fieldIndex()) : std::string(); }

engine::Value FeldBindung::value() const { return hasRecord() ? ds_->value(fieldIndex()) : engine::Value(); }

void FeldBindung::ensureEditing()
{
    if (!ds_->editing()) ds_->edit();
}

void FeldBindung::setPending(std::string text)
{
    if (fieldIndex() < 0) return;
    pendingText_ = std::move(text);
    pending_ = true;
    if (writesAtOnce()) uebernehmen();
}

void FeldBindung::uebernehmen()
{
    if (!pending_ || fieldIndex() < 0) return;
    writing_ = true;
    try {
        ensureEditing();
        ds_->setText(fieldIndex(), pendingText_);
    } catch (...) {
        writing_ = false;
        throw;
    }
    writing_ = false;
    pending_ = false;
}

void FeldBindung::write(const engine::Value& v)
{
    if (fieldIndex() < 0) return;
    writing_ = true;
    try {
        ensureEditing();
        ds_->setValue(fieldIndex(), v);
    } catch (...) {
        writing_ = false;
        emit anzeigen();
        throw;
    }
    writing_ = false;
}

void FeldBindung::onEvent(const DataSetEvent& e)
{
    switch (e.kind) {
    case DataSetEvent::Kind::Destroyed:
        ds_ = nullptr;
        subscription_.reset();
        pending_ = false;
        emit anzeigen();
        return;
    case DataSetEvent::Kind::FieldChanged:
        if (writing_ || e.field != fieldIndex()) return;
        break;
    default:
        // What our own writing causes (edit state, an append on an empty table) leaves
        // the control as the user typed it.
        if (writing_) return;
        break;
    }
    pending_ = false;
    emit anzeigen();
}

} // namespace trevo::masterdata::bindung
