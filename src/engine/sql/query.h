#pragma once
// A SELECT bound to its tables and planned, ready to run again with other literal
// values (the statement cache keeps these by statement text).
#include "engine/database.h"
#include "engine/expr/eval.h"
#include "engine/sql/aggregate.h"
#include "engine/sql/plan.h"
#include "engine/sql/result.h"
#include "engine/sql/statement.h"

#include <string>
#include <vector>

namespace trevo::engine::sql {

class PreparedQuery {
public:
    // Opens the tables, binds every name, plans the joins. Consumes the statement's trees.
    PreparedQuery(Database& db, const std::string& folder, SelectStmt stmt);

    // True while every table is the same open table with the same fields.
    bool valid(Database& db) const;
    // Takes the literal values of this execution (null: the values as parsed).
    void bindParams(const expr::Params* params);
    QueryResult run();
    // Record numbers of the rows that pass WHERE (queries over one table: DELETE, UPDATE).
    std::vector<uint32_t> matchingRecords();
    std::string explain() const;

    const std::vector<TableSlot>& slots() const { return slots_; }
    const std::vector<FieldDef>& columns() const { return columns_; }
    uint64_t examined() const { return examined_; }

private:
    struct SortKey {
        int output = -1;    // an output column, or
        expr::NodePtr expr; // an expression (over the rows, or over the groups)
        bool descending = false;
    };

    void openTables(Database& db, const std::string& folder, std::vector<TableRef>& from);
    void bindSelectList(std::vector<SelectItem>& items);
    void bindOrder(std::vector<OrderItem>& order, const std::vector<std::string>& outputNames);
    void substituteAliases(expr::NodePtr& n, bool onlyUnknown);
    void rewriteForGroups(expr::NodePtr& n);
    void collectFields();
    std::vector<Record> runPlain();
    std::vector<Record> runGrouped();
    void finish(std::vector<Record>& rows);

    std::vector<TableSlot> slots_;
    expr::Scope scope_;
    Plan plan_;
    bool aggregate_ = false;
    bool distinct_ = false;
    std::vector<expr::NodePtr> items_;
    std::vector<expr::NodePtr> itemSources_; // unbound copies for alias references
    std::vector<std::string> names_;
    std::vector<FieldDef> columns_;
    std::vector<expr::NodePtr> groupKeys_;
    std::vector<AggSpec> aggs_;
    expr::NodePtr having_;
    std::vector<SortKey> order_;
    std::vector<std::vector<int>> fields_;
    uint64_t examined_ = 0;
};

// Names of output columns: a later name equal to an earlier one (without regard to
// case) gets "_1", "_2", ...
std::vector<std::string> uniqueNames(const std::vector<std::string>& names);

} // namespace trevo::engine::sql
