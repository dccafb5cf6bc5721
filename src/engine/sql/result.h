#pragma once
// What a statement gives back: the rows of a SELECT (a read-only, materialised result
// that the data-set layer wraps into a query data set) or the number of records a
// statement changed.
#include "engine/dbf/attachment.h"
#include "engine/dbf/field.h"

#include <cstdint>
#include <string>
#include <vector>

namespace trevo::engine::sql {

struct QueryResult {
    // Column names as the statement names them (alias, else the column's own name,
    // else a generated name); types as dBASE field types so data sets can format them.
    std::vector<FieldDef> columns;
    std::vector<Record> rows;
    // Records inserted, changed or deleted by a statement without rows; -1 for a SELECT.
    int64_t affected = -1;
    // Filled by EXPLAIN: the chosen plan, one line per step.
    std::string plan;
    // German notices to show with the result: a table the statement read is damaged
    // (read-only, its rows maybe incomplete), one line per table.
    std::vector<std::string> notices;
};

} // namespace trevo::engine::sql
