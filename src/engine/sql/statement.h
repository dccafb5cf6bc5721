#pragma once
// Parsed statements of the local SQL dialect.
#include "engine/expr/ast.h"
#include "engine/expr/parser.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace trevo::engine::sql {

using expr::NodePtr;

enum class JoinKind { Comma, Inner, Left };

// A table named by a quoted path or a bare file name, with an optional alias.
struct TableRef {
    std::string name;  // as written, quotes removed
    std::string alias; // "" when none: the file name without extension then
    JoinKind join = JoinKind::Comma;
    NodePtr on; // JOIN ... ON condition
    int line = 1;
};

struct SelectItem {
    NodePtr expr; // NodeKind::Star for * and alias.*
    std::string alias;
};

struct OrderItem {
    NodePtr expr; // a Literal number with param < 0 is a position
    bool descending = false;
};

struct SelectStmt {
    bool distinct = false;
    std::vector<SelectItem> items;
    std::vector<TableRef> from;
    NodePtr where;
    std::vector<NodePtr> groupBy;
    NodePtr having;
    std::vector<OrderItem> orderBy;
};

struct ColumnDef {
    std::string name;
    expr::TypeSpec type;
    int line = 1;
};

enum class StatementKind { Select, Delete, Update, Insert, AlterAdd, Create, Drop };

struct Statement {
    StatementKind kind = StatementKind::Select;
    bool explain = false;
    SelectStmt select; // Select, and INSERT ... SELECT
    TableRef table;    // the table changed by the other statements
    NodePtr where;     // Delete, Update
    std::vector<std::pair<std::string, NodePtr>> assignments; // Update
    std::vector<std::string> columns;                         // Insert: column list
    std::vector<std::vector<NodePtr>> values;                 // Insert: VALUES rows
    bool insertSelect = false;
    std::vector<ColumnDef> columnDefs; // AlterAdd, Create
    // Literal tokens used as structure (see TokenStream::markStructural).
    std::vector<size_t> structural;
};

// Throws expr::SqlError with line and token of the first fault.
Statement parseStatement(expr::TokenStream& ts);
Statement parseStatement(std::string_view text);

} // namespace trevo::engine::sql
