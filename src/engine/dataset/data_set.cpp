#include "engine/dataset/data_set.h"

#include "engine/core/collation.h"
#include "engine/dataset/field_text.h"

namespace trevo::engine {

namespace {

std::string upper(std::string_view s) { return toUpperGerman(s); }

// Restores a value when the scope ends, also by an exception.
template <class T>
class Restore {
public:
    Restore(T& ref, T value) : ref_(ref), old_(ref) { ref_ = std::move(value); }
    ~Restore() { ref_ = std::move(old_); }

private:
    T& ref_;
    T old_;
};

} // namespace

DataSet::~DataSet()
{
    observers_.notify(DataSetEvent{DataSetEvent::Kind::Destroyed, -1, this});
}

std::string DataSet::displayName() const { return name_.empty() ? std::string("Datenmenge") : "Datenmenge '" + name_ + "'"; }

void DataSet::requireActive() const
{
    if (!active()) throw EngineError(displayName() + " ist nicht geöffnet");
}

void DataSet::readOnlyError() const
{
    throw EngineError(displayName() + " kann nicht geändert werden");
}

DataSet::Settings& DataSet::settingsFor(std::string_view field) { return settings_[upper(field)]; }

void DataSet::addCalculatedField(std::string name, char type, uint8_t length, uint8_t decimals)
{
    DataField f;
    f.def = FieldDef{std::move(name), type, length, decimals};
    f.kind = FieldKind::Calculated;
    derivedDefs_.push_back(std::move(f));
}

void DataSet::addLookupField(std::string name, char type, DataSet& lookupSet, std::string keyHere, std::string keyThere,
                             std::string resultField, uint8_t length, uint8_t decimals)
{
    DataField f;
    f.def = FieldDef{std::move(name), type, length, decimals};
    f.kind = FieldKind::Lookup;
    f.lookupSet = &lookupSet;
    f.keyHere = std::move(keyHere);
    f.keyThere = std::move(keyThere);
    f.result = std::move(resultField);
    derivedDefs_.push_back(std::move(f));
    // A lookup data set that goes away leaves the field empty instead of dangling.
    DataSet* source = &lookupSet;
    lookupWatch_.push_back(lookupSet.subscribe([this, source](const DataSetEvent& e) {
        if (e.kind != DataSetEvent::Kind::Destroyed) return;
        for (auto* list : {&derivedDefs_, &fields_})
            for (DataField& d : *list)
                if (d.lookupSet == source) d.lookupSet = nullptr;
    }));
}

void DataSet::setDisplayFormat(std::string_view field, std::string format)
{
    settingsFor(field).displayFormat = format;
    const int i = fieldIndex(field);
    if (i >= 0) fields_[static_cast<size_t>(i)].displayFormat = std::move(format);
    notify(DataSetEvent::Kind::DataChanged);
}

void DataSet::setLabel(std::string_view field, std::string label)
{
    settingsFor(field).label = label;
    const int i = fieldIndex(field);
    if (i >= 0) fields_[static_cast<size_t>(i)].label = std::move(label);
}

void DataSet::setRequired(std::string_view field, std::string message)
{
    Settings& s = settingsFor(field);
    s.required = true;
    s.requiredMessage = message;
    const int i = fieldIndex(field);
    if (i >= 0) {
        fields_[static_cast<size_t>(i)].required = true;
        fields_[static_cast<size_t>(i)].requiredMessage = std::move(message);
    }
}

void DataSet::rebuildFields(const std::vector<FieldDef>& stored)
{
    fields_.clear();
    byName_.clear();
    for (size_t i = 0; i < stored.size(); ++i) {
        DataField f;
        f.def = stored[i];
        f.source = static_cast<int>(i);
        fields_.push_back(std::move(f));
    }
    calcCount_ = 0;
    for (const DataField& d : derivedDefs_) {
        DataField f = d;
        if (f.kind == FieldKind::Calculated) f.source = calcCount_++;
        fields_.push_back(std::move(f));
    }
    for (size_t i = 0; i < fields_.size(); ++i) {
        DataField& f = fields_[i];
        byName_.emplace(upper(f.def.name), static_cast<int>(i)); // the first of equal names wins
        auto it = settings_.find(upper(f.def.name));
        if (it != settings_.end()) {
            f.label = it->second.label;
            f.displayFormat = it->second.displayFormat;
            f.required = it->second.required;
            f.requiredMessage = it->second.requiredMessage;
        }
        if (f.label.empty()) f.label = f.def.name;
    }
    for (DataField& f : fields_) {
        if (f.kind != FieldKind::Lookup) continue;
        f.keyHereField = fieldIndex(f.keyHere);
        if (f.keyHereField < 0)
            throw EngineError(displayName() + ": das Schlüsselfeld '" + f.keyHere + "' des Nachschlagefelds '" +
                              f.def.name + "' fehlt");
    }
    current_ = CalcCache{};
    row_ = CalcCache{};
}

const DataField& DataSet::field(int i) const
{
    if (i < 0 || i >= fieldCount())
        throw EngineError(displayName() + " hat kein Feld Nr. " + std::to_string(i + 1));
    return fields_[static_cast<size_t>(i)];
}

int DataSet::fieldIndex(std::string_view name) const
{
    auto it = byName_.find(upper(name));
    return it == byName_.end() ? -1 : it->second;
}

int DataSet::requireField(std::string_view name) const
{
    const int i = fieldIndex(name);
    if (i < 0) {
        requireActive();
        throw EngineError(displayName() + " hat kein Feld '" + std::string(name) + "'");
    }
    return i;
}

Value DataSet::value(int i)
{
    requireActive();
    const DataField& f = field(i);
    if (f.kind == FieldKind::Stored) return rowContext_ ? rowStored(*rowContext_, f.source) : currentStored(f.source);
    return derivedValue(f);
}

Value DataSet::derivedValue(const DataField& f)
{
    if (f.kind == FieldKind::Calculated) {
        if (calcTarget_) return (*calcTarget_)[static_cast<size_t>(f.source)];
        const std::vector<Value>& values = calculated(rowContext_ ? row_ : current_);
        return values[static_cast<size_t>(f.source)];
    }
    if (!f.lookupSet || !f.lookupSet->active()) return {};
    const Value key = value(f.keyHereField);
    if (key.isNull() || (key.isText() && trimRight(key.text()).empty())) return {};
    return f.lookupSet->lookup(f.keyThere, key, f.result);
}

const std::vector<Value>& DataSet::calculated(CalcCache& cache)
{
    const bool fresh = cache.valid && cache.generation == generation_ && (!rowContext_ || cache.row == *rowContext_);
    if (fresh) return cache.values;
    std::vector<Value> values(static_cast<size_t>(calcCount_));
    if (events.calcFields) {
        Restore<std::vector<Value>*> guard(calcTarget_, &values);
        events.calcFields(*this);
    }
    cache.values = std::move(values);
    cache.valid = true;
    cache.generation = generation_;
    cache.row = rowContext_.value_or(0);
    return cache.values;
}

Value DataSet::oldValue(int i)
{
    requireActive();
    return state_ == DataSetState::Insert ? Value() : value(i);
}

std::string DataSet::text(int i) { return fieldText(field(i).def, value(i)); }

std::string DataSet::displayText(int i)
{
    const Value v = value(i);
    const DataField& f = field(i);
    return formatValue(f.def, v, f.displayFormat);
}

void DataSet::setValue(int i, Value v)
{
    requireActive();
    const DataField& f = field(i);
    if (f.kind == FieldKind::Calculated) {
        if (!calcTarget_)
            throw EngineError("Das berechnete Feld '" + f.def.name + "' wird nur beim Berechnen gesetzt");
        (*calcTarget_)[static_cast<size_t>(f.source)] = std::move(v);
        return;
    }
    if (f.kind == FieldKind::Lookup) throw EngineError("Das Nachschlagefeld '" + f.def.name + "' kann nicht geändert werden");
    storeValue(f.source, std::move(v));
    modified_ = true;
    notify(DataSetEvent::Kind::FieldChanged, i);
}

void DataSet::setText(int i, std::string_view t)
{
    requireActive();
    const DataField& f = field(i);
    if (f.kind == FieldKind::Stored) setValue(i, convertText(f.source, t));
    else setValue(i, valueFromText(f.def, t));
}

void DataSet::storeValue(int, Value) { readOnlyError(); }

Value DataSet::rowValue(size_t row, int i)
{
    requireActive();
    Restore<std::optional<size_t>> guard(rowContext_, row);
    return value(i);
}

std::string DataSet::rowDisplayText(size_t row, int i)
{
    const Value v = rowValue(row, i);
    const DataField& f = field(i);
    return formatValue(f.def, v, f.displayFormat);
}

void DataSet::checkRequired(const std::vector<Value>& stored) const
{
    for (const DataField& f : fields_) {
        if (!f.required || f.kind != FieldKind::Stored) continue;
        const Value& v = stored[static_cast<size_t>(f.source)];
        if (v.isNull() || (v.isText() && trimRight(v.text()).empty()))
            throw ValueError(f.requiredMessage.empty() ? f.label + " muß eingegeben werden." : f.requiredMessage);
    }
}

void DataSet::notify(DataSetEvent::Kind kind, int field)
{
    ++generation_;
    observers_.notify(DataSetEvent{kind, field, this});
}

void DataSet::append() { readOnlyError(); }
void DataSet::insert() { readOnlyError(); }
void DataSet::edit() { readOnlyError(); }
void DataSet::post() {}
void DataSet::cancel() {}
void DataSet::deleteRecord() { readOnlyError(); }
void DataSet::checkBrowseMode() {}

} // namespace trevo::engine
