#pragma once
// A whole Paradox table to and from the bytes of its files.
//
// Written: the .DB (version 7.x, 2 KB blocks unless the table says otherwise, code
// page 1252 with the sort order "ANSIINTL"), the .MB (when a blob field exists), the
// .PX primary index of a keyed table and, for one field, a maintained single-field
// secondary index: .Xnn (nn = field number in hex) is a table of the indexed field,
// the primary key fields and a "Hint" short (the .DB block of the record), sorted by
// the indexed field, and .Ynn its primary index.
#include "engine/paradox/px_types.h"
#include "engine/paradox/px_bytes.h"

#include <optional>
#include <string>

namespace trevo::engine::paradox {

// Throws FormatError naming the file for a damaged or foreign file. `mb` is null when
// the table has no .MB file (an error only when a record needs it).
PxTableData decodeTable(const Bytes& db, const Bytes* mb, const std::string& dbName,
                        const std::string& mbName);

struct PxFiles {
    Bytes db;
    std::optional<Bytes> mb, px, xIndex, yIndex;
};

// Records of a keyed table are written in key order (they are sorted here).
// `secondaryField` is the 0-based field of the secondary index, or -1.
PxFiles encodeTable(const PxTableData& table, const std::string& tableName, int secondaryField);

// "X02" / "Y02" for the 0-based field 1.
std::string secondaryExtension(char letter, int field);

// Orders values as keys: blanks first, numbers and dates by value, texts by the German collation.
int compareKeys(const Value& a, const Value& b);

} // namespace trevo::engine::paradox
