#pragma once
// Aggregates of grouped queries, computed in one pass with a hash table of groups.
// COUNT(*) counts rows; COUNT(x), SUM, AVG, MIN and MAX skip NULL (and blank texts);
// SUM and AVG over no values are NULL. FIRST keeps the value of the group's first row
// (columns of a grouped query that are not aggregated: equal in the whole group when
// they are grouped by).
#include "engine/expr/ast.h"
#include "engine/expr/eval.h"
#include "engine/sql/table_data.h"

#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace trevo::engine::sql {

enum class AggKind { CountStar, Count, Sum, Avg, Min, Max, First };

struct AggSpec {
    AggKind kind = AggKind::First;
    bool distinct = false;
    expr::NodePtr arg; // evaluated per row; null for COUNT(*)
};

struct AggState {
    double sum = 0;
    int64_t count = 0;
    Value value;
    bool has = false;
    std::unique_ptr<std::unordered_set<Value, ValueKeyHash, ValueKeyEqual>> seen;
};

void aggregateRow(const AggSpec& agg, AggState& state, const expr::EvalContext& ctx);
Value aggregateResult(const AggSpec& agg, const AggState& state);

struct GroupKeyHash {
    size_t operator()(const std::vector<Value>& key) const;
};
struct GroupKeyEqual {
    bool operator()(const std::vector<Value>& a, const std::vector<Value>& b) const;
};

// Order of values for ORDER BY and for grouped and distinct output: NULL first,
// texts by the German collation.
int orderCompare(const Value& a, const Value& b);

} // namespace trevo::engine::sql
