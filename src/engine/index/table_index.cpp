#include "engine/index/table_index.h"

#include "engine/dbf/dbf_table.h"

#include <algorithm>
#include <limits>

namespace trevo::engine {

TableIndex::TableIndex(const DbfTable& table, int field) : table_(table), field_(field)
{
    if (field_ >= 0) {
        const FieldDef& def = table_.fields().at(static_cast<size_t>(field_));
        type_ = def.type;
        name_ = def.name;
    }
    rebuild();
}

std::string TableIndex::keyOf(const Value& v) const
{
    return physical() ? std::string() : indexKey(type_, v);
}

std::string TableIndex::keyOfRecord(uint32_t recno) const
{
    return physical() ? std::string() : indexKey(type_, table_.get(recno, field_));
}

size_t TableIndex::lowerBound(const std::string& key) const
{
    return tree_.lowerBound(IndexEntry{key, 0});
}

std::pair<size_t, const IndexEntry*> TableIndex::lowerBoundEntry(const std::string& key) const
{
    return tree_.lowerBoundItem(IndexEntry{key, 0});
}

size_t TableIndex::upperBound(const std::string& key) const
{
    return tree_.upperBound(IndexEntry{key, std::numeric_limits<uint32_t>::max()});
}

size_t TableIndex::rankOf(const std::string& key, uint32_t recno) const
{
    return tree_.lowerBound(IndexEntry{key, recno});
}

bool TableIndex::contains(const std::string& key, uint32_t recno) const
{
    return tree_.contains(IndexEntry{key, recno});
}

void TableIndex::rebuild()
{
    const uint32_t n = table_.recordCount();
    std::vector<IndexEntry> entries;
    entries.reserve(n);
    for (uint32_t r = 0; r < n; ++r) {
        if (table_.isDeleted(r)) continue;
        entries.push_back(IndexEntry{keyOfRecord(r), r});
    }
    IndexEntryLess less;
    // Tables are mostly written in key order (running numbers): skip the sort then.
    if (!std::is_sorted(entries.begin(), entries.end(), less)) std::sort(entries.begin(), entries.end(), less);
    tree_.assignSorted(std::move(entries));
    ++version_;
}

void TableIndex::recordChanged(uint32_t recno, const Record* before, const Record* after)
{
    const auto keyIn = [&](const Record* rec) {
        if (physical()) return std::string();
        return indexKey(type_, static_cast<size_t>(field_) < rec->size() ? (*rec)[static_cast<size_t>(field_)] : Value());
    };
    if (before && after) {
        std::string oldKey = keyIn(before), newKey = keyIn(after);
        if (oldKey == newKey) return;
        tree_.erase(IndexEntry{std::move(oldKey), recno});
        tree_.insert(IndexEntry{std::move(newKey), recno});
    } else if (before) {
        tree_.erase(IndexEntry{keyIn(before), recno});
    } else if (after) {
        tree_.insert(IndexEntry{keyIn(after), recno});
    } else {
        return;
    }
    ++version_;
}

} // namespace trevo::engine
