// Static types of expressions and the conversions that comparisons need.
#include "engine/expr/bind.h"
#include "engine/expr/error.h"

namespace trevo::engine::expr {

namespace {

const char* typeWord(ValueType t)
{
    switch (t) {
    case ValueType::Number: return "Zahl";
    case ValueType::Text: return "Text";
    case ValueType::Date: return "Datum";
    case ValueType::Logical: return "Wahrheitswert";
    case ValueType::Null: return "NULL";
    }
    return "?";
}

[[noreturn]] void typeError(const Node& n, const std::string& what)
{
    throw SqlError("Typfehler in Zeile " + std::to_string(n.line) + ": " + what);
}

void convertTo(NodePtr& p, ValueType t)
{
    if (p->type == t || t == ValueType::Null) return;
    if (p->kind == NodeKind::Literal && p->value.isNull()) return; // NULL fits every type
    auto c = std::make_unique<Node>();
    c->kind = NodeKind::Convert;
    c->type = t;
    c->line = p->line;
    c->source = p->source;
    c->constant = p->constant;
    c->args.push_back(std::move(p));
    p = std::move(c);
}

bool isNullLiteral(const Node& n) { return n.kind == NodeKind::Literal && n.value.isNull(); }

// Brings the two operands of a comparison to one type.
void unify(NodePtr& a, NodePtr& b, const Node& at)
{
    const ValueType x = a->type, y = b->type;
    if (x == y || x == ValueType::Null || y == ValueType::Null) return;
    auto pair = [&](ValueType p, ValueType q) { return (x == p && y == q) || (x == q && y == p); };
    auto convertSide = [&](ValueType from, ValueType to) {
        if (x == from) convertTo(a, to);
        else convertTo(b, to);
    };
    if (pair(ValueType::Date, ValueType::Text)) return convertSide(ValueType::Text, ValueType::Date);
    if (pair(ValueType::Date, ValueType::Number)) return convertSide(ValueType::Number, ValueType::Date);
    if (pair(ValueType::Logical, ValueType::Text)) return convertSide(ValueType::Text, ValueType::Logical);
    if (pair(ValueType::Logical, ValueType::Number)) return convertSide(ValueType::Number, ValueType::Logical);
    if (pair(ValueType::Number, ValueType::Text)) return convertSide(ValueType::Text, ValueType::Number);
    typeError(at, std::string(typeWord(x)) + " und " + typeWord(y) + " lassen sich nicht vergleichen");
}

void requireCondition(NodePtr& p, const Node& at)
{
    switch (p->type) {
    case ValueType::Logical:
    case ValueType::Null: return;
    case ValueType::Text:
        if (p->kind == NodeKind::Literal) return convertTo(p, ValueType::Logical);
        [[fallthrough]];
    default: typeError(at, std::string(typeWord(p->type)) + " ist keine Bedingung");
    }
}

void requireNumber(NodePtr& p, const Node& at)
{
    if (p->type == ValueType::Text) return convertTo(p, ValueType::Number);
    if (p->type == ValueType::Date || p->type == ValueType::Logical)
        typeError(at, std::string("Zahl erwartet, nicht ") + typeWord(p->type));
}

void typeArithmetic(Node& n)
{
    NodePtr& a = n.args[0];
    NodePtr& b = n.args[1];
    using VT = ValueType;
    if (n.op == BinOp::Concat) {
        n.type = VT::Text;
        return;
    }
    if (n.op == BinOp::Add && a->type == VT::Text && b->type == VT::Text) {
        n.op = BinOp::Concat; // 'a' + 'b' joins texts
        n.type = VT::Text;
        return;
    }
    if (n.op == BinOp::Add || n.op == BinOp::Sub) {
        if (a->type == VT::Date) {
            if (n.op == BinOp::Sub && b->type == VT::Text) convertTo(b, VT::Date);
            if (b->type == VT::Date) {
                if (n.op == BinOp::Add) typeError(n, "zwei Daten lassen sich nicht addieren");
                n.type = VT::Number;
                return;
            }
            requireNumber(b, n);
            n.type = VT::Date;
            return;
        }
        if (b->type == VT::Date) {
            if (n.op == BinOp::Sub) typeError(n, "ein Datum lässt sich nicht abziehen");
            requireNumber(a, n);
            n.type = VT::Date;
            return;
        }
        requireNumber(a, n);
        requireNumber(b, n);
        n.type = a->type == VT::Null && b->type == VT::Null ? VT::Null : VT::Number;
        return;
    }
    requireNumber(a, n);
    requireNumber(b, n);
    n.type = VT::Number;
}

struct FunctionInfo {
    const char* name;
    int minArgs;
    int maxArgs;
};

const FunctionInfo* findFunction(const std::string& name)
{
    static const FunctionInfo functions[] = {
        {"UPPER", 1, 1}, {"LOWER", 1, 1}, {"TRIM", 1, 2}, {"LTRIM", 1, 2}, {"RTRIM", 1, 2},
        {"SUBSTRING", 2, 3}, {"YEAR", 1, 1}, {"MONTH", 1, 1}, {"DAY", 1, 1}, {"ABS", 1, 1},
        {"ROUND", 1, 2}, {"LENGTH", 1, 1}, {"CHAR_LENGTH", 1, 1}, {"COALESCE", 1, 16},
    };
    for (const auto& f : functions)
        if (name == f.name) return &f;
    return nullptr;
}

void typeCall(Node& n)
{
    const FunctionInfo* f = findFunction(n.name);
    if (!f) typeError(n, "unbekannte Funktion '" + n.name + "'");
    const int count = static_cast<int>(n.args.size());
    if (count < f->minArgs || count > f->maxArgs)
        throw SqlError("Falsche Anzahl von Argumenten für " + n.name + " in Zeile " + std::to_string(n.line));
    using VT = ValueType;
    const std::string& s = n.name;
    if (s == "YEAR" || s == "MONTH" || s == "DAY") {
        if (n.args[0]->type == VT::Text) convertTo(n.args[0], VT::Date);
        else if (n.args[0]->type != VT::Date && n.args[0]->type != VT::Null)
            typeError(n, std::string("Datum erwartet, nicht ") + typeWord(n.args[0]->type));
        n.type = VT::Number;
    } else if (s == "ABS" || s == "ROUND") {
        for (auto& a : n.args) requireNumber(a, n);
        n.type = VT::Number;
    } else if (s == "LENGTH" || s == "CHAR_LENGTH") {
        n.type = VT::Number;
    } else if (s == "SUBSTRING") {
        for (size_t i = 1; i < n.args.size(); ++i) requireNumber(n.args[i], n);
        n.type = VT::Text;
    } else if (s == "COALESCE") {
        n.type = VT::Null;
        for (auto& a : n.args)
            if (a->type != VT::Null) {
                n.type = a->type;
                break;
            }
        for (auto& a : n.args) {
            if (a->type != n.type && a->type != VT::Null && !isNullLiteral(*a)) unify(n.args[0], a, n);
        }
    } else {
        n.type = VT::Text;
    }
}

void typeAggregate(Node& n)
{
    if (n.args.empty() || n.name == "COUNT") {
        n.type = ValueType::Number;
        return;
    }
    if (n.name == "SUM" || n.name == "AVG") {
        requireNumber(n.args[0], n);
        n.type = ValueType::Number;
        return;
    }
    n.type = n.args[0]->type;
}

void typeNode(Node& n)
{
    using VT = ValueType;
    switch (n.kind) {
    case NodeKind::Literal: n.type = n.value.type(); break;
    case NodeKind::Column: break; // set by bindNames (or by the statement for output columns)
    case NodeKind::Not:
        requireCondition(n.args[0], n);
        n.type = VT::Logical;
        break;
    case NodeKind::Negate:
        requireNumber(n.args[0], n);
        n.type = VT::Number;
        break;
    case NodeKind::Binary:
        if (n.op == BinOp::And || n.op == BinOp::Or) {
            requireCondition(n.args[0], n);
            requireCondition(n.args[1], n);
            n.type = VT::Logical;
        } else if (isComparison(n.op)) {
            unify(n.args[0], n.args[1], n);
            n.type = VT::Logical;
        } else {
            typeArithmetic(n);
        }
        break;
    case NodeKind::Like:
        for (auto& a : n.args)
            if (a->type != VT::Text && a->type != VT::Null) convertTo(a, VT::Text);
        n.type = VT::Logical;
        break;
    case NodeKind::In:
    case NodeKind::Between:
        for (size_t i = 1; i < n.args.size(); ++i) {
            NodePtr& first = n.args[0];
            if (first->type == VT::Null) break;
            unify(first, n.args[i], n);
        }
        n.type = VT::Logical;
        break;
    case NodeKind::IsNull: n.type = VT::Logical; break;
    case NodeKind::Call: typeCall(n); break;
    case NodeKind::Aggregate: typeAggregate(n); break;
    case NodeKind::Cast: n.type = valueTypeOf(n.castType); break;
    case NodeKind::Convert: break;
    case NodeKind::Star: break;
    }
}

void bindTypesRec(NodePtr& p)
{
    for (auto& a : p->args) bindTypesRec(a);
    Node& n = *p;
    if (n.kind == NodeKind::Convert) return;
    typeNode(n);
    if (n.kind == NodeKind::Literal) {
        n.constant = true;
    } else if (n.kind == NodeKind::Column || n.kind == NodeKind::Aggregate || n.kind == NodeKind::Star) {
        n.constant = false;
    } else {
        n.constant = true;
        for (const auto& a : n.args) n.constant = n.constant && a->constant;
    }
}

} // namespace

void bindTypes(NodePtr& root) { bindTypesRec(root); }

void requireConditionType(NodePtr& root)
{
    Node at;
    at.line = root->line;
    requireCondition(root, at);
}

} // namespace trevo::engine::expr
