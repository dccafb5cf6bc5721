#pragma once
// Keys of the single-field indexes: byte strings whose plain byte order (memcmp, shorter
// first on a common prefix) is the order of the index. NULL is the empty key and sorts
// first; numbers and dates by value, false before true, texts by the German collation
// with trailing blanks left out.
#include "engine/core/value.h"

#include <cstdint>
#include <string>

namespace trevo::engine {

// The key of a value for an index over a field of that dBASE type ('C', 'N', 'F', 'D', 'L').
// Values of another type are converted the way the field would take them (a text for a
// number field is parsed, a number for a date field is a day number); throws ValueError
// with a German text when that is impossible.
std::string indexKey(char fieldType, const Value& v);

// One entry of an index: the key and the record it belongs to. Duplicates of a key are
// ordered by record number, so equal keys keep the physical order.
struct IndexEntry {
    std::string key;
    uint32_t recno = 0;
};

struct IndexEntryLess {
    bool operator()(const IndexEntry& a, const IndexEntry& b) const
    {
        const int c = a.key.compare(b.key);
        return c < 0 || (c == 0 && a.recno < b.recno);
    }
};

} // namespace trevo::engine
