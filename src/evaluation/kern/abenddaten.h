#pragma once
// The rows of one evening as the index reading and the whole-folder reading of the
// evaluations hold them: its evening records' price lists, its participant rows with their
// game amounts and item counts, and the item counts stamped with the evening. Values stay
// as the tables hold them, NULL included, so that every join and group behaves as the
// statements do.
//
// Every field read is a number field (Abendbestand::nurZahlen), so a value is a number or
// NULL and is kept as a Zahl. The games and counts of all rows of an evening stand in one
// array each, every row's in one run of it, so that a stock of every evening of a folder
// stays small.
#include "engine/core/error.h"
#include "engine/core/value.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

namespace trevo::evaluation {

// The value of a number field: a number or NULL. A number field never holds NaN (it is
// neither read from nor written to one), so NaN stands for NULL.
class Zahl {
public:
    Zahl() = default; // NULL
    explicit Zahl(double d) : w_(d) {}
    // EngineError for a value that is neither a number nor NULL.
    static Zahl von(const engine::Value& v)
    {
        if (v.isNumber()) return Zahl(v.number());
        if (!v.isNull()) throw engine::EngineError("Zahl erwartet: " + v.toText());
        return {};
    }
    bool isNull() const { return std::isnan(w_); }
    double number() const { return w_; } // only when not NULL
    engine::Value wert() const { return isNull() ? engine::Value() : engine::Value::number(w_); }
    // SQL equality: both not NULL and equal.
    bool gleich(Zahl z) const { return w_ == z.w_; }
    bool ist(double d) const { return w_ == d; }

private:
    double w_ = std::numeric_limits<double>::quiet_NaN();
};

struct Abendartikel { // an item of SONSTYPE.DBF
    Zahl preisliste, gueltig, preis;
    bool mittelwert = false;
};

struct Abendposten { // an item count of SONSTKEG.DBF
    // The section matters only to items flagged MITTELWERT; for others it may be left NULL.
    Zahl abschnitt, anzahl;
    // The items of its TYP; points into the reader's item table, never null.
    const std::vector<Abendartikel>* arten = nullptr;
};

struct Abendumlage { // an item count stamped with the evening, and whose it is
    Abendposten posten;
    Zahl keglernr;
};

struct Abendspiel { // a game amount of SPIELKEG.DBF
    Zahl abschnitt, betrag;
};

struct Abendzeile { // a participant row; its amounts and counts by position in the evening's arrays
    Zahl nummer, kegler, abschnitt;
    uint32_t spieleVon = 0, spieleBis = 0, postenVon = 0, postenBis = 0;
};

struct Abenddaten {
    int64_t termin = 0;
    std::vector<Zahl> preislisten; // one per evening record of the number
    std::vector<Abendzeile> zeilen;
    std::vector<Abendspiel> spiele;  // of every row, each row's in one run
    std::vector<Abendposten> posten; // of every row, each row's in one run
    // Item counts whose TERMIN is the evening (read for every evening at once: only those
    // of items paid by all others, the only ones asked for by evening).
    std::vector<Abendumlage> postenDesAbends;

    std::span<const Abendspiel> spieleVon(const Abendzeile& z) const
    {
        return std::span<const Abendspiel>(spiele).subspan(z.spieleVon, z.spieleBis - z.spieleVon);
    }
    std::span<const Abendposten> postenVon(const Abendzeile& z) const
    {
        return std::span<const Abendposten>(posten).subspan(z.postenVon, z.postenBis - z.postenVon);
    }
};

} // namespace trevo::evaluation
