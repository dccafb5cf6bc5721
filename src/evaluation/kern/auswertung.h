#pragma once
// The three evaluations over the tables of a data folder, writing AUSWERTU.DBF and
// WERTETAB.DBF: what every bowler owes for an evening (AuswertungTermin), one bowler
// evening by evening over a period (AuswertungZeitraum), and the bowlers ranked by how
// many pieces of an item they took (AuswertungRangfolge). The window and the command-line
// tool both call these; neither computes anything of its own.
//
// An error ends a computation with an exception carrying the German text; the rows
// appended until then stay in the result tables, and the result object holds what was
// known when it happened (the ranking's item name, for the title).
#include "engine/core/error.h"
#include "evaluation/kern/auswertungsdaten.h"

#include <memory>
#include <string>

namespace trevo::engine {
class Database;
class Session;
} // namespace trevo::engine

namespace trevo::evaluation {

class Nachschlagen;

struct Auswertungsoptionen {
    Rundung rundung;
    int zahlweise = 1; // 1 "pro Kegeltermin": the evening's fee is charged
};

// "Keine Termine in diesem Zeitraum gefunden": the period holds no evening.
class KeineTermine : public engine::EngineError {
public:
    KeineTermine() : engine::EngineError("Keine Termine in diesem Zeitraum gefunden") {}
};

struct Terminergebnis {
    int64_t termin = 0;
    std::string datum;    // the evening's date, "dd.mm.yyyy"
    int64_t waehrung = 0; // currency number of the evening's price list
    std::string kuerzel;
    Cent gesamtbetrag = 0; // the sum of SUMME over the rows
    bool fertig = false;   // computed to the end
};

struct Zeitraumergebnis {
    std::string name; // the bowler's name
    int64_t mitgliedsnummer = 0;
    int64_t kegler = 0; // his NUMMER, 0 when no bowler has the member number
    std::string kuerzel;
    Cent gesamtbetrag = 0;
    size_t termine = 0;
    bool begonnen = false; // the period held evenings and the computation began
    bool fertig = false;
};

struct Rangergebnis {
    std::string bezeichnung; // the item's name
    size_t zeilen = 0;
    bool fertig = false;
};

class Auswertung {
public:
    // daten: where the rows come from; null reads them through the indexes (DirektDaten).
    Auswertung(engine::Database& db, engine::Session& session, std::string ordner, Auswertungsoptionen optionen,
               std::shared_ptr<Auswertungsdaten> daten = nullptr);
    ~Auswertung();

    // Empties both result tables.
    void ergebnisseLeeren();
    // The evening of that NUMMER (as text).
    void AuswertungTermin(const std::string& termin, Terminergebnis& ergebnis);
    // The bowler of member number m over the evenings dated von to bis.
    void AuswertungZeitraum(const std::string& von, const std::string& bis, int64_t m, Zeitraumergebnis& ergebnis);
    // The bowlers by their summed count of item t over the period.
    void AuswertungRangfolge(const std::string& von, const std::string& bis, int64_t t, Rangergebnis& ergebnis);

    Auswertungsdaten& daten() { return *daten_; }

private:
    template <class F>
    void schreibend(F&& f);

    engine::Database& db_;
    engine::Session& session_;
    std::string ordner_;
    Auswertungsoptionen optionen_;
    std::shared_ptr<Auswertungsdaten> daten_;
    std::unique_ptr<Nachschlagen> nachschlagen_;
};

} // namespace trevo::evaluation
