#pragma once
// A cursor over the live records of a table in one order (physical or an index),
// optionally restricted to a range of the index's keys and by filter predicates.
// The visible records are those in the order, within the range, passing the
// restriction and, while filtering is on, the filter. Deleted records are never visible.
//
// Position: while any record is visible the cursor stands on one of them. next() past
// the last visible record sets eof() and stays on it; prior() before the first sets
// bof() and stays there. first() sets bof(), last() sets eof(); on an empty view both
// are set. The cursor remembers its record, not its rank: when the table changes it
// finds the same record again (following it when its key moved) or, when that record
// is gone or no longer visible, the next visible record in order, else the previous.
#include "engine/core/value.h"
#include "engine/index/table_index.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace trevo::engine {

class DbfTable;
class TableIndexes;

class Cursor {
public:
    using Predicate = std::function<bool(uint32_t recno)>;

    explicit Cursor(std::shared_ptr<DbfTable> table);
    ~Cursor();

    DbfTable& table() const { return *table_; }
    const std::shared_ptr<DbfTable>& tablePtr() const { return table_; }

    // Order: "" is the physical order, else the index of that field (built on request).
    // Keeps the current record; clears the range.
    void setOrder(std::string_view fieldName);
    const std::string& orderName() const;
    const TableIndex& order() const { return *order_; }

    // Range of keys on the current order, both bounds inclusive, nullopt = open side.
    void setRange(std::optional<Value> low, std::optional<Value> high);
    // No record visible at all (a detail whose master has no key).
    void setEmptyRange();
    void clearRange();
    bool hasRange() const { return range_.active; }

    // A condition every visible record must meet, always applied (master links).
    void setRestriction(Predicate p);
    // The filter, applied only while filtering is on.
    void setFilter(Predicate p);
    void setFiltered(bool on);
    bool filtered() const { return filterOn_ && static_cast<bool>(filter_); }

    // Moves. first/last/findNearest return whether a record is current afterwards;
    // next/prior whether the cursor moved; gotoRecord/findKey whether the record was
    // found (else the position is unchanged).
    bool first();
    bool last();
    bool next();
    bool prior();
    long moveBy(long n); // the number of records actually moved, signed
    bool moveTo(size_t position);
    bool gotoRecord(uint32_t recno);
    // First visible record whose key on the current order equals key.
    bool findKey(const Value& key);
    // First visible record whose key is >= key; the last visible record when there is none.
    bool findNearest(const Value& key);
    // First visible record, in the current order, for which match holds.
    bool findFirst(const std::function<bool(uint32_t)>& match);

    bool eof();
    bool bof();
    bool onRecord(); // false only for an empty view
    uint32_t recno();  // the current record; valid while onRecord()
    size_t recordCount();
    bool empty() { return !onRecord(); }
    // Rank of the current record among the visible ones; nullopt for an empty view.
    std::optional<size_t> position();
    // The visible record at that rank, without moving.
    std::optional<uint32_t> recordAt(size_t position);
    // Whether the record is visible in this cursor now.
    bool isVisible(uint32_t recno);

    // Re-reads everything: the filter may depend on outside state.
    void refresh();

private:
    struct Range {
        bool active = false;
        bool nothing = false;
        std::optional<std::string> low, high;
    };

    void sync();
    void bounds(size_t& lo, size_t& hi) const;
    bool passes(uint32_t recno) const;
    bool inRange(const std::string& key) const;
    std::optional<size_t> visibleFrom(size_t rank, size_t lo, size_t hi) const;   // first visible >= rank
    std::optional<size_t> visibleBefore(size_t rank, size_t lo) const;           // last visible < rank
    void placeAt(size_t rank);
    void placeAt(size_t rank, const IndexEntry& e);
    void placeNone();
    void invalidate() { ++generation_; }

    std::shared_ptr<DbfTable> table_;
    TableIndexes* indexes_;
    TableIndex* order_;
    Range range_;
    Predicate restriction_, filter_;
    bool filterOn_ = false;

    // Position: the record and its entry in the order when it was placed.
    bool has_ = false;
    uint32_t recno_ = 0;
    std::string key_;
    size_t rank_ = 0;
    size_t lo_ = 0, hi_ = 0; // ranks of the range in the order
    bool eof_ = true, bof_ = true;

    // What the cached rank and count were computed for.
    uint64_t generation_ = 1;
    struct Stamp {
        uint64_t tableChanges = 0, orderVersion = 0, generation = 0, resets = 0;
        bool operator==(const Stamp&) const = default;
    };
    Stamp stamp() const;
    Stamp synced_{};
    Stamp counted_{};
    size_t count_ = 0;
};

} // namespace trevo::engine
