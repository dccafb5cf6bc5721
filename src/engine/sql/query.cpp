#include "engine/sql/query.h"

#include "engine/core/interrupt.h"
#include "engine/expr/bind.h"
#include "engine/expr/error.h"
#include "engine/sql/conditions.h"
#include "engine/sql/budget.h"
#include "engine/sql/executor.h"
#include "engine/sql/output.h"
#include "engine/sql/tables.h"

#include <algorithm>
#include <unordered_map>

namespace trevo::engine::sql {

using expr::NodeKind;
using expr::SqlError;

std::vector<std::string> uniqueNames(const std::vector<std::string>& names)
{
    std::vector<std::string> out;
    for (const auto& n : names) {
        std::string candidate = n;
        for (int k = 1;; ++k) {
            const bool taken = std::any_of(out.begin(), out.end(),
                                           [&](const std::string& o) { return expr::sameName(o, candidate); });
            if (!taken) break;
            candidate = n + "_" + std::to_string(k);
        }
        out.push_back(candidate);
    }
    return out;
}

namespace {

bool containsAggregate(const Node& n)
{
    bool found = false;
    expr::visit(n, [&](const Node& x) { found = found || x.kind == NodeKind::Aggregate; });
    return found;
}

AggKind aggKindOf(const Node& n)
{
    if (n.name == "COUNT") return n.args.empty() ? AggKind::CountStar : AggKind::Count;
    if (n.name == "SUM") return AggKind::Sum;
    if (n.name == "AVG") return AggKind::Avg;
    if (n.name == "MIN") return AggKind::Min;
    if (n.name == "MAX") return AggKind::Max;
    return AggKind::First;
}

void prepare(Node* n, const expr::Params* params)
{
    if (n) expr::prepareConstants(*n, params);
}

} // namespace

PreparedQuery::PreparedQuery(Database& db, const std::string& folder, SelectStmt stmt)
{
    openTables(db, folder, stmt.from);
    distinct_ = stmt.distinct;
    bindSelectList(stmt.items);

    std::vector<NodePtr> where;
    std::vector<NodePtr> on(slots_.size());
    if (stmt.where) {
        expr::bind(stmt.where, scope_);
        expr::requireConditionType(stmt.where);
        where.push_back(std::move(stmt.where));
    }
    for (size_t i = 0; i < stmt.from.size(); ++i) {
        if (!stmt.from[i].on) continue;
        expr::Scope s = scope_;
        s.visibleUpTo = static_cast<int>(i) + 1;
        expr::bind(stmt.from[i].on, s);
        expr::requireConditionType(stmt.from[i].on);
        if (slots_[i].join == JoinKind::Left) on[i] = std::move(stmt.from[i].on);
        else where.push_back(std::move(stmt.from[i].on));
    }
    for (auto& g : stmt.groupBy) {
        expr::bind(g, scope_);
        groupKeys_.push_back(std::move(g));
    }
    if (stmt.having) {
        substituteAliases(stmt.having, true);
        expr::bind(stmt.having, scope_);
        expr::requireConditionType(stmt.having);
        having_ = std::move(stmt.having);
    }
    aggregate_ = !groupKeys_.empty() || having_;
    for (const auto& it : items_) aggregate_ = aggregate_ || containsAggregate(*it);
    for (const auto& o : stmt.orderBy) aggregate_ = aggregate_ || containsAggregate(*o.expr);
    bindOrder(stmt.orderBy, names_);

    if (aggregate_) {
        for (auto& it : items_) rewriteForGroups(it);
        if (having_) rewriteForGroups(having_);
        for (auto& k : order_)
            if (k.expr) rewriteForGroups(k.expr);
    }
    for (size_t i = 0; i < items_.size(); ++i) columns_.push_back(outputField(*items_[i], names_[i], slots_, aggs_));
    plan_ = buildPlan(slots_, std::move(where), std::move(on));
    collectFields();
    bindParams(nullptr);
}

void PreparedQuery::openTables(Database& db, const std::string& folder, std::vector<TableRef>& from)
{
    if (from.size() > 60) throw SqlError("Zu viele Tabellen in einer Abfrage");
    bool joinSyntax = false;
    for (const auto& ref : from) {
        TableSlot s = openTable(db, folder, ref);
        for (const auto& other : slots_)
            if (expr::sameName(other.name, s.name))
                throw SqlError("Der Tabellenname '" + s.name + "' kommt mehrfach vor (Zeile " +
                               std::to_string(ref.line) + ")");
        joinSyntax = joinSyntax || ref.join != JoinKind::Comma;
        slots_.push_back(std::move(s));
    }
    for (const auto& s : slots_) scope_.tables.push_back({s.name, &s.fields});
    scope_.firstTableWins = !joinSyntax;
    fields_.resize(slots_.size());
}

void PreparedQuery::bindSelectList(std::vector<SelectItem>& items)
{
    std::vector<std::string> names;
    for (auto& item : items) {
        if (item.expr->kind == NodeKind::Star) {
            bool any = false;
            for (size_t t = 0; t < slots_.size(); ++t) {
                if (!item.expr->qualifier.empty() && !expr::sameName(slots_[t].name, item.expr->qualifier)) continue;
                any = true;
                for (size_t f = 0; f < slots_[t].fields.size(); ++f) {
                    auto c = std::make_unique<Node>();
                    c->kind = NodeKind::Column;
                    c->qualifier = slots_[t].name;
                    c->name = slots_[t].fields[f].name;
                    c->line = item.expr->line;
                    itemSources_.push_back(c->clone());
                    expr::bind(c, scope_);
                    names.push_back(slots_[t].fields[f].name);
                    items_.push_back(std::move(c));
                }
            }
            if (!any)
                throw SqlError("Unbekannte Tabelle '" + item.expr->qualifier + "' in Zeile " +
                               std::to_string(item.expr->line));
            continue;
        }
        itemSources_.push_back(item.expr->clone());
        expr::bind(item.expr, scope_);
        names.push_back(item.alias.empty() ? generatedName(*item.expr, items_.size(), slots_) : item.alias);
        items_.push_back(std::move(item.expr));
    }
    names_ = uniqueNames(names);
}

// Replaces unqualified names of output columns by their expressions (HAVING ANZAHL > 1).
void PreparedQuery::substituteAliases(NodePtr& n, bool onlyUnknown)
{
    if (n->kind == NodeKind::Column && n->qualifier.empty() && n->table < 0) {
        for (size_t i = 0; i < names_.size(); ++i) {
            if (!expr::sameName(names_[i], n->name)) continue;
            bool isColumn = false;
            for (const auto& t : scope_.tables)
                for (const auto& f : *t.fields) isColumn = isColumn || expr::sameName(f.name, n->name);
            if (onlyUnknown && isColumn) return;
            n = itemSources_[i]->clone();
            return;
        }
        return;
    }
    for (auto& a : n->args) substituteAliases(a, onlyUnknown);
}

void PreparedQuery::bindOrder(std::vector<OrderItem>& order, const std::vector<std::string>& outputNames)
{
    for (auto& o : order) {
        SortKey k;
        k.descending = o.descending;
        Node& e = *o.expr;
        if (e.kind == NodeKind::Literal && e.param < 0 && e.value.isNumber()) {
            const double p = e.value.number();
            if (p < 1 || p > static_cast<double>(items_.size()) || p != static_cast<int>(p))
                throw SqlError("Ungültige Spaltennummer " + expr::numberText(p) + " in ORDER BY (Zeile " +
                               std::to_string(e.line) + ")");
            k.output = static_cast<int>(p) - 1;
        } else if (e.kind == NodeKind::Column && e.qualifier.empty()) {
            for (size_t i = 0; i < outputNames.size() && k.output < 0; ++i)
                if (expr::sameName(outputNames[i], e.name)) k.output = static_cast<int>(i);
        }
        if (k.output < 0) {
            substituteAliases(o.expr, true);
            expr::bind(o.expr, scope_);
            k.expr = std::move(o.expr);
        }
        order_.push_back(std::move(k));
    }
}

void PreparedQuery::rewriteForGroups(NodePtr& n)
{
    if (n->kind == NodeKind::Aggregate) {
        if (n->aggIndex >= 0) return;
        AggSpec s;
        s.kind = aggKindOf(*n);
        s.distinct = n->distinct;
        if (!n->args.empty()) s.arg = std::move(n->args[0]);
        n->args.clear();
        n->aggIndex = static_cast<int>(aggs_.size());
        aggs_.push_back(std::move(s));
        return;
    }
    if (n->kind == NodeKind::Column && n->outputRef < 0 && n->table >= 0) {
        int index = -1;
        for (size_t i = 0; i < aggs_.size() && index < 0; ++i) {
            const AggSpec& s = aggs_[i];
            if (s.kind == AggKind::First && s.arg->table == n->table && s.arg->field == n->field)
                index = static_cast<int>(i);
        }
        if (index < 0) {
            AggSpec s;
            s.kind = AggKind::First;
            s.arg = columnNode(*n);
            index = static_cast<int>(aggs_.size());
            aggs_.push_back(std::move(s));
        }
        n->kind = NodeKind::Aggregate;
        n->name = "FIRST";
        n->aggIndex = index;
        n->constant = false;
        return;
    }
    for (auto& a : n->args) rewriteForGroups(a);
}

void PreparedQuery::collectFields()
{
    auto note = [&](const Node& root) {
        expr::visit(root, [&](const Node& x) {
            if (x.kind != NodeKind::Column || x.table < 0 || x.outputRef >= 0) return;
            auto& list = fields_[x.table];
            if (std::find(list.begin(), list.end(), x.field) == list.end()) list.push_back(x.field);
        });
    };
    for (const auto& c : plan_.conditions) note(*c);
    for (const auto& it : items_) note(*it);
    for (const auto& g : groupKeys_) note(*g);
    for (const auto& a : aggs_)
        if (a.arg) note(*a.arg);
    for (const auto& k : order_)
        if (k.expr) note(*k.expr);
}

bool PreparedQuery::valid(Database& db) const
{
    for (const auto& s : slots_) {
        if (s.handle.expired()) return false;
        auto t = db.table(s.path);
        if (t != s.handle.lock() || t->fields() != s.fields) return false;
    }
    return true;
}

void PreparedQuery::bindParams(const expr::Params* params)
{
    for (auto& c : plan_.conditions) prepare(c.get(), params);
    for (auto& it : items_) prepare(it.get(), params);
    for (auto& g : groupKeys_) prepare(g.get(), params);
    for (auto& a : aggs_) prepare(a.arg.get(), params);
    prepare(having_.get(), params);
    for (auto& k : order_) prepare(k.expr.get(), params);
}

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
