#pragma once
// The rows the evaluations read, one operation per statement of abfragetexte.h. Two
// sources give the same rows: SqlDaten runs the statements through the SQL engine as they
// are written; DirektDaten reads the same rows through the tables' indexes, which is what
// the evaluations use (the tests compare both over generated clubs).
//
// Rows come in the order the SQL engine returns them: grouped rows by their group key
// ascending with NULL first, ties of Q9 by bowler number and name.
#include "evaluation/kern/betrag.h"

#include <optional>
#include <string>
#include <vector>

namespace trevo::evaluation {

struct Abschnittsanzahl { // Q3
    engine::Value abschnitt;
    int64_t anzahl = 0;
    friend bool operator==(const Abschnittsanzahl&, const Abschnittsanzahl&) = default;
};

struct Abschnittssumme { // Q4 SUMME, Q5 GESBETRAG; nullopt for a NULL sum
    engine::Value abschnitt;
    std::optional<Cent> summe;
    friend bool operator==(const Abschnittssumme&, const Abschnittssumme&) = default;
};

struct Periodentermin { // Q8
    engine::Value nummer, datum, preisliste, beitrag;
    friend bool operator==(const Periodentermin&, const Periodentermin&) = default;
};

struct Rangzeile { // Q9
    engine::Value summe, kegler;
    std::string name;
    friend bool operator==(const Rangzeile&, const Rangzeile&) = default;
};

class Auswertungsdaten {
public:
    virtual ~Auswertungsdaten() = default;

    // Q1: KEGLER of each row.
    virtual std::vector<engine::Value> teilnehmer(int64_t termin) = 0;
    // Q2: whether the result has a row.
    virtual bool teilgenommen(int64_t termin, int64_t kegler, int64_t abschnitt) = 0;
    virtual std::vector<Abschnittsanzahl> teilnehmerProAbschnitt(int64_t termin) = 0; // Q3
    virtual std::vector<Abschnittssumme> spielSummen(int64_t termin) = 0;             // Q4
    virtual std::vector<Abschnittssumme> sonstigeSummen(int64_t termin) = 0;          // Q5
    // Q6: SUMME of each row (nullopt for NULL).
    virtual std::vector<std::optional<Cent>> spiele(int64_t termin, int64_t kegler) = 0;
    // Q7: SUMME of the one row (a NULL sum as 0); nullopt without a row.
    virtual std::optional<Cent> sonstiges(int64_t termin, int64_t kegler) = 0;
    virtual std::vector<Periodentermin> termine(const std::string& von, const std::string& bis) = 0; // Q8
    virtual std::vector<Rangzeile> rangfolge(const std::string& von, const std::string& bis,
                                             int64_t sonstiges) = 0; // Q9
};

} // namespace trevo::evaluation
