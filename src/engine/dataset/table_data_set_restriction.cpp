// Which records a table data set shows: the range on the current index, the filter
// (a function or a filter text) and the link to a master data set.
#include "engine/dataset/table_data_set.h"

#include "engine/core/collation.h"
#include "engine/dbf/dbf_table.h"
#include "engine/expr/filter.h"
#include "engine/index/table_indexes.h"

namespace trevo::engine {

void TableDataSet::applyRange()
{
    if (!cursor_) return;
    Cursor& c = *cursor_;
    c.setRestriction({});
    if (link_) {
        if (!link_->key) {
            c.setEmptyRange();
            return;
        }
        const int f = table_->fieldIndex(link_->detailField);
        if (c.order().field() == f) {
            c.setRange(*link_->key, *link_->key);
            return;
        }
        // Another index is current: the link becomes a condition on the records.
        c.clearRange();
        const char type = table_->fields()[static_cast<size_t>(f)].type;
        const std::string key = indexKey(type, *link_->key);
        DbfTable* t = table_.get();
        c.setRestriction([t, f, type, key](uint32_t recno) { return indexKey(type, t->get(recno, f)) == key; });
        return;
    }
    if (userRange_) c.setRange(rangeLow_, rangeHigh_);
    else c.clearRange();
}

void TableDataSet::setRange(std::optional<Value> low, std::optional<Value> high)
{
    requireActive();
    if (link_) throw EngineError(displayName() + " hängt an einer Haupttabelle; ein Bereich ist nicht möglich");
    checkBrowseMode();
    if (low) low = convertKey(*low);
    if (high) high = convertKey(*high);
    rangeLow_ = std::move(low);
    rangeHigh_ = std::move(high);
    userRange_ = true;
    applyRange();
    notify(DataSetEvent::Kind::DataChanged);
    first();
}

void TableDataSet::cancelRange()
{
    if (!userRange_) return;
    requireActive();
    checkBrowseMode();
    userRange_ = false;
    rangeLow_.reset();
    rangeHigh_.reset();
    applyRange();
    notify(DataSetEvent::Kind::DataChanged);
    first();
}

void TableDataSet::applyFilter()
{
    if (!cursor_) return;
    if (filter_) {
        DbfTable* t = table_.get();
        RecordFilter f = filter_;
        cursor_->setFilter([t, f](uint32_t recno) { return f(t->getRecord(recno)); });
    } else {
        cursor_->setFilter({});
    }
    cursor_->setFiltered(filtered_);
}

void TableDataSet::setFilter(RecordFilter filter)
{
    if (active()) checkBrowseMode();
    filter_ = std::move(filter);
    filterText_.clear();
    if (!active()) return;
    applyFilter();
    notify(DataSetEvent::Kind::DataChanged);
    if (filtered_) first();
}

TableDataSet::RecordFilter TableDataSet::compileFilter(std::string_view text) const
{
    auto compiled = std::make_shared<expr::Filter>(expr::Filter::compile(text, table_->fields()));
    if (compiled->empty()) return nullptr;
    return [compiled](const Record& r) { return compiled->matches(r); };
}

void TableDataSet::setFilterText(std::string_view text)
{
    if (!active()) {
        filterText_ = std::string(text);
        filter_ = nullptr;
        return;
    }
    // Compiled before anything changes, so a faulty text leaves the old filter.
    RecordFilter compiled = compileFilter(text);
    checkBrowseMode();
    filter_ = std::move(compiled);
    filterText_ = std::string(text);
    applyFilter();
    notify(DataSetEvent::Kind::DataChanged);
    if (filtered_) first();
}

void TableDataSet::setFiltered(bool on)
{
    if (!active()) {
        filtered_ = on;
        return;
    }
    checkBrowseMode();
    filtered_ = on;
    applyFilter();
    notify(DataSetEvent::Kind::DataChanged);
    first();
}

void TableDataSet::refresh()
{
    requireActive();
    checkBrowseMode();
    cursor_->refresh();
    notify(DataSetEvent::Kind::DataChanged);
    notify(DataSetEvent::Kind::Scrolled);
}

// ---- master link ----

void TableDataSet::setMasterLink(DataSet& master, std::string detailField, std::string masterField)
{
    if (active() && table_->fieldIndex(detailField) < 0)
        throw EngineError("Die Tabelle '" + fileNameOf(path_) + "' hat kein Feld '" + detailField + "'");
    auto link = std::make_unique<Link>();
    link->master = &master;
    link->detailField = std::move(detailField);
    link->masterField = std::move(masterField);
    link->subscription = master.subscribe([this](const DataSetEvent& e) { onMasterEvent(e); });
    if (active()) checkBrowseMode();
    link_ = std::move(link);
    userRange_ = false;
    if (!active()) return;
    link_->key = masterKey();
    applyRange();
    notify(DataSetEvent::Kind::DataChanged);
    first();
}

void TableDataSet::clearMasterLink()
{
    if (!link_) return;
    if (active()) checkBrowseMode();
    link_.reset();
    if (!active()) return;
    applyRange();
    notify(DataSetEvent::Kind::DataChanged);
    first();
}

std::optional<Value> TableDataSet::masterKey() const
{
    DataSet& m = *link_->master;
    if (!m.active()) return std::nullopt;
    if (!m.editing() && m.isEmpty()) return std::nullopt;
    const int f = m.fieldIndex(link_->masterField);
    if (f < 0) return std::nullopt;
    Value v = m.value(f);
    if (v.isNull() || (v.isText() && trimRight(v.text()).empty())) return std::nullopt;
    return v;
}

void TableDataSet::onMasterEvent(const DataSetEvent& e)
{
    using K = DataSetEvent::Kind;
    if (e.kind == K::Destroyed) {
        link_.reset();
        if (active()) {
            applyRange();
            notify(K::DataChanged);
        }
        return;
    }
    if (e.kind == K::FieldChanged && e.field != link_->master->fieldIndex(link_->masterField)) return;
    followMaster();
}

void TableDataSet::followMaster()
{
    if (!active() || !link_) return;
    std::optional<Value> key = masterKey();
    if (key == link_->key) return;
    checkBrowseMode();
    link_->key = std::move(key);
    applyRange();
    notify(DataSetEvent::Kind::DataChanged);
    first();
}

} // namespace trevo::engine
