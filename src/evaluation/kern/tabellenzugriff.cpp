#include "evaluation/kern/tabellenzugriff.h"

#include "engine/core/error.h"
#include "engine/database.h"
#include "engine/expr/eval.h"
#include "engine/index/table_indexes.h"

#include <cstring>

namespace trevo::evaluation {

Tabellenzugriff::Tabellenzugriff(engine::Database& db, const std::string& pfad) : tabelle_(db.table(pfad)) {}

int Tabellenzugriff::feld(const char* name) const
{
    const int i = tabelle_->fieldIndex(name);
    if (i < 0) throw engine::EngineError("Die Tabelle " + tabelle_->path() + " hat kein Feld " + name);
    return i;
}

engine::TableIndex& Tabellenzugriff::index(const char* feldname)
{
    for (const auto& [name, i] : indexe_)
        if (std::strcmp(name, feldname) == 0) return *i;
    auto& indexes = tabelle_->attachment<engine::TableIndexes>();
    engine::TableIndex& i = *feldname ? indexes.byField(feldname) : indexes.physical();
    indexe_.emplace_back(feldname, &i);
    return i;
}

size_t Tabellenzugriff::groesse(engine::TableIndex& i) { return i.size(); }
uint32_t Tabellenzugriff::satzIn(engine::TableIndex& i, size_t rang) { return i.recordAt(rang); }

bool gleich(const engine::Value& a, const engine::Value& b)
{
    if (a.isNull() || b.isNull()) return false;
    if (a.isNumber() && b.isNumber()) return a.number() == b.number();
    const auto c = engine::expr::compareValues(a, b, true);
    return c && *c == 0;
}

std::optional<double> zahlVon(const engine::Value& v)
{
    if (!v.isNumber()) return std::nullopt;
    return v.number();
}

} // namespace trevo::evaluation
