#pragma once
// The plan of a query over one or more tables: the tables in the order of the nested
// loops and, per table, how its records are found (scan, hash-index lookup, or a
// union of lookups for an OR of conditions) and which conditions are checked there.
#include "engine/dbf/dbf_table.h"
#include "engine/expr/ast.h"
#include "engine/expr/bind.h"
#include "engine/sql/statement.h"
#include "engine/sql/table_data.h"

#include <memory>
#include <string>
#include <vector>

namespace trevo::engine::sql {

using expr::Node;

struct TableSlot {
    std::string path;  // resolved file path
    std::string name;  // alias, or the file name without extension
    // The open table; the statement cache holds only the weak handle, so a cached
    // statement never keeps a table (or its storage) alive: valid() checks the handle.
    DbfTable* table = nullptr;
    std::weak_ptr<DbfTable> handle;
    std::vector<FieldDef> fields;
    JoinKind join = JoinKind::Comma;
    TableData* data() const { return &table->attachment<TableData>(); }
};

// Records of the step's table whose field equals the key (an expression over the
// tables of earlier steps and constants).
struct KeyLookup {
    int field = -1;
    const Node* key = nullptr;
    // A second field makes it a lookup on the pair (field, field2).
    int field2 = -1;
    const Node* key2 = nullptr;
};

// One disjunct of an OR used for a union of lookups.
struct Alternative {
    std::vector<const Node*> guards; // its conditions over earlier tables only
    bool scan = false;               // no lookup: every record
    KeyLookup lookup;
};

enum class Access { Scan, Lookup, Union };

struct Step {
    int slot = 0;
    Access access = Access::Scan;
    KeyLookup lookup;
    std::vector<Alternative> alternatives;
    std::vector<const Node*> filters; // for an outer step: its ON conditions
    bool outer = false;               // LEFT JOIN: a row of NULLs when nothing matches
    std::vector<const Node*> post;    // checked after the outer decision
    double estimate = 0;              // rows per row of the earlier steps
};

struct Plan {
    std::vector<NodePtr> conditions;  // every condition the plan refers to (owned)
    std::vector<const Node*> constantFilters; // conditions over no table
    std::vector<Step> steps;
    double estimatedRows = 0;
};

// Builds the plan: splits the conditions into conjuncts, factors ORs, derives
// equalities through joins, chooses the join order by estimated cost and the access
// of each table. `where` holds the WHERE condition (and the ON conditions of inner
// joins); `on[slot]` the ON condition of a LEFT JOIN.
Plan buildPlan(const std::vector<TableSlot>& slots, std::vector<NodePtr> where, std::vector<NodePtr> on);

// The plan as text, one line per step (EXPLAIN).
std::string describePlan(const Plan& plan, const std::vector<TableSlot>& slots);

} // namespace trevo::engine::sql
