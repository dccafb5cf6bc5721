#pragma once
// Reading a table of the data folder record by record: its fields by name and the records
// whose field equals a number, found through the table's index of that field (built in
// memory on first use and kept up to date by the engine).
#include "engine/core/value.h"
#include "engine/dbf/dbf_table.h"
#include "engine/index/table_index.h"

#include <memory>
#include <string>
#include <optional>
#include <vector>

namespace trevo::engine {
class Database;
} // namespace trevo::engine

namespace trevo::evaluation {

class Tabellenzugriff {
public:
    Tabellenzugriff(engine::Database& db, const std::string& pfad);

    engine::DbfTable& tabelle() { return *tabelle_; }
    const std::shared_ptr<engine::DbfTable>& geteilt() const { return tabelle_; }
    // The field's position; EngineError naming table and field when it is missing.
    int feld(const char* name) const;
    engine::Value wert(uint32_t satz, int feld) const { return tabelle_->get(satz, feld); }

    // Calls f(recno) for every live record whose field equals the number, in index order.
    template <class F>
    void jederMit(const char* feldname, double zahl, F&& f)
    {
        const engine::TableIndex& i = index(feldname);
        const std::string key = i.keyOf(engine::Value::number(zahl));
        auto [rang, eintrag] = i.lowerBoundEntry(key);
        while (eintrag && eintrag->key == key) {
            f(eintrag->recno);
            eintrag = ++rang < i.size() ? &i.entryAt(rang) : nullptr;
        }
    }
    // Calls f(recno) for every live record in the order of the field (physical order for "").
    template <class F>
    void jeder(const char* feldname, F&& f)
    {
        engine::TableIndex& i = index(feldname);
        for (size_t r = 0, n = groesse(i); r < n; ++r) f(satzIn(i, r));
    }

private:
    // The index of the field, found once per field name (names are literals of the caller).
    engine::TableIndex& index(const char* feldname);
    static size_t groesse(engine::TableIndex& i);
    static uint32_t satzIn(engine::TableIndex& i, size_t rang);

    std::shared_ptr<engine::DbfTable> tabelle_;
    std::vector<std::pair<const char*, engine::TableIndex*>> indexe_;
};

// SQL equality of two values: both not NULL and equal.
bool gleich(const engine::Value& a, const engine::Value& b);
// The value as a number for an index search; nullopt for NULL and non-numbers.
std::optional<double> zahlVon(const engine::Value& v);

} // namespace trevo::evaluation
