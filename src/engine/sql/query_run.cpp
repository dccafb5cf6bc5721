// Running a prepared SELECT: collecting or grouping the rows the executor passes on,
// DISTINCT and ORDER BY on the result, the matching record numbers, and the plan as text.
#include "engine/sql/query.h"

#include "engine/core/interrupt.h"
#include "engine/sql/budget.h"
#include "engine/sql/executor.h"

#include <algorithm>
#include <unordered_map>

namespace trevo::engine::sql {

namespace {

class CollectSink : public RowSink {
public:
    CollectSink(const std::vector<NodePtr>& items, const std::vector<const Node*>& keys, std::vector<Record>& out)
        : items_(items), keys_(keys), out_(out)
    {
    }
    bool row(const expr::EvalContext& ctx) override
    {
        Record r;
        r.reserve(items_.size() + keys_.size());
        for (const auto& it : items_) r.push_back(expr::evaluate(*it, ctx));
        for (const Node* k : keys_) r.push_back(expr::evaluate(*k, ctx));
        MemoryBudget::charge(bytesOf(r));
        out_.push_back(std::move(r));
        return true;
    }

private:
    const std::vector<NodePtr>& items_;
    const std::vector<const Node*>& keys_;
    std::vector<Record>& out_;
};

struct Group {
    std::vector<Value> key;
    std::vector<AggState> states;
};

class GroupSink : public RowSink {
public:
    GroupSink(const std::vector<NodePtr>& keys, const std::vector<AggSpec>& aggs, std::vector<Group>& groups)
        : keys_(keys), aggs_(aggs), groups_(groups)
    {
        if (keys_.empty()) {
            groups_.emplace_back();
            groups_.back().states.resize(aggs_.size());
        }
    }
    bool row(const expr::EvalContext& ctx) override
    {
        Group* g = nullptr;
        if (keys_.empty()) {
            g = &groups_[0];
        } else {
            key_.clear();
            for (const auto& k : keys_) key_.push_back(expr::evaluate(*k, ctx));
            auto [it, inserted] = index_.try_emplace(key_, groups_.size());
            if (inserted) {
                MemoryBudget::charge(2 * bytesOf(key_) + aggs_.size() * sizeof(AggState) + sizeof(Group));
                groups_.emplace_back();
                groups_.back().key = key_;
                groups_.back().states.resize(aggs_.size());
            }
            g = &groups_[it->second];
        }
        for (size_t i = 0; i < aggs_.size(); ++i) aggregateRow(aggs_[i], g->states[i], ctx);
        return true;
    }

private:
    const std::vector<NodePtr>& keys_;
    const std::vector<AggSpec>& aggs_;
    std::vector<Group>& groups_;
    std::vector<Value> key_;
    std::unordered_map<std::vector<Value>, size_t, GroupKeyHash, GroupKeyEqual> index_;
};

class RecnoSink : public RowSink {
public:
    explicit RecnoSink(std::vector<uint32_t>& out) : out_(out) {}
    bool row(const expr::EvalContext& ctx) override
    {
        MemoryBudget::charge(sizeof(uint32_t));
        out_.push_back(ctx.recnos[0]);
        return true;
    }

private:
    std::vector<uint32_t>& out_;
};

// Sorting a large result takes a while: it can be cancelled too.
void countComparison()
{
    thread_local unsigned comparisons = 0;
    if ((++comparisons & 0xFFF) == 0) checkInterrupt();
}

bool lessRow(const Record& a, const Record& b, size_t count)
{
    countComparison();
    for (size_t i = 0; i < count; ++i) {
        const int c = orderCompare(a[i], b[i]);
        if (c) return c < 0;
    }
    return false;
}

bool sameRow(const Record& a, const Record& b, size_t count)
{
    ValueKeyEqual eq;
    for (size_t i = 0; i < count; ++i)
        if (!eq(a[i], b[i])) return false;
    return true;
}

} // namespace

std::vector<Record> PreparedQuery::runPlain()
{
    std::vector<const Node*> keys;
    for (const auto& k : order_)
        if (k.expr) keys.push_back(k.expr.get());
    std::vector<Record> rows;
    CollectSink sink(items_, keys, rows);
    Executor ex(plan_, slots_, fields_);
    ex.run(sink);
    examined_ = ex.examined();
    return rows;
}

std::vector<Record> PreparedQuery::runGrouped()
{
    std::vector<Group> groups;
    GroupSink sink(groupKeys_, aggs_, groups);
    Executor ex(plan_, slots_, fields_);
    ex.run(sink);
    examined_ = ex.examined();
    std::vector<size_t> order(groups.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    if (!groupKeys_.empty()) {
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
            return lessRow(groups[a].key, groups[b].key, groupKeys_.size());
        });
    }
    std::vector<Record> rows;
    std::vector<Value> values(aggs_.size());
    expr::EvalContext ctx;
    ctx.aggregates = values.data();
    for (size_t gi : order) {
        checkInterrupt();
        const Group& g = groups[gi];
        for (size_t i = 0; i < aggs_.size(); ++i) values[i] = aggregateResult(aggs_[i], g.states[i]);
        if (having_ && !expr::holds(*having_, ctx)) continue;
        Record r;
        for (const auto& it : items_) r.push_back(expr::evaluate(*it, ctx));
        for (const auto& k : order_)
            if (k.expr) r.push_back(expr::evaluate(*k.expr, ctx));
        MemoryBudget::charge(bytesOf(r));
        rows.push_back(std::move(r));
    }
    return rows;
}

