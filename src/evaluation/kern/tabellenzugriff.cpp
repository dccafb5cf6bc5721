#include "evaluation/kern/tabellenzugriff.h"

#include "engine/core/error.h"
#include "engine/database.h"
#include "engine/expr/eval.h"
#include "engine/index/table_indexes.h"

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
    auto& indexes = tabelle_->attachment<engine::TableIndexes>();
    return *feldname ? indexes.byField(feldname) : indexes.physical();
}

std::pair<size_t, size_t> Tabellenzugriff::bereich(const char* feldname, double zahl)
{
    engine::TableIndex& i = index(feldname);
    const std::string key = i.keyOf(engine::Value::number(zahl));
    return {i.lowerBound(key), i.upperBound(key)};
}

uint32_t Tabellenzugriff::satzAn(const char* feldname, size_t rang) { return index(feldname).recordAt(rang); }
size_t Tabellenzugriff::groesse(engine::TableIndex& i) { return i.size(); }
uint32_t Tabellenzugriff::satzIn(engine::TableIndex& i, size_t rang) { return i.recordAt(rang); }

bool gleich(const engine::Value& a, const engine::Value& b)
{
    if (a.isNull() || b.isNull()) return false;
    const auto c = engine::expr::compareValues(a, b, true);
    return c && *c == 0;
}

std::optional<double> zahlVon(const engine::Value& v)
{
    if (!v.isNumber()) return std::nullopt;
    return v.number();
}

} // namespace trevo::evaluation
