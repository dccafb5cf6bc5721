#include "engine/sql/prepared.h"

#include "engine/core/interrupt.h"
#include "engine/expr/bind.h"
#include "engine/expr/error.h"
#include "engine/expr/eval.h"
#include "engine/sql/budget.h"
#include "engine/sql/tables.h"

#include <algorithm>

namespace trevo::engine::sql {

using expr::SqlError;

Value valueForField(const Value& v, const FieldDef& field)
{
    if (v.isNull()) return v;
    const ValueType want = expr::valueTypeOf(field.type);
    auto r = expr::convertValue(v, want);
    if (r) return std::move(*r);
    const char* what = want == ValueType::Date ? "kein gültiges Datum"
                       : want == ValueType::Number ? "keine gültige Zahl"
                                                   : "kein gültiger Wahrheitswert";
    throw ValueError("'" + v.toText() + "' ist " + what + " für das Feld '" + field.name + "'");
}

PreparedStatement::PreparedStatement(Database& db, const std::string& folder, Statement st)
    : kind_(st.kind), explain_(st.explain), folder_(folder), table_(std::move(st.table))
{
    switch (kind_) {
    case StatementKind::Select: query_ = std::make_unique<PreparedQuery>(db, folder, std::move(st.select)); break;
    case StatementKind::Delete:
    case StatementKind::Update: {
        SelectStmt search;
        search.from.push_back(TableRef{table_.name, table_.alias, JoinKind::Comma, nullptr, table_.line});
        search.where = std::move(st.where);
        query_ = std::make_unique<PreparedQuery>(db, folder, std::move(search));
        target_ = query_->slots()[0].table;
        targetHandle_ = query_->slots()[0].handle;
        targetFields_ = target_->fields();
        path_ = query_->slots()[0].path;
        if (kind_ == StatementKind::Update) {
            expr::Scope scope;
            scope.tables.push_back({query_->slots()[0].name, &query_->slots()[0].fields});
            for (auto& [name, e] : st.assignments) {
                const int f = target_->fieldIndex(name);
                if (f < 0) throw SqlError("Unbekannte Spalte '" + name + "' in Zeile " + std::to_string(e->line));
                expr::bind(e, scope);
                assignments_.emplace_back(f, std::move(e));
            }
        }
        break;
    }
    case StatementKind::Insert: {
        openTarget(db, folder);
        if (st.columns.empty()) {
            for (size_t f = 0; f < targetFields_.size(); ++f) insertFields_.push_back(static_cast<int>(f));
        } else {
            for (const auto& c : st.columns) {
                const int f = target_->fieldIndex(c);
                if (f < 0) throw SqlError("Unbekannte Spalte '" + c + "' in Zeile " + std::to_string(table_.line));
                insertFields_.push_back(f);
            }
        }
        if (st.insertSelect) {
            query_ = std::make_unique<PreparedQuery>(db, folder, std::move(st.select));
            if (query_->columns().size() != insertFields_.size())
                throw SqlError("Die Abfrage liefert " + std::to_string(query_->columns().size()) + " Spalten, erwartet " +
                               std::to_string(insertFields_.size()));
        } else {
            expr::Scope none;
            for (auto& row : st.values) {
                if (row.size() != insertFields_.size())
                    throw SqlError("Anzahl der Werte (" + std::to_string(row.size()) + ") passt nicht zur Anzahl der Spalten (" +
                                   std::to_string(insertFields_.size()) + ") in Zeile " + std::to_string(row[0]->line));
                for (auto& e : row) expr::bind(e, none);
                values_.push_back(std::move(row));
            }
        }
        break;
    }
    case StatementKind::AlterAdd:
    case StatementKind::Drop: openTarget(db, folder); [[fallthrough]];
    case StatementKind::Create: columnDefs_ = std::move(st.columnDefs); break;
    }
    bindParams(nullptr);
}

void PreparedStatement::openTarget(Database& db, const std::string& folder)
{
    path_ = resolveTablePath(db, folder, table_.name, true);
    auto t = db.table(path_);
    target_ = t.get();
    targetHandle_ = t;
    targetFields_ = target_->fields();
}

bool PreparedStatement::cacheable() const
{
    return kind_ == StatementKind::Select || kind_ == StatementKind::Delete || kind_ == StatementKind::Update ||
           kind_ == StatementKind::Insert;
}

bool PreparedStatement::valid(Database& db) const
{
    if (query_ && !query_->valid(db)) return false;
    if (target_) {
        if (targetHandle_.expired()) return false;
        auto t = db.table(path_);
        if (t != targetHandle_.lock() || t->fields() != targetFields_) return false;
    }
    return true;
}

void PreparedStatement::bindParams(const expr::Params* params)
{
    if (query_) query_->bindParams(params);
    for (auto& [f, e] : assignments_) expr::prepareConstants(*e, params);
    for (auto& row : values_)
        for (auto& e : row) expr::prepareConstants(*e, params);
}

QueryResult PreparedStatement::execute(Database& db, Session& session)
{
    if (explain_) return explain();
    QueryResult r;
    switch (kind_) {
    case StatementKind::Select: r = select(); break;
    case StatementKind::Delete: r = remove(session); break;
    case StatementKind::Update: r = update(session); break;
    case StatementKind::Insert: r = insert(session); break;
    case StatementKind::AlterAdd: return alter(db, session);
    case StatementKind::Create: return create(db, session);
    case StatementKind::Drop: return drop(db, session);
    }
    if (query_) r.notices = damageNotices(query_->slots());
    return r;
}

std::vector<std::string> damageNotices(const std::vector<TableSlot>& slots)
{
    std::vector<std::string> out;
    for (const TableSlot& s : slots) {
        const std::vector<std::string> damage = s.table->damage();
        if (damage.empty()) continue;
        std::string text = "Die Tabelle '" + fileNameOf(s.path) + "' ist beschädigt und nur zum Lesen geöffnet:";
        for (size_t i = 0; i < damage.size(); ++i) text += (i ? "; " : " ") + damage[i];
        if (std::find(out.begin(), out.end(), text) == out.end()) out.push_back(std::move(text));
    }
    return out;
}

QueryResult PreparedStatement::select() { return query_->run(); }

QueryResult PreparedStatement::explain() const
{
    QueryResult r;
    r.columns.push_back(FieldDef{"PLAN", 'C', 254, 0});
    r.plan = query_ ? query_->explain() : "Änderung der Tabellenstruktur von " + table_.name + "\n";
    size_t start = 0;
    while (start < r.plan.size()) {
        size_t end = r.plan.find('\n', start);
        if (end == std::string::npos) end = r.plan.size();
        r.rows.push_back({Value::text(r.plan.substr(start, end - start))});
        start = end + 1;
    }
    return r;
}

QueryResult PreparedStatement::remove(Session& session)
{
    const std::vector<uint32_t> recnos = query_->matchingRecords();
    checkInterrupt();
    session.atomically([&] {
        for (uint32_t r : recnos) target_->setDeleted(r, true);
    });
    QueryResult res;
    res.affected = static_cast<int64_t>(recnos.size());
    return res;
}

QueryResult PreparedStatement::update(Session& session)
{
    const std::vector<uint32_t> recnos = query_->matchingRecords();
    // Every new record is computed from the old values and checked before anything is written.
    std::vector<Record> changed;
    changed.reserve(recnos.size());
    for (uint32_t r : recnos) {
        if ((changed.size() & 0x3FF) == 0) checkInterrupt();
        const Record old = target_->getRecord(r);
        Record rec = old;
        const Record* rows[1] = {&old};
        expr::EvalContext ctx;
        ctx.rows = rows;
        for (const auto& [f, e] : assignments_) {
            rec[f] = valueForField(expr::evaluate(*e, ctx), targetFields_[f]);
            target_->validate(f, rec[f]);
        }
        MemoryBudget::charge(bytesOf(rec));
        changed.push_back(std::move(rec));
    }
    checkInterrupt();
    session.atomically([&] {
        for (size_t i = 0; i < recnos.size(); ++i) target_->put(recnos[i], changed[i]);
    });
    QueryResult res;
    res.affected = static_cast<int64_t>(recnos.size());
    return res;
}

QueryResult PreparedStatement::insert(Session& session)
{
    std::vector<Record> rows;
    auto addRow = [&](const std::vector<Value>& values) {
        Record rec(targetFields_.size());
        for (size_t i = 0; i < insertFields_.size(); ++i) {
            const int f = insertFields_[i];
            rec[f] = valueForField(values[i], targetFields_[f]);
            target_->validate(f, rec[f]);
        }
        MemoryBudget::charge(bytesOf(rec));
        rows.push_back(std::move(rec));
    };
    if (query_) {
        for (const auto& r : query_->run().rows) addRow(r);
    } else {
        expr::EvalContext none;
        for (const auto& row : values_) {
            std::vector<Value> vals;
            for (const auto& e : row) vals.push_back(expr::evaluate(*e, none));
            addRow(vals);
        }
    }
    checkInterrupt();
    session.atomically([&] {
        for (const auto& r : rows) target_->append(r);
    });
    QueryResult res;
    res.affected = static_cast<int64_t>(rows.size());
    return res;
}

} // namespace trevo::engine::sql
