#pragma once
// Expression trees of filters and statements. The parser builds them from tokens;
// binding resolves names to columns of a scope and fixes the comparison types;
// the evaluator computes them row by row.
#include "engine/core/value.h"

#include <memory>
#include <string>
#include <vector>

namespace trevo::engine::expr {

enum class NodeKind {
    Literal,   // a constant (value); param >= 0 when it came from a literal token
    Column,    // qualifier.name; bound to (table, field)
    Not,       // NOT a
    Negate,    // -a
    Binary,    // a op b
    Like,      // a [NOT] LIKE b [ESCAPE c]
    In,        // a [NOT] IN (b, c, ...)
    Between,   // a [NOT] BETWEEN b AND c
    IsNull,    // a IS [NOT] NULL
    Call,      // name(args): UPPER, LOWER, TRIM, SUBSTRING, ...
    Aggregate, // COUNT, SUM, AVG, MIN, MAX; args empty for COUNT(*)
    Cast,      // CAST(a AS type)
    Convert,   // inserted by binding: a read as the type `type` (text as date, ...)
    Star,      // * or alias.* in a select list (qualifier set for alias.*)
};

enum class BinOp { Add, Sub, Mul, Div, Concat, Eq, Ne, Lt, Le, Gt, Ge, And, Or };

bool isComparison(BinOp op);
const char* binOpText(BinOp op);

struct Node;
using NodePtr = std::unique_ptr<Node>;

struct Node {
    NodeKind kind = NodeKind::Literal;
    BinOp op = BinOp::Eq;
    bool negated = false;  // NOT LIKE / NOT IN / NOT BETWEEN / IS NOT NULL
    bool distinct = false; // aggregate over distinct values
    Value value;           // Literal
    int param = -1;        // Literal: ordinal of the literal token in the statement text
    std::string qualifier; // Column / Star: alias or table name as written ("" when none)
    std::string name;      // Column name, function or aggregate name (upper case for calls)
    bool quoted = false;   // Column written as a lone "NAME" (may turn out to be a text)
    std::vector<NodePtr> args;
    // Position in the text, for messages.
    int line = 1;
    std::string source;

    // Filled by binding.
    int table = -1;                        // Column: slot of the table in the scope
    int field = -1;                        // Column: field index in that table
    int outputRef = -1;                    // Column naming an output column (ORDER BY / HAVING)
    ValueType type = ValueType::Null;      // static result type (Null = not known)
    char fieldType = 0;                    // Column: dBASE field type
    int aggIndex = -1;                     // Aggregate: slot in the group's values
    char castType = 'C';                   // Cast: dBASE type; castLength/castDecimals
    int castLength = 0;
    int castDecimals = 0;

    // Constant subtrees are computed once per execution (see prepareConstants).
    bool constant = false;
    bool folded = false;
    Value foldedValue;

    NodePtr clone() const;
};

NodePtr makeLiteral(Value v);
NodePtr makeBinary(BinOp op, NodePtr a, NodePtr b);

// Calls f on the node and every node below it.
template <class F>
void visit(Node& n, F&& f)
{
    f(n);
    for (auto& a : n.args) visit(*a, f);
}
template <class F>
void visit(const Node& n, F&& f)
{
    f(n);
    for (const auto& a : n.args) visit(static_cast<const Node&>(*a), f);
}

// Text of the expression, for EXPLAIN and generated column names.
std::string toText(const Node& n);

} // namespace trevo::engine::expr
