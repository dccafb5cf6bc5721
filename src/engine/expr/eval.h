#pragma once
// Evaluation of bound expressions with SQL NULL semantics: an operation on NULL is
// NULL, a comparison with NULL is unknown (NULL), AND/OR follow three-valued logic,
// and a condition holds only when it is TRUE.
#include "engine/dbf/attachment.h"
#include "engine/expr/ast.h"
#include "engine/expr/like.h"

#include <optional>
#include <string_view>
#include <vector>

namespace trevo::engine::expr {

// Record number of a table that has no current record (the missing side of a LEFT JOIN).
constexpr uint32_t kNoRecord = 0xFFFFFFFFu;

struct EvalContext {
    // Either records: slot i holds the current record of the scope's table i; nullptr
    // reads as all NULL (the missing side of a LEFT JOIN) ...
    const Record* const* rows = nullptr;
    // ... or columns: columns[i][f] holds field f of table i by record number, and
    // recnos[i] the current record number of table i (kNoRecord: all NULL).
    const std::vector<Value>* const* const* columns = nullptr;
    const uint32_t* recnos = nullptr;
    // Values of the aggregates of the current group (Node::aggIndex).
    const Value* aggregates = nullptr;
    // Values of the output columns of the current row (Node::outputRef).
    const Value* outputs = nullptr;
    // A division by zero or a result beyond a double: NULL instead of an error. For the
    // filters of data sets, which run while a cursor moves, where an error would leave
    // the cursor between two records; statements always fail.
    bool failedArithmeticIsNull = false;
};

Value evaluate(const Node& n, const EvalContext& ctx);
// A condition: true only when the expression is TRUE.
bool holds(const Node& n, const EvalContext& ctx);

// The value of a literal of this execution: the statement text's literal values,
// indexed by Node::param (so a cached statement runs with the new literals).
using Params = std::vector<Value>;
// Computes every constant subtree once (literals converted to dates, ...). With params,
// literals take their values from there. Throws SqlError for a constant that does
// not convert ("'31.02.2001' ist kein gültiges Datum").
void prepareConstants(Node& root, const Params* params = nullptr);

// Comparison of two values of one type: <0, 0, >0; nullopt when either is NULL.
// Texts: trailing blanks never count; equal only when identical; ordered by the
// German collation. Mixed types are converted as the binding does.
std::optional<int> compareValues(const Value& a, const Value& b, bool forEquality);
// Converts a value to a type the way comparisons do; nullopt when it does not convert.
std::optional<Value> convertValue(const Value& v, ValueType to);
// NULL, or an empty text (a blank character field).
bool isNullish(const Value& v);
// Number text with a decimal point and no needless digits (SQL output).
std::string numberText(double v);

// A computed number; throws SqlError when it does not fit a double (infinite or not a number).
Value numberResult(double v);

} // namespace trevo::engine::expr
