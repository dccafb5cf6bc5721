#pragma once
// A statement ready to run: its query (SELECT, the search of DELETE and UPDATE, the
// source of INSERT ... SELECT), its bound assignments and values, and its target table.
#include "engine/database.h"
#include "engine/sql/query.h"
#include "engine/sql/result.h"
#include "engine/sql/statement.h"

#include <memory>
#include <string>
#include <vector>

namespace trevo::engine::sql {

class PreparedStatement {
public:
    PreparedStatement(Database& db, const std::string& folder, Statement stmt);

    bool cacheable() const;
    bool valid(Database& db) const;
    void bindParams(const expr::Params* params);
    QueryResult execute(Database& db, Session& session);

private:
    QueryResult select();
    QueryResult explain() const;
    QueryResult remove(Session& session);
    QueryResult update(Session& session);
    QueryResult insert(Session& session);
    QueryResult alter(Database& db, Session& session);
    QueryResult create(Database& db, Session& session);
    QueryResult drop(Database& db, Session& session);
    void openTarget(Database& db, const std::string& folder);
    std::vector<FieldDef> newFields(const std::vector<FieldDef>& existing) const;

    StatementKind kind_;
    bool explain_ = false;
    std::string folder_;
    TableRef table_;
    std::string path_;
    DbfTable* target_ = nullptr;
    std::weak_ptr<DbfTable> targetHandle_;
    std::vector<FieldDef> targetFields_;
    std::unique_ptr<PreparedQuery> query_;
    std::vector<std::pair<int, expr::NodePtr>> assignments_;
    std::vector<int> insertFields_;
    std::vector<std::vector<expr::NodePtr>> values_;
    std::vector<ColumnDef> columnDefs_;
};

// One notice per damaged table among the slots (QueryResult::notices).
std::vector<std::string> damageNotices(const std::vector<TableSlot>& slots);

// The value converted for a field of the table; throws ValueError naming the field.
Value valueForField(const Value& v, const FieldDef& field);

} // namespace trevo::engine::sql
