// Opening, moving, order, searches and stored values of table data sets. Which
// records they show (range, filter, master link) is in table_data_set_restriction.cpp.
#include "engine/dataset/table_data_set.h"

#include "engine/database.h"
#include "engine/dataset/locate_match.h"
#include "engine/dbf/dbf_table.h"
#include "engine/index/table_indexes.h"

namespace trevo::engine {

TableDataSet::TableDataSet(Session& session, std::shared_ptr<DbfTable> table)
    : session_(&session), path_(table ? table->path() : std::string()), table_(std::move(table))
{
}

TableDataSet::TableDataSet(Database& db, Session& session, std::string path)
    : session_(&session), db_(&db), path_(std::move(path))
{
}

TableDataSet::~TableDataSet()
{
    // No events while going: only the observers' Destroyed (from the base) remains.
    link_.reset();
    tableSubscription_.reset();
}

Cursor& TableDataSet::cursor()
{
    requireActive();
    return *cursor_;
}

bool TableDataSet::readOnly() const { return readOnly_ || (table_ && table_->readOnly()); }

void TableDataSet::requireWritable() const
{
    if (readOnly()) throw EngineError("Die Tabelle '" + fileNameOf(path_) + "' ist schreibgeschützt");
}

void TableDataSet::open()
{
    if (active()) return;
    if (!table_) table_ = db_->table(path_);
    auto cursor = std::make_unique<Cursor>(table_);
    if (!indexName_.empty()) cursor->setOrder(indexName_);
    if (link_ && table_->fieldIndex(link_->detailField) < 0)
        throw EngineError("Die Tabelle '" + fileNameOf(path_) + "' hat kein Feld '" + link_->detailField + "'");
    rebuildFields(table_->fields());
    cursor_ = std::move(cursor);
    state_ = DataSetState::Browse;
    try {
        if (!filterText_.empty()) filter_ = compileFilter(filterText_);
        applyFilter();
        if (link_) link_->key = masterKey();
        applyRange();
    } catch (...) {
        cursor_.reset();
        state_ = DataSetState::Inactive;
        throw;
    }
    tableSubscription_ = table_->attachment<TableIndexes>().subscribe([this](const TableChange& c) { onTableChanged(c); });
    cursor_->first();
    notify(DataSetEvent::Kind::LayoutChanged);
    notify(DataSetEvent::Kind::StateChanged);
    notify(DataSetEvent::Kind::Scrolled);
    fire(events.afterScroll);
}

void TableDataSet::close()
{
    if (!active()) return;
    if (editing()) cancel();
    tableSubscription_.reset();
    cursor_.reset();
    state_ = DataSetState::Inactive;
    buffer_.clear();
    modified_ = false;
    if (db_) table_.reset(); // the next open takes the table from the database again
    notify(DataSetEvent::Kind::StateChanged);
    notify(DataSetEvent::Kind::LayoutChanged);
}

void TableDataSet::onTableChanged(const TableChange&)
{
    if (!writing_) notify(DataSetEvent::Kind::DataChanged);
}

// The frame of every move: implicit post, the move, observers, afterScroll.
template <class F>
auto TableDataSet::move(F&& op)
{
    requireActive();
    checkBrowseMode();
    auto result = op(*cursor_);
    notify(DataSetEvent::Kind::Scrolled);
    fire(events.afterScroll);
    return result;
}

bool TableDataSet::first() { return move([](Cursor& c) { return c.first(); }); }
bool TableDataSet::last() { return move([](Cursor& c) { return c.last(); }); }
bool TableDataSet::next() { return move([](Cursor& c) { return c.next(); }); }
bool TableDataSet::prior() { return move([](Cursor& c) { return c.prior(); }); }
long TableDataSet::moveBy(long n) { return move([n](Cursor& c) { return c.moveBy(n); }); }
bool TableDataSet::moveTo(size_t position) { return move([position](Cursor& c) { return c.moveTo(position); }); }

bool TableDataSet::eof() { return cursor().eof(); }
bool TableDataSet::bof() { return cursor().bof(); }
bool TableDataSet::isEmpty() { return !cursor().onRecord(); }
size_t TableDataSet::recordCount() { return cursor().recordCount(); }
std::optional<size_t> TableDataSet::position() { return cursor().position(); }

std::optional<uint32_t> TableDataSet::recordNumber()
{
    if (state_ == DataSetState::Insert) return std::nullopt;
    if (state_ == DataSetState::Edit) return editRecno_;
    if (!cursor().onRecord()) return std::nullopt;
    return cursor_->recno();
}

Value TableDataSet::convertKey(const Value& key) const
{
    const TableIndex& order = cursor_->order();
    if (order.physical() || !key.isText() || order.fieldType() == 'C') return key;
    return table_->fromText(order.field(), key.text());
}

bool TableDataSet::findKey(const Value& key)
{
    requireActive();
    checkBrowseMode();
    if (!cursor_->findKey(convertKey(key))) return false;
    notify(DataSetEvent::Kind::Scrolled);
    fire(events.afterScroll);
    return true;
}

bool TableDataSet::gotoRecord(uint32_t recno)
{
    requireActive();
    checkBrowseMode();
    if (!cursor_->gotoRecord(recno)) return false;
    notify(DataSetEvent::Kind::Scrolled);
    fire(events.afterScroll);
    return true;
}

bool TableDataSet::findNearest(const Value& key)
{
    requireActive();
    const Value k = convertKey(key);
    return move([&k](Cursor& c) { return c.findNearest(k); });
}

void TableDataSet::setIndex(std::string_view fieldName)
{
    if (!active()) {
        indexName_ = std::string(fieldName);
        return;
    }
    checkBrowseMode();
    cursor_->setOrder(fieldName);
    indexName_ = std::string(fieldName);
    userRange_ = false;
    rangeLow_.reset();
    rangeHigh_.reset();
    applyRange();
    notify(DataSetEvent::Kind::DataChanged);
    notify(DataSetEvent::Kind::Scrolled);
}

std::string TableDataSet::indexName() const
{
    if (cursor_) return cursor_->orderName();
    if (table_ && !indexName_.empty()) {
        const int f = table_->fieldIndex(indexName_);
        if (f >= 0) return table_->fields()[static_cast<size_t>(f)].name;
    }
    return indexName_;
}

// ---- searches ----

bool TableDataSet::locate(const std::vector<std::string>& fields, const std::vector<Value>& values, LocateOptions options)
{
    requireActive();
    if (fields.size() != values.size() || fields.empty())
        throw EngineError("Suche in " + displayName() + ": Felder und Werte passen nicht zusammen");
    std::vector<int> idx;
    std::vector<Value> wanted;
    for (size_t i = 0; i < fields.size(); ++i) {
        const int f = table_->fieldIndex(fields[i]);
        if (f < 0) throw EngineError("Die Tabelle '" + fileNameOf(path_) + "' hat kein Feld '" + fields[i] + "'");
        const FieldDef& def = table_->fields()[static_cast<size_t>(f)];
        Value v = values[i];
        if (v.isText() && def.type != 'C' && def.type != 'M') v = table_->fromText(f, v.text());
        idx.push_back(f);
        wanted.push_back(std::move(v));
    }
    checkBrowseMode();
    DbfTable* t = table_.get();
    auto matches = [&](uint32_t recno) {
        for (size_t i = 0; i < idx.size(); ++i)
            if (!locateMatches(t->fields()[static_cast<size_t>(idx[i])], t->get(recno, idx[i]), wanted[i], options))
                return false;
        return true;
    };
    std::optional<uint32_t> found;
    TableIndex* index = idx.size() == 1 && !options.caseInsensitive && !options.partialKey
                            ? t->attachment<TableIndexes>().find(fields[0])
                            : nullptr;
    if (index && !wanted[0].isNull()) {
        // Exact search of one indexed field: the candidates come from its index; the
        // first of them in the current order wins.
        const std::string k = index->keyOf(wanted[0]);
        const TableIndex& order = cursor_->order();
        std::optional<IndexEntry> best;
        for (size_t r = index->lowerBound(k), end = index->upperBound(k); r < end; ++r) {
            const uint32_t rec = index->recordAt(r);
            if (!matches(rec) || !cursor_->isVisible(rec)) continue;
            IndexEntry e{order.keyOfRecord(rec), rec};
            if (!best || IndexEntryLess{}(e, *best)) best = std::move(e);
        }
        if (best) found = best->recno;
        if (found) cursor_->gotoRecord(*found);
    } else if (cursor_->findFirst(matches)) {
        found = cursor_->recno();
    }
    if (!found) return false;
    notify(DataSetEvent::Kind::Scrolled);
    fire(events.afterScroll);
    return true;
}

Value TableDataSet::lookup(std::string_view keyField, const Value& key, std::string_view resultField)
{
    if (!active()) return {};
    const int rf = table_->fieldIndex(resultField);
    if (rf < 0) throw EngineError("Die Tabelle '" + fileNameOf(path_) + "' hat kein Feld '" + std::string(resultField) + "'");
    TableIndex& index = table_->attachment<TableIndexes>().byField(keyField);
    std::string k;
    try {
        k = index.keyOf(key);
    } catch (const ValueError&) {
        return {}; // a key of another kind finds nothing
    }
    for (size_t r = index.lowerBound(k), end = index.upperBound(k); r < end; ++r) {
        const uint32_t rec = index.recordAt(r);
        if (cursor_->isVisible(rec)) return table_->get(rec, rf);
    }
    return {};
}

// ---- values ----

Value TableDataSet::currentStored(int f)
{
    if (editing()) return buffer_[static_cast<size_t>(f)];
    if (!cursor_->onRecord()) return {};
    return table_->get(cursor_->recno(), f);
}

Value TableDataSet::rowStored(size_t row, int f)
{
    auto rec = cursor_->recordAt(row);
    if (!rec) return {};
    return table_->get(*rec, f);
}

Value TableDataSet::convertText(int f, std::string_view text) { return table_->fromText(f, text); }

} // namespace trevo::engine
