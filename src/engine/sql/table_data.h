#pragma once
// What queries keep of a table while it is unchanged: the decoded values of the
// columns they read, the list of live records and hash indexes by field. Held as an
// attachment of the table and kept up to date by its change notifications; the
// change counter guards against any change that slipped past them.
#include "engine/dbf/dbf_table.h"

#include <cstdint>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

namespace trevo::engine::sql {

// Hashing and equality of values as `=` compares them (texts without trailing blanks).
struct ValueKeyHash {
    size_t operator()(const Value& v) const;
};
struct ValueKeyEqual {
    bool operator()(const Value& a, const Value& b) const;
};
// The value as a key of the field's type (text of a C field, number of an N field ...);
// NULL for NULL and for a value that no record of that field can equal.
Value keyForField(const Value& v, char fieldType);
// One key for a pair of field values (NULL when either is NULL).
Value pairKey(const Value& a, char typeA, const Value& b, char typeB);

class HashIndex {
public:
    const std::vector<uint32_t>* find(const Value& key) const;
    size_t distinctKeys() const { return map_.size(); }
    void add(const Value& key, uint32_t recno);
    void remove(const Value& key, uint32_t recno);

private:
    std::unordered_map<Value, std::vector<uint32_t>, ValueKeyHash, ValueKeyEqual> map_;
};

class TableData : public TableAttachment {
public:
    explicit TableData(DbfTable& table);

    DbfTable& table() { return table_; }
    // Brings the cache up to date when the table changed without telling.
    void refresh();
    const std::vector<uint32_t>& liveRecords();
    // Values of one field by record number (deleted records included).
    const std::vector<Value>& column(int field);
    const HashIndex& hashIndex(int field);
    // An index on a pair of fields, for lookups on two equalities at once.
    const HashIndex& hashIndex(int field, int field2);
    bool hasHashIndex(int field) const;
    size_t liveCount() { return liveRecords().size(); }

    void recordChanged(uint32_t recno, const Record* before, const Record* after) override;
    void tableReset() override;

private:
    void clear();

    DbfTable& table_;
    uint64_t seen_ = 0;
    bool liveValid_ = false;
    std::vector<uint32_t> live_;
    std::vector<std::unique_ptr<std::vector<Value>>> columns_;
    std::vector<std::unique_ptr<HashIndex>> indexes_;
    std::map<std::pair<int, int>, std::unique_ptr<HashIndex>> pairIndexes_;
};

} // namespace trevo::engine::sql
