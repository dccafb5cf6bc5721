#pragma once
// Field definitions of output columns, so that data sets can format them.
#include "engine/sql/aggregate.h"
#include "engine/sql/plan.h"

#include <vector>

namespace trevo::engine::sql {

FieldDef outputField(const Node& n, const std::string& name, const std::vector<TableSlot>& slots,
                     const std::vector<AggSpec>& aggs);
// A name for an output column without alias: the field name, "COUNT", "SUM OF BETRAG", "EXPR3".
std::string generatedName(const Node& n, size_t position, const std::vector<TableSlot>& slots);

} // namespace trevo::engine::sql
