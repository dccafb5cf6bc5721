#include "engine/expr/ast.h"

namespace trevo::engine::expr {

bool isComparison(BinOp op)
{
    switch (op) {
    case BinOp::Eq: case BinOp::Ne: case BinOp::Lt: case BinOp::Le: case BinOp::Gt: case BinOp::Ge:
        return true;
    default:
        return false;
    }
}

const char* binOpText(BinOp op)
{
    switch (op) {
    case BinOp::Add: return "+";
    case BinOp::Sub: return "-";
    case BinOp::Mul: return "*";
    case BinOp::Div: return "/";
    case BinOp::Concat: return "||";
    case BinOp::Eq: return "=";
    case BinOp::Ne: return "<>";
    case BinOp::Lt: return "<";
    case BinOp::Le: return "<=";
    case BinOp::Gt: return ">";
    case BinOp::Ge: return ">=";
    case BinOp::And: return "AND";
    case BinOp::Or: return "OR";
    }
    return "?";
}

NodePtr Node::clone() const
{
    auto n = std::make_unique<Node>();
    n->kind = kind;
    n->op = op;
    n->negated = negated;
    n->distinct = distinct;
    n->value = value;
    n->param = param;
    n->qualifier = qualifier;
    n->name = name;
    n->quoted = quoted;
    n->line = line;
    n->source = source;
    n->table = table;
    n->field = field;
    n->outputRef = outputRef;
    n->type = type;
    n->fieldType = fieldType;
    n->aggIndex = aggIndex;
    n->castType = castType;
    n->castLength = castLength;
    n->castDecimals = castDecimals;
    n->constant = constant;
    n->args.reserve(args.size());
    for (const auto& a : args) n->args.push_back(a->clone());
    return n;
}

NodePtr makeLiteral(Value v)
{
    auto n = std::make_unique<Node>();
    n->kind = NodeKind::Literal;
    n->type = v.type();
    n->value = std::move(v);
    n->constant = true;
    return n;
}

NodePtr makeBinary(BinOp op, NodePtr a, NodePtr b)
{
    auto n = std::make_unique<Node>();
    n->kind = NodeKind::Binary;
    n->op = op;
    n->line = a->line;
    n->args.push_back(std::move(a));
    n->args.push_back(std::move(b));
    return n;
}

namespace {

std::string literalText(const Value& v)
{
    switch (v.type()) {
    case ValueType::Null: return "NULL";
    case ValueType::Number: {
        std::string s = formatNumber(v.number());
        for (char& c : s)
            if (c == ',') c = '.';
        return s;
    }
    case ValueType::Text: {
        std::string r = "'";
        for (char c : v.text()) {
            if (c == '\'') r += '\'';
            r += c;
        }
        return r + "'";
    }
    case ValueType::Date: return "'" + formatDate(v.date()) + "'";
    case ValueType::Logical: return v.logical() ? "TRUE" : "FALSE";
    }
    return "?";
}

std::string argList(const Node& n, size_t from = 0)
{
    std::string r;
    for (size_t i = from; i < n.args.size(); ++i) {
        if (i > from) r += ", ";
        r += toText(*n.args[i]);
    }
    return r;
}

} // namespace

std::string toText(const Node& n)
{
    const std::string neg = n.negated ? "NOT " : "";
    switch (n.kind) {
    case NodeKind::Literal: return literalText(n.value);
    case NodeKind::Column: return n.qualifier.empty() ? n.name : n.qualifier + "." + n.name;
    case NodeKind::Not: return "NOT " + toText(*n.args[0]);
    case NodeKind::Negate: return "-" + toText(*n.args[0]);
    case NodeKind::Binary:
        return "(" + toText(*n.args[0]) + " " + binOpText(n.op) + " " + toText(*n.args[1]) + ")";
    case NodeKind::Like: return toText(*n.args[0]) + " " + neg + "LIKE " + toText(*n.args[1]);
    case NodeKind::In: return toText(*n.args[0]) + " " + neg + "IN (" + argList(n, 1) + ")";
    case NodeKind::Between:
        return toText(*n.args[0]) + " " + neg + "BETWEEN " + toText(*n.args[1]) + " AND " + toText(*n.args[2]);
    case NodeKind::IsNull: return toText(*n.args[0]) + (n.negated ? " IS NOT NULL" : " IS NULL");
    case NodeKind::Call: return n.name + "(" + argList(n) + ")";
    case NodeKind::Aggregate:
        if (n.args.empty()) return n.name + "(*)";
        return n.name + "(" + (n.distinct ? "DISTINCT " : "") + argList(n) + ")";
    case NodeKind::Cast: return "CAST(" + toText(*n.args[0]) + " AS " + std::string(1, n.castType) + ")";
    case NodeKind::Convert: return toText(*n.args[0]);
    case NodeKind::Star: return n.qualifier.empty() ? "*" : n.qualifier + ".*";
    }
    return "?";
}

} // namespace trevo::engine::expr
