// Join order and access paths. Conditions are split into conjuncts; ORs are factored;
// equalities are closed over the joins (T.NUMMER=17 and T.NUMMER=K.TERMIN give
// K.TERMIN=17, also inside a disjunct); then a search over the subsets of tables picks
// the order whose estimated number of examined records is smallest, with a hash-index
// lookup or a union of lookups (one per disjunct of an OR) for each table.
// This file holds the analysis of the conditions; planner_order.cpp the estimates and
// the search.
#include "engine/sql/planner_internal.h"

#include <algorithm>
#include <map>

namespace trevo::engine::sql {

using expr::BinOp;
using expr::NodeKind;

void Planner::run(std::vector<NodePtr> where, std::vector<NodePtr> on)
{
    for (auto& w : where)
        if (w) collect(std::move(w), -1);
    for (size_t s = 0; s < on.size(); ++s)
        if (on[s]) collect(std::move(on[s]), static_cast<int>(s));
    deriveEqualities();
    for (auto& c : conj_) {
        if (c.node->kind == NodeKind::Binary && c.node->op == BinOp::Or) analyseOr(c);
    }
    for (const auto& c : conj_)
        if (c.mask == 0 && c.outerSlot < 0) plan_.constantFilters.push_back(c.node);
    const std::vector<int> order = chooseOrder();
    buildSteps(order);
}

const Node* Planner::own(NodePtr n)
{
    plan_.conditions.push_back(std::move(n));
    return plan_.conditions.back().get();
}

void Planner::add(const Node* n, int outerSlot, bool derived)
{
    Conjunct c;
    c.node = n;
    c.mask = tableMask(*n);
    c.outerSlot = outerSlot;
    c.derived = derived;
    conj_.push_back(std::move(c));
}

void Planner::collect(NodePtr root, int outerSlot)
{
    std::vector<NodePtr> parts;
    splitConjuncts(std::move(root), parts);
    for (size_t i = 0; i < parts.size(); ++i) {
        NodePtr p = std::move(parts[i]);
        if (p->kind == NodeKind::Binary && p->op == BinOp::Or) {
            std::vector<NodePtr> common;
            p = factorOr(std::move(p), common);
            for (auto& c : common) parts.push_back(std::move(c)); // split further below
            if (!p) continue;
        }
        add(own(std::move(p)), outerSlot);
    }
}

// Equalities of the WHERE conditions, closed over the joins.
void Planner::deriveEqualities()
{
    const size_t original = conj_.size();
    std::vector<std::pair<int, int>> haveConst; // (column id) that already have a constant
    for (size_t i = 0; i < original; ++i) {
        if (conj_[i].outerSlot >= 0) continue;
        const Node *a, *b;
        if (columnEquality(*conj_[i].node, a, b)) classes_.unite(classes_.id(*a), classes_.id(*b));
    }
    std::vector<bool> direct;
    for (size_t i = 0; i < original; ++i) {
        if (conj_[i].outerSlot >= 0) continue;
        const Node *c, *k;
        if (constantEquality(*conj_[i].node, c, k)) {
            const int id = classes_.id(*c);
            classes_.setConstant(id, k);
            if (direct.size() <= static_cast<size_t>(id)) direct.resize(id + 1);
            direct[id] = true;
        }
    }
    direct.resize(classes_.size());
    // Every column of a class with a constant equals that constant.
    std::map<int, std::vector<int>> members;
    for (size_t x = 0; x < classes_.size(); ++x) members[classes_.find(static_cast<int>(x))].push_back(static_cast<int>(x));
    for (auto& [root, list] : members) {
        const Node* k = classes_.constantOf(root);
        if (k) {
            for (int x : list)
                if (!direct[x]) add(own(equalityNode(classes_.column(x), *k)), -1, true);
        } else if (list.size() >= 3) {
            for (size_t i = 0; i < list.size(); ++i)
                for (size_t j = i + 1; j < list.size(); ++j)
                    if (!hasEquality(list[i], list[j]))
                        add(own(equalityNode(classes_.column(list[i]), classes_.column(list[j]))), -1, true);
        }
    }
}

bool Planner::hasEquality(int x, int y)
{
    for (const auto& c : conj_) {
        const Node *a, *b;
        if (c.outerSlot < 0 && columnEquality(*c.node, a, b)) {
            const int p = classes_.id(*a), q = classes_.id(*b);
            if ((p == x && q == y) || (p == y && q == x)) return true;
        }
    }
    return false;
}

// The terms of each disjunct, with the constants that follow inside it.
void Planner::analyseOr(Conjunct& c)
{
    std::vector<const Node*> ds;
    listDisjuncts(*c.node, ds);
    for (const Node* d : ds) {
        std::vector<const Node*> terms;
        listConjuncts(*d, terms);
        ColumnClasses local = classes_;
        std::vector<int> touched;
        for (const Node* t : terms) {
            const Node *a, *b, *col, *k;
            if (columnEquality(*t, a, b)) {
                const int x = local.id(*a), y = local.id(*b);
                local.unite(x, y);
                touched.push_back(x);
                touched.push_back(y);
            } else if (constantEquality(*t, col, k)) {
                const int x = local.id(*col);
                local.setConstant(x, k);
                touched.push_back(x);
            }
        }
        std::vector<int> roots;
        for (int x : touched) roots.push_back(local.find(x));
        const size_t terms0 = terms.size();
        for (size_t x = 0; x < local.size(); ++x) {
            const int r = local.find(static_cast<int>(x));
            if (std::find(roots.begin(), roots.end(), r) == roots.end()) continue;
            const Node* k = local.constantOf(r);
            if (!k) continue;
            const Node& col = local.column(static_cast<int>(x));
            bool known = false;
            for (size_t i = 0; i < terms0 && !known; ++i) {
                const Node *cc, *kk;
                known = constantEquality(*terms[i], cc, kk) && cc->table == col.table && cc->field == col.field;
            }
            if (x < classes_.size() && classes_.constantOf(static_cast<int>(x))) known = true; // global
            if (!known) terms.push_back(own(equalityNode(col, *k)));
        }
        c.disjuncts.push_back(std::move(terms));
    }
}

Plan buildPlan(const std::vector<TableSlot>& slots, std::vector<NodePtr> where, std::vector<NodePtr> on)
{
    Plan plan;
    Planner(slots, plan).run(std::move(where), std::move(on));
    return plan;
}

} // namespace trevo::engine::sql
