#pragma once
// The planner's working state, shared by its two halves: the analysis of the
// conditions (planner.cpp) and the estimates and join-order search (planner_order.cpp).
#include "engine/sql/conditions.h"
#include "engine/sql/plan.h"

#include <map>
#include <vector>

namespace trevo::engine::sql {

struct Conjunct {
    const Node* node = nullptr;
    TableMask mask = 0;
    int outerSlot = -1; // ON condition of this LEFT JOIN slot
    bool derived = false;
    // For an OR: the terms of each disjunct, with the equalities derived inside it.
    std::vector<std::vector<const Node*>> disjuncts;
};

// Union-find over columns (slot, field).
class ColumnClasses {
public:
    int id(const Node& c)
    {
        const long key = static_cast<long>(c.table) * 4096 + c.field;
        auto it = ids_.find(key);
        if (it != ids_.end()) return it->second;
        const int id = static_cast<int>(parent_.size());
        ids_[key] = id;
        parent_.push_back(id);
        columns_.push_back(&c);
        constants_.push_back(nullptr);
        return id;
    }
    int find(int x)
    {
        while (parent_[x] != x) x = parent_[x] = parent_[parent_[x]];
        return x;
    }
    void unite(int a, int b)
    {
        a = find(a);
        b = find(b);
        if (a == b) return;
        parent_[b] = a;
        if (!constants_[a]) constants_[a] = constants_[b];
    }
    void setConstant(int x, const Node* k)
    {
        x = find(x);
        if (!constants_[x]) constants_[x] = k;
    }
    const Node* constantOf(int x) { return constants_[find(x)]; }
    size_t size() const { return parent_.size(); }
    const Node& column(int x) const { return *columns_[x]; }

private:
    std::map<long, int> ids_;
    std::vector<int> parent_;
    std::vector<const Node*> columns_;
    std::vector<const Node*> constants_;
};

class Planner {
public:
    Planner(const std::vector<TableSlot>& slots, Plan& plan) : slots_(slots), plan_(plan) {}

    void run(std::vector<NodePtr> where, std::vector<NodePtr> on);

private:
    // ---- conditions (planner.cpp) ----
    const Node* own(NodePtr n);
    void add(const Node* n, int outerSlot, bool derived = false);
    void collect(NodePtr root, int outerSlot);
    bool isOuter(int slot) const { return slots_[slot].join == JoinKind::Left; }
    void deriveEqualities();
    bool hasEquality(int x, int y);
    void analyseOr(Conjunct& c);

    // ---- estimates and order (planner_order.cpp) ----
    double liveCount(int slot);
    double distinct(int slot, int field);
    bool lookupFrom(const Node& t, int s, TableMask bound, KeyLookup& out);
    double sampled(const Node& n, int slot);
    double selectivity(const Node& n);
    double knownDistinct(const Node& col);

    struct Choice {
        Access access = Access::Scan;
        KeyLookup lookup;
        const Conjunct* lookupConj = nullptr;
        const Conjunct* unionConj = nullptr;
        std::vector<Alternative> alternatives;
        double candidates = 0; // records fetched per row of the earlier steps
        double rows = 0;       // rows passed on per row of the earlier steps
    };

    bool usable(const Conjunct& c, int s) const;
    double bestLookup(const std::vector<const Node*>& terms, int s, TableMask bound, KeyLookup& out, const Node*& single);
    Choice choose(int s, TableMask bound);
    std::vector<int> chooseOrder();
    void buildSteps(const std::vector<int>& order);
    ValueType typeOfField(int s, int field) const;

    const std::vector<TableSlot>& slots_;
    Plan& plan_;
    std::vector<Conjunct> conj_;
    ColumnClasses classes_;
    std::map<const Node*, double> sampleCache_;
};

} // namespace trevo::engine::sql
