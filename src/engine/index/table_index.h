#pragma once
// One ascending single-field index of an open table, kept in memory: the live (not
// deleted) records ordered by their key, duplicates in record order. With field -1 it
// is the physical order of the live records. Positions are ranks 0..size()-1.
#include "engine/dbf/attachment.h"
#include "engine/index/counted_tree.h"
#include "engine/index/index_key.h"

#include <cstdint>
#include <string>

namespace trevo::engine {

class DbfTable;

class TableIndex {
public:
    // The field's index (field >= 0) or the physical order (field == -1); built at once.
    TableIndex(const DbfTable& table, int field);

    const std::string& name() const { return name_; } // the field name; "" for the physical order
    int field() const { return field_; }
    char fieldType() const { return type_; }
    bool physical() const { return field_ < 0; }

    // Key of a value for this index (see index_key.h); "" for the physical order.
    std::string keyOf(const Value& v) const;
    // Key of a record as it is stored now.
    std::string keyOfRecord(uint32_t recno) const;

    size_t size() const { return tree_.size(); }
    const IndexEntry& entryAt(size_t rank) const { return tree_.at(rank); }
    uint32_t recordAt(size_t rank) const { return tree_.at(rank).recno; }
    // First rank whose key is >= key, first rank whose key is > key.
    size_t lowerBound(const std::string& key) const;
    size_t upperBound(const std::string& key) const;
    // lowerBound and the entry there (nullptr at the end) in one search.
    std::pair<size_t, const IndexEntry*> lowerBoundEntry(const std::string& key) const;
    // Rank of the entry (key, recno), or the rank it would have.
    size_t rankOf(const std::string& key, uint32_t recno) const;
    bool contains(const std::string& key, uint32_t recno) const;

    // Changes with every insertion, removal and rebuild.
    uint64_t version() const { return version_; }

    void rebuild();
    void recordChanged(uint32_t recno, const Record* before, const Record* after);

private:
    const DbfTable& table_;
    int field_;
    char type_ = 'C';
    std::string name_;
    CountedTree<IndexEntry, IndexEntryLess> tree_;
    uint64_t version_ = 0;
};

} // namespace trevo::engine