void PreparedQuery::finish(std::vector<Record>& rows)
{
    const size_t visible = items_.size();
    if (distinct_) {
        std::stable_sort(rows.begin(), rows.end(), [&](const Record& a, const Record& b) { return lessRow(a, b, visible); });
        rows.erase(std::unique(rows.begin(), rows.end(),
                               [&](const Record& a, const Record& b) { return sameRow(a, b, visible); }),
                   rows.end());
    }
    if (!order_.empty()) {
        std::vector<size_t> column;
        size_t hidden = visible;
        for (const auto& k : order_) column.push_back(k.expr ? hidden++ : static_cast<size_t>(k.output));
        std::stable_sort(rows.begin(), rows.end(), [&](const Record& a, const Record& b) {
            countComparison();
            for (size_t i = 0; i < order_.size(); ++i) {
                const int c = orderCompare(a[column[i]], b[column[i]]);
                if (c) return order_[i].descending ? c > 0 : c < 0;
            }
            return false;
        });
    }
    for (auto& r : rows) r.resize(visible);
}

QueryResult PreparedQuery::run()
{
    QueryResult result;
    result.columns = columns_;
    result.rows = aggregate_ ? runGrouped() : runPlain();
    finish(result.rows);
    return result;
}

std::vector<uint32_t> PreparedQuery::matchingRecords()
{
    std::vector<uint32_t> out;
    RecnoSink sink(out);
    Executor ex(plan_, slots_, fields_);
    ex.run(sink);
    examined_ = ex.examined();
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

std::string PreparedQuery::explain() const
{
    std::string s = describePlan(plan_, slots_);
    if (aggregate_) {
        s += groupKeys_.empty() ? "Aggregation über alle Zeilen" : "Gruppierung mit Hashtabelle über " +
                                                                      std::to_string(groupKeys_.size()) + " Schlüssel";
        s += ", " + std::to_string(aggs_.size()) + " Aggregat(e)\n";
        if (having_) s += "HAVING " + expr::toText(*having_) + "\n";
    }
    if (distinct_) s += "DISTINCT: Sortierung der Ergebniszeilen\n";
    if (!order_.empty()) s += "Sortierung nach " + std::to_string(order_.size()) + " Schlüssel(n)\n";
    return s;
}

} // namespace trevo::engine::sql
