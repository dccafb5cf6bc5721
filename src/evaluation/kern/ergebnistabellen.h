#pragma once
// The two result tables of the evaluations: AUSWERTU.DBF, one row per bowler or evening in
// the order of computation, and WERTETAB.DBF, the named values the report layouts read.
// Changes go straight into the files inside the caller's atomic scope; the data sets of
// the data module over the same files follow them.
#include "engine/core/value.h"

#include <memory>
#include <string>

namespace trevo::engine {
class Database;
class DbfTable;
} // namespace trevo::engine

namespace trevo::evaluation {

class Ergebnistabellen {
public:
    Ergebnistabellen(engine::Database& db, const std::string& ordner);

    // Removes every row of both tables.
    void leeren();
    // Appends a result row. The member number is written into the numeric NUMMER: empty
    // gives NULL, a text that is no number ends with "'x' ist kein gültiger
    // Fließkommawert für Feld 'Mitgliedsnummer'".
    void zeile(const std::string& name, const std::string& mitgliedsnummer, const engine::Value& spiele,
               const engine::Value& sonstiges, const engine::Value& beitrag, const engine::Value& summe);
    // The same with the number as a value (the ranking's bowler number).
    void zeile(const std::string& name, const engine::Value& nummer, const engine::Value& spiele,
               const engine::Value& sonstiges, const engine::Value& beitrag, const engine::Value& summe);
    // Appends a named value, numbered next.
    void wert(const std::string& bezeichnung, const std::string& wert);

    size_t zeilen() const { return zeilen_; }

private:
    std::shared_ptr<engine::DbfTable> auswertung_, werte_;
    size_t zeilen_ = 0, werteZeilen_ = 0;
};

} // namespace trevo::evaluation
