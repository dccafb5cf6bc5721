#include "engine/sql/conditions.h"

#include "engine/expr/eval.h"

#include <algorithm>

namespace trevo::engine::sql {

using expr::BinOp;
using expr::NodeKind;

TableMask tableMask(const Node& n)
{
    TableMask m = 0;
    expr::visit(n, [&](const Node& x) {
        if (x.kind == NodeKind::Column && x.outputRef < 0 && x.table >= 0) m |= bit(x.table);
    });
    return m;
}

std::string canonicalKey(const Node& n)
{
    std::string k;
    switch (n.kind) {
    case NodeKind::Column: return "#" + std::to_string(n.table) + "." + std::to_string(n.field);
    case NodeKind::Literal:
        if (n.param >= 0) return "?" + std::to_string(n.param);
        return "=" + std::to_string(static_cast<int>(n.value.type())) + ":" + n.value.toText();
    default: break;
    }
    k = std::to_string(static_cast<int>(n.kind)) + "/" + std::to_string(static_cast<int>(n.op)) + "/" +
        (n.negated ? "n" : "") + (n.distinct ? "d" : "") + n.name + "/" + n.castType + "(";
    std::vector<std::string> parts;
    for (const auto& a : n.args) parts.push_back(canonicalKey(*a));
    const bool symmetric = n.kind == NodeKind::Binary &&
                           (n.op == BinOp::Eq || n.op == BinOp::Ne || n.op == BinOp::And || n.op == BinOp::Or ||
                            n.op == BinOp::Mul);
    if (symmetric) std::sort(parts.begin(), parts.end());
    for (const auto& p : parts) k += p + ",";
    return k + ")";
}

void splitConjuncts(NodePtr root, std::vector<NodePtr>& out)
{
    if (!root) return;
    if (root->kind == NodeKind::Binary && root->op == BinOp::And) {
        splitConjuncts(std::move(root->args[0]), out);
        splitConjuncts(std::move(root->args[1]), out);
        return;
    }
    out.push_back(std::move(root));
}

void listConjuncts(const Node& root, std::vector<const Node*>& out)
{
    if (root.kind == NodeKind::Binary && root.op == BinOp::And) {
        listConjuncts(*root.args[0], out);
        listConjuncts(*root.args[1], out);
        return;
    }
    out.push_back(&root);
}

void listDisjuncts(const Node& root, std::vector<const Node*>& out)
{
    if (root.kind == NodeKind::Binary && root.op == BinOp::Or) {
        listDisjuncts(*root.args[0], out);
        listDisjuncts(*root.args[1], out);
        return;
    }
    out.push_back(&root);
}

namespace {

void splitDisjuncts(NodePtr root, std::vector<NodePtr>& out)
{
    if (root->kind == NodeKind::Binary && root->op == BinOp::Or) {
        splitDisjuncts(std::move(root->args[0]), out);
        splitDisjuncts(std::move(root->args[1]), out);
        return;
    }
    out.push_back(std::move(root));
}

NodePtr joinAll(std::vector<NodePtr> parts, BinOp op)
{
    NodePtr r;
    for (auto& p : parts) {
        if (!r) {
            r = std::move(p);
            continue;
        }
        r = expr::makeBinary(op, std::move(r), std::move(p));
        r->type = ValueType::Logical;
    }
    return r;
}

} // namespace

NodePtr factorOr(NodePtr orNode, std::vector<NodePtr>& common)
{
    std::vector<NodePtr> disjuncts;
    splitDisjuncts(std::move(orNode), disjuncts);
    std::vector<std::vector<NodePtr>> terms(disjuncts.size());
    for (size_t i = 0; i < disjuncts.size(); ++i) splitConjuncts(std::move(disjuncts[i]), terms[i]);

    // Terms of the first disjunct that every other disjunct has too.
    std::vector<std::string> commonKeys;
    for (const auto& t : terms[0]) {
        const std::string key = canonicalKey(*t);
        bool everywhere = true;
        for (size_t i = 1; i < terms.size() && everywhere; ++i) {
            everywhere = std::any_of(terms[i].begin(), terms[i].end(),
                                     [&](const NodePtr& u) { return canonicalKey(*u) == key; });
        }
        if (everywhere && std::find(commonKeys.begin(), commonKeys.end(), key) == commonKeys.end())
            commonKeys.push_back(key);
    }
    bool anyEmpty = false;
    for (size_t i = 0; i < terms.size(); ++i) {
        std::vector<NodePtr> rest;
        for (auto& t : terms[i]) {
            const std::string key = canonicalKey(*t);
            auto it = std::find(commonKeys.begin(), commonKeys.end(), key);
            if (it == commonKeys.end()) {
                rest.push_back(std::move(t));
            } else if (i == 0) {
                common.push_back(std::move(t));
            }
        }
        if (rest.empty()) anyEmpty = true;
        terms[i] = std::move(rest);
    }
    if (anyEmpty) return nullptr;
    std::vector<NodePtr> rebuilt;
    for (auto& t : terms) rebuilt.push_back(joinAll(std::move(t), BinOp::And));
    return joinAll(std::move(rebuilt), BinOp::Or);
}

bool columnEquality(const Node& n, const Node*& a, const Node*& b)
{
    if (n.kind != NodeKind::Binary || n.op != BinOp::Eq) return false;
    const Node& x = *n.args[0];
    const Node& y = *n.args[1];
    if (x.kind != NodeKind::Column || y.kind != NodeKind::Column || x.outputRef >= 0 || y.outputRef >= 0) return false;
    if (x.type != y.type || x.type == ValueType::Null) return false;
    if (x.table == y.table && x.field == y.field) return false;
    a = &x;
    b = &y;
    return true;
}

bool constantEquality(const Node& n, const Node*& column, const Node*& constant)
{
    if (n.kind != NodeKind::Binary || n.op != BinOp::Eq) return false;
    for (int side = 0; side < 2; ++side) {
        const Node& c = *n.args[side];
        const Node& k = *n.args[1 - side];
        if (c.kind == NodeKind::Column && c.outputRef < 0 && k.constant && c.type != ValueType::Null &&
            (k.type == c.type) && !(k.kind == NodeKind::Literal && k.value.isNull())) {
            column = &c;
            constant = &k;
            return true;
        }
    }
    return false;
}

NodePtr columnNode(const Node& like)
{
    auto c = std::make_unique<Node>();
    c->kind = NodeKind::Column;
    c->qualifier = like.qualifier;
    c->name = like.name;
    c->table = like.table;
    c->field = like.field;
    c->fieldType = like.fieldType;
    c->type = like.type;
    c->line = like.line;
    return c;
}

NodePtr equalityNode(const Node& column, const Node& other)
{
    NodePtr o = other.kind == NodeKind::Column ? columnNode(other) : other.clone();
    auto e = expr::makeBinary(BinOp::Eq, columnNode(column), std::move(o));
    e->type = ValueType::Logical;
    e->constant = false;
    return e;
}

} // namespace trevo::engine::sql
