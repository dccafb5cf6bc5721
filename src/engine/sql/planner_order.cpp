// The planner's estimates and its search: records per table from sampled conditions
// and hash-index key counts, the cheapest lookup or union of lookups per table, the
// join order over the subsets of tables, and the steps of the chosen order.
#include "engine/sql/planner_internal.h"

#include "engine/core/error.h"
#include "engine/expr/eval.h"

#include <algorithm>
#include <numeric>

namespace trevo::engine::sql {

using expr::BinOp;
using expr::NodeKind;

double Planner::liveCount(int slot) { return std::max<double>(1.0, static_cast<double>(slots_[slot].data()->liveCount())); }

double Planner::distinct(int slot, int field)
{
    return std::max<double>(1.0, static_cast<double>(slots_[slot].data()->hashIndex(field).distinctKeys()));
}

// A lookup on slot s from the term, given the bound tables.
bool Planner::lookupFrom(const Node& t, int s, TableMask bound, KeyLookup& out)
{
    if (t.kind != NodeKind::Binary || t.op != BinOp::Eq) return false;
    for (int side = 0; side < 2; ++side) {
        const Node& c = *t.args[side];
        const Node& k = *t.args[1 - side];
        if (c.kind != NodeKind::Column || c.outputRef >= 0 || c.table != s) continue;
        if (tableMask(k) & ~bound) continue;
        if (k.type != c.type && k.type != ValueType::Null) continue;
        if (c.fieldType == 'M') continue;
        out.field = c.field;
        out.key = &k;
        return true;
    }
    return false;
}

// The share of a table's records that pass a condition over that table alone,
// measured on an even sample of its records.
double Planner::sampled(const Node& n, int slot)
{
    auto it = sampleCache_.find(&n);
    if (it != sampleCache_.end()) return it->second;
    TableData* d = slots_[slot].data();
    const auto& live = d->liveRecords();
    double result = 0.5;
    if (!live.empty()) {
        std::vector<const std::vector<Value>*> cols(slots_[slot].fields.size(), nullptr);
        expr::visit(n, [&](const Node& x) {
            if (x.kind == NodeKind::Column && x.table == slot) cols[x.field] = &d->column(x.field);
        });
        std::vector<const std::vector<Value>* const*> tables(slots_.size(), nullptr);
        tables[slot] = cols.data();
        std::vector<uint32_t> recnos(slots_.size(), expr::kNoRecord);
        expr::EvalContext ctx;
        ctx.columns = tables.data();
        ctx.recnos = recnos.data();
        const size_t samples = std::min<size_t>(live.size(), 200);
        size_t pass = 0;
        try {
            for (size_t i = 0; i < samples; ++i) {
                recnos[slot] = live[i * live.size() / samples];
                pass += expr::holds(n, ctx) ? 1 : 0;
            }
            result = std::max(0.5, static_cast<double>(pass)) / static_cast<double>(samples);
        } catch (const EngineError&) {
            result = 0.5; // the statement reports it when it runs
        }
    }
    sampleCache_[&n] = result;
    return result;
}

double Planner::selectivity(const Node& n)
{
    const TableMask m = tableMask(n);
    if (m && !(m & (m - 1))) {
        int slot = 0;
        while (!(m & bit(slot))) ++slot;
        return sampled(n, slot);
    }
    switch (n.kind) {
    case NodeKind::Binary:
        switch (n.op) {
        case BinOp::Eq: {
            const Node *a, *b, *c, *k;
            if (columnEquality(n, a, b)) {
                // Implied when the columns' class equals a constant (applied elsewhere).
                if (classes_.constantOf(classes_.id(*a))) return 1.0;
                return 1.0 / std::max(knownDistinct(*a), knownDistinct(*b));
            }
            if (constantEquality(n, c, k)) return 1.0 / knownDistinct(*c);
            return 0.1;
        }
        case BinOp::Ne: return 0.9;
        case BinOp::Lt: case BinOp::Le: case BinOp::Gt: case BinOp::Ge: return 0.3;
        case BinOp::And: return selectivity(*n.args[0]) * selectivity(*n.args[1]);
        case BinOp::Or: return std::min(1.0, selectivity(*n.args[0]) + selectivity(*n.args[1]));
        default: return 0.5;
        }
    case NodeKind::Between: return n.negated ? 0.7 : 0.3;
    case NodeKind::Like: return n.negated ? 0.8 : 0.2;
    case NodeKind::IsNull: return n.negated ? 0.9 : 0.1;
    case NodeKind::In: return n.negated ? 0.9 : std::min(1.0, 0.1 * static_cast<double>(n.args.size() - 1));
    case NodeKind::Not: return 1.0 - selectivity(*n.args[0]);
    default: return 0.5;
    }
}

double Planner::knownDistinct(const Node& col)
{
    if (col.table < 0) return 10;
    TableData* d = slots_[col.table].data();
    if (d->hasHashIndex(col.field)) return std::max<double>(1.0, static_cast<double>(d->hashIndex(col.field).distinctKeys()));
    return 10;
}

bool Planner::usable(const Conjunct& c, int s) const
{
    if (isOuter(s)) return c.outerSlot == s;
    return c.outerSlot < 0;
}

// The cheapest lookup on slot s among equality terms: one field, or a pair of
// fields when that finds fewer records. Returns the estimated records per lookup,
// or -1 when no term can be used; `single` is the term of a one-field lookup.
double Planner::bestLookup(const std::vector<const Node*>& terms, int s, TableMask bound, KeyLookup& out, const Node*& single)
{
    struct Cand {
        KeyLookup l;
        const Node* term;
        double est;
    };
    std::vector<Cand> cands;
    for (const Node* t : terms) {
        KeyLookup l;
        if ((tableMask(*t) & ~(bound | bit(s))) || !lookupFrom(*t, s, bound, l)) continue;
        bool dup = false;
        for (const auto& c : cands) dup = dup || c.l.field == l.field;
        if (!dup) cands.push_back({l, t, liveCount(s) / distinct(s, l.field)});
    }
    if (cands.empty()) return -1;
    std::sort(cands.begin(), cands.end(), [](const Cand& a, const Cand& b) { return a.est < b.est; });
    out = cands[0].l;
    single = cands[0].term;
    double best = cands[0].est;
    if (best <= 2) return best;
    const size_t limit = std::min<size_t>(cands.size(), 4);
    for (size_t i = 0; i < limit; ++i) {
        for (size_t j = i + 1; j < limit; ++j) {
            const int f1 = std::min(cands[i].l.field, cands[j].l.field);
            const int f2 = std::max(cands[i].l.field, cands[j].l.field);
            const double keys = static_cast<double>(slots_[s].data()->hashIndex(f1, f2).distinctKeys());
            const double est = liveCount(s) / std::max(1.0, keys);
            if (est < best * 0.5) {
                const Cand& a = cands[i].l.field == f1 ? cands[i] : cands[j];
                const Cand& b = cands[i].l.field == f1 ? cands[j] : cands[i];
                out = a.l;
                out.field2 = b.l.field;
                out.key2 = b.l.key;
                single = nullptr;
                best = est;
            }
        }
    }
    return best;
}

Planner::Choice Planner::choose(int s, TableMask bound)
{
    Choice best;
    best.candidates = liveCount(s);
    std::vector<const Node*> usableTerms;
    for (const auto& c : conj_) {
        if (!usable(c, s) || !(c.mask & bit(s)) || (c.mask & ~(bound | bit(s)))) continue;
        usableTerms.push_back(c.node);
    }
    {
        KeyLookup l;
        const Node* single = nullptr;
        const double est = bestLookup(usableTerms, s, bound, l, single);
        if (est >= 0 && est < best.candidates) {
            best.access = Access::Lookup;
            best.lookup = l;
            best.candidates = est;
            for (const auto& c : conj_)
                if (c.node == single) best.lookupConj = &c;
        }
    }
    for (const auto& c : conj_) {
        if (c.disjuncts.empty() || !usable(c, s) || !(c.mask & bit(s))) continue;
        std::vector<Alternative> alts;
        double total = 0;
        bool ok = true;
        for (const auto& terms : c.disjuncts) {
            Alternative a;
            std::vector<const Node*> lookupTerms = usableTerms; // hold in every disjunct
            for (const Node* t : terms) {
                const TableMask m = tableMask(*t);
                if (m && !(m & ~bound)) a.guards.push_back(t);
                else lookupTerms.push_back(t);
            }
            const Node* single = nullptr;
            const double est = bestLookup(lookupTerms, s, bound, a.lookup, single);
            if (est < 0) {
                ok = false;
                break;
            }
            total += est;
            alts.push_back(std::move(a));
        }
        if (ok && total < best.candidates) {
            best.access = Access::Union;
            best.unionConj = &c;
            best.alternatives = std::move(alts);
            best.lookupConj = nullptr;
            best.candidates = total;
        }
    }
    double sel = 1;
    for (const auto& c : conj_) {
        if (&c == best.lookupConj || !(c.mask & bit(s)) || (c.mask & ~(bound | bit(s)))) continue;
        if (c.outerSlot >= 0 && c.outerSlot != s) continue;
        const Node *a, *b;
        if (c.derived && columnEquality(*c.node, a, b)) continue; // implied by the written ones
        sel *= selectivity(*c.node);
    }
    best.rows = std::max(best.candidates * sel, isOuter(s) ? 1.0 : 0.0);
    return best;
}

// Subsets of tables, cheapest order first. A LEFT JOIN keeps the written order.
std::vector<int> Planner::chooseOrder()
{
    const int n = static_cast<int>(slots_.size());
    std::vector<int> fromOrder(n);
    std::iota(fromOrder.begin(), fromOrder.end(), 0);
    bool outer = false;
    for (int s = 0; s < n; ++s) outer = outer || isOuter(s);
    if (outer || n > 12 || n == 1) return fromOrder;
    struct State {
        double cost = -1;
        double rows = 0;
        std::vector<int> order;
    };
    std::vector<State> st(size_t(1) << n);
    st[0].cost = 0;
    st[0].rows = 1;
    for (TableMask m = 0; m < (TableMask(1) << n); ++m) {
        if (st[m].cost < 0) continue;
        for (int s = 0; s < n; ++s) {
            if (m & bit(s)) continue;
            const Choice c = choose(s, m);
            const double cost = st[m].cost + st[m].rows * (1 + c.candidates);
            State& next = st[m | bit(s)];
            if (next.cost < 0 || cost < next.cost) {
                next.cost = cost;
                next.rows = st[m].rows * c.rows;
                next.order = st[m].order;
                next.order.push_back(s);
            }
        }
    }
    plan_.estimatedRows = st.back().rows;
    return st.back().order;
}

void Planner::buildSteps(const std::vector<int>& order)
{
    std::vector<bool> placed(conj_.size(), false);
    for (size_t i = 0; i < conj_.size(); ++i)
        if (conj_[i].mask == 0 && conj_[i].outerSlot < 0) placed[i] = true;
    TableMask bound = 0;
    double rows = 1;
    for (int s : order) {
        Choice c = choose(s, bound);
        Step step;
        step.slot = s;
        step.outer = isOuter(s);
        step.access = c.access;
        step.lookup = c.lookup;
        step.alternatives = std::move(c.alternatives);
        step.estimate = c.rows;
        const TableMask now = bound | bit(s);
        for (size_t i = 0; i < conj_.size(); ++i) {
            const Conjunct& k = conj_[i];
            if (placed[i] || (k.mask & ~now)) continue;
            if (k.outerSlot >= 0 && k.outerSlot != s) continue;
            placed[i] = true;
            // The lookup already guarantees an equality of the same types.
            if (&k == c.lookupConj && c.lookup.field2 < 0 && c.lookup.key->type == typeOfField(s, c.lookup.field))
                continue;
            if (step.outer && k.outerSlot < 0) step.post.push_back(k.node);
            else step.filters.push_back(k.node);
        }
        rows *= c.rows;
        bound = now;
        plan_.steps.push_back(std::move(step));
    }
    plan_.estimatedRows = rows;
    for (size_t i = 0; i < conj_.size(); ++i) // ON conditions over no table of their own
        if (!placed[i] && conj_[i].outerSlot >= 0) plan_.steps.back().filters.push_back(conj_[i].node);
}

ValueType Planner::typeOfField(int s, int field) const { return expr::valueTypeOf(slots_[s].fields[field].type); }

} // namespace trevo::engine::sql
