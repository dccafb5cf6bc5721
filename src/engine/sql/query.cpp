// Preparing a SELECT: opening its tables, binding the select list, the conditions,
// the grouping and the order, and rewriting aggregate queries to work on groups.
// Running the prepared query is in query_run.cpp.
#include "engine/sql/query.h"

#include "engine/expr/bind.h"
#include "engine/expr/error.h"
#include "engine/sql/conditions.h"
#include "engine/sql/output.h"
#include "engine/sql/tables.h"

#include <algorithm>

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

} // namespace trevo::engine::sql
