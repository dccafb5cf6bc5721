#include "engine/index/cursor.h"

#include "engine/dbf/dbf_table.h"
#include "engine/index/table_indexes.h"

#include <algorithm>

namespace trevo::engine {

Cursor::Cursor(std::shared_ptr<DbfTable> table)
    : table_(std::move(table)), indexes_(&table_->attachment<TableIndexes>()), order_(&indexes_->physical())
{
    first();
}

Cursor::~Cursor() = default;

const std::string& Cursor::orderName() const { return order_->name(); }

void Cursor::setOrder(std::string_view fieldName)
{
    sync();
    TableIndex* next = fieldName.empty() ? &indexes_->physical() : &indexes_->byField(fieldName);
    order_ = next;
    range_ = Range{};
    if (has_) key_ = order_->keyOfRecord(recno_);
    invalidate();
    sync();
}

void Cursor::setRange(std::optional<Value> low, std::optional<Value> high)
{
    Range r;
    r.active = true;
    if (low) r.low = order_->keyOf(*low);
    if (high) r.high = order_->keyOf(*high);
    range_ = std::move(r);
    invalidate();
}

void Cursor::setEmptyRange()
{
    range_ = Range{};
    range_.active = true;
    range_.nothing = true;
    invalidate();
}

void Cursor::clearRange()
{
    range_ = Range{};
    invalidate();
}

void Cursor::setRestriction(Predicate p)
{
    restriction_ = std::move(p);
    invalidate();
}

void Cursor::setFilter(Predicate p)
{
    filter_ = std::move(p);
    invalidate();
}

void Cursor::setFiltered(bool on)
{
    filterOn_ = on;
    invalidate();
}

Cursor::Stamp Cursor::stamp() const
{
    return Stamp{table_->changeCounter(), order_->version(), generation_, indexes_->resets()};
}

bool Cursor::passes(uint32_t recno) const
{
    if (restriction_ && !restriction_(recno)) return false;
    if (filterOn_ && filter_ && !filter_(recno)) return false;
    return true;
}

bool Cursor::inRange(const std::string& key) const
{
    if (!range_.active) return true;
    if (range_.nothing) return false;
    if (range_.low && key < *range_.low) return false;
    if (range_.high && key > *range_.high) return false;
    return true;
}

void Cursor::bounds(size_t& lo, size_t& hi) const
{
    lo = 0;
    hi = order_->size();
    if (!range_.active) return;
    if (range_.nothing) {
        hi = 0;
        return;
    }
    if (range_.low) lo = order_->lowerBound(*range_.low);
    if (range_.high) hi = order_->upperBound(*range_.high);
    hi = std::max(lo, hi);
}

std::optional<size_t> Cursor::visibleFrom(size_t rank, size_t lo, size_t hi) const
{
    for (size_t r = std::max(rank, lo); r < hi; ++r)
        if (passes(order_->recordAt(r))) return r;
    return std::nullopt;
}

std::optional<size_t> Cursor::visibleBefore(size_t rank, size_t lo) const
{
    for (size_t r = rank; r > lo; --r)
        if (passes(order_->recordAt(r - 1))) return r - 1;
    return std::nullopt;
}

void Cursor::placeAt(size_t rank) { placeAt(rank, order_->entryAt(rank)); }

void Cursor::placeAt(size_t rank, const IndexEntry& e)
{
    has_ = true;
    rank_ = rank;
    recno_ = e.recno;
    key_ = e.key;
}

void Cursor::placeNone()
{
    has_ = false;
    eof_ = bof_ = true;
}

// Brings the cached rank up to date after any change of the table, the order, the
// range or the predicates.
void Cursor::sync()
{
    const Stamp now = stamp();
    if (now == synced_) return;
    synced_ = now;
    bounds(lo_, hi_);
    const size_t lo = lo_, hi = hi_;
    if (!has_) {
        if (auto v = visibleFrom(lo, lo, hi)) {
            placeAt(*v);
            bof_ = true;
            eof_ = false;
        } else {
            placeNone();
        }
        return;
    }
    if (recno_ < table_->recordCount() && !table_->isDeleted(recno_)) {
        std::string key = order_->keyOfRecord(recno_);
        if (order_->contains(key, recno_) && inRange(key) && passes(recno_)) {
            rank_ = order_->rankOf(key, recno_);
            key_ = std::move(key);
            return;
        }
    }
    // The record is gone or hidden now: the next visible one where it was, else the previous.
    const size_t where = std::clamp(order_->rankOf(key_, recno_), lo, hi);
    if (auto v = visibleFrom(where, lo, hi)) {
        placeAt(*v);
        eof_ = bof_ = false;
    } else if (auto p = visibleBefore(where, lo)) {
        placeAt(*p);
        eof_ = true;
        bof_ = false;
    } else {
        placeNone();
    }
}

bool Cursor::first()
{
    sync();
    const size_t lo = lo_, hi = hi_;
    if (auto v = visibleFrom(lo, lo, hi)) {
        placeAt(*v);
        bof_ = true;
        eof_ = false;
        return true;
    }
    placeNone();
    return false;
}

bool Cursor::last()
{
    sync();
    const size_t lo = lo_, hi = hi_;
    if (auto v = visibleBefore(hi, lo)) {
        placeAt(*v);
        eof_ = true;
        bof_ = false;
        return true;
    }
    placeNone();
    return false;
}

bool Cursor::next()
{
    sync();
    if (!has_) return false;
    const size_t lo = lo_, hi = hi_;
    bof_ = false;
    if (auto v = visibleFrom(rank_ + 1, lo, hi)) {
        placeAt(*v);
        eof_ = false;
        return true;
    }
    eof_ = true;
    return false;
}

bool Cursor::prior()
{
    sync();
    if (!has_) return false;
    const size_t lo = lo_;
    eof_ = false;
    if (auto v = visibleBefore(rank_, lo)) {
        placeAt(*v);
        bof_ = false;
        return true;
    }
    bof_ = true;
    return false;
}

long Cursor::moveBy(long n)
{
    long moved = 0;
    while (n > 0 && next()) --n, ++moved;
    while (n < 0 && prior()) ++n, --moved;
    return moved;
}

bool Cursor::moveTo(size_t position)
{
    sync();
    const size_t lo = lo_, hi = hi_;
    if (!restriction_ && !filtered()) {
        if (lo + position >= hi) return false;
        placeAt(lo + position);
    } else {
        std::optional<size_t> v = visibleFrom(lo, lo, hi);
        for (size_t i = 0; v && i < position; ++i) v = visibleFrom(*v + 1, lo, hi);
        if (!v) return false;
        placeAt(*v);
    }
    eof_ = bof_ = false;
    return true;
}

bool Cursor::isVisible(uint32_t recno)
{
    if (recno >= table_->recordCount() || table_->isDeleted(recno)) return false;
    const std::string key = order_->keyOfRecord(recno);
    return order_->contains(key, recno) && inRange(key) && passes(recno);
}

bool Cursor::gotoRecord(uint32_t recno)
{
    sync();
    if (!isVisible(recno)) return false;
    placeAt(order_->rankOf(order_->keyOfRecord(recno), recno));
    eof_ = bof_ = false;
    return true;
}

bool Cursor::findKey(const Value& key)
{
    sync();
    const std::string k = order_->keyOf(key);
    auto [r, e] = order_->lowerBoundEntry(k);
    if (r < lo_) {
        r = lo_;
        e = r < hi_ ? &order_->entryAt(r) : nullptr;
    }
    for (; e && r < hi_ && e->key == k; e = ++r < hi_ ? &order_->entryAt(r) : nullptr) {
        if (passes(e->recno)) {
            placeAt(r, *e);
            eof_ = bof_ = false;
            return true;
        }
    }
    return false;
}

bool Cursor::findNearest(const Value& key)
{
    sync();
    const std::string k = order_->keyOf(key);
    const size_t lo = lo_, hi = hi_;
    if (auto v = visibleFrom(std::clamp(order_->lowerBound(k), lo, hi), lo, hi)) {
        placeAt(*v);
        eof_ = bof_ = false;
        return true;
    }
    return last();
}

bool Cursor::findFirst(const std::function<bool(uint32_t)>& match)
{
    sync();
    const size_t lo = lo_, hi = hi_;
    for (size_t r = lo; r < hi; ++r) {
        const uint32_t rec = order_->recordAt(r);
        if (passes(rec) && match(rec)) {
            placeAt(r);
            eof_ = bof_ = false;
            return true;
        }
    }
    return false;
}

bool Cursor::eof()
{
    sync();
    return eof_;
}

bool Cursor::bof()
{
    sync();
    return bof_;
}

bool Cursor::onRecord()
{
    sync();
    return has_;
}

uint32_t Cursor::recno()
{
    sync();
    return recno_;
}

size_t Cursor::recordCount()
{
    sync();
    const size_t lo = lo_, hi = hi_;
    if (!restriction_ && !filtered()) return hi - lo;
    const Stamp now = stamp();
    if (counted_ == now) return count_;
    size_t n = 0;
    for (size_t r = lo; r < hi; ++r)
        if (passes(order_->recordAt(r))) ++n;
    count_ = n;
    counted_ = now;
    return n;
}

std::optional<size_t> Cursor::position()
{
    sync();
    if (!has_) return std::nullopt;
    const size_t lo = lo_;
    if (!restriction_ && !filtered()) return rank_ - lo;
    size_t n = 0;
    for (size_t r = lo; r < rank_; ++r)
        if (passes(order_->recordAt(r))) ++n;
    return n;
}

std::optional<uint32_t> Cursor::recordAt(size_t position)
{
    sync();
    const size_t lo = lo_, hi = hi_;
    if (!restriction_ && !filtered()) {
        if (lo + position >= hi) return std::nullopt;
        return order_->recordAt(lo + position);
    }
    std::optional<size_t> v = visibleFrom(lo, lo, hi);
    for (size_t i = 0; v && i < position; ++i) v = visibleFrom(*v + 1, lo, hi);
    if (!v) return std::nullopt;
    return order_->recordAt(*v);
}

void Cursor::refresh()
{
    invalidate();
    sync();
}

} // namespace trevo::engine
