#pragma once
// The rows of one evening as the index reading and the whole-folder reading of the
// evaluations hold them: its evening records' price lists, its participant rows with their
// game amounts and item counts, and the item counts stamped with the evening. Values stay
// as the tables hold them, NULL included, so that every join and group behaves as the
// statements do.
#include "engine/core/value.h"

#include <cstdint>
#include <vector>

namespace trevo::evaluation {

struct Abendartikel { // an item of SONSTYPE.DBF
    engine::Value preisliste, gueltig, preis;
    bool mittelwert = false;
};

struct Abendposten { // an item count of SONSTKEG.DBF
    // The section matters only to items flagged MITTELWERT; for others it may be left NULL.
    engine::Value abschnitt, anzahl, keglernr;
    // The items of its TYP; points into the reader's item table, never null.
    const std::vector<Abendartikel>* arten = nullptr;
};

struct Abendspiel { // a game amount of SPIELKEG.DBF
    engine::Value abschnitt, betrag;
};

struct Abendzeile { // a participant row with the amounts and counts that point to it
    engine::Value nummer, kegler, abschnitt;
    std::vector<Abendspiel> spiele;
    std::vector<Abendposten> posten;
};

struct Abenddaten {
    int64_t termin = 0;
    std::vector<engine::Value> preislisten; // one per evening record of the number
    std::vector<Abendzeile> zeilen;
    // Item counts whose TERMIN is the evening (read for every evening at once: only those
    // of items paid by all others, the only ones asked for by evening).
    std::vector<Abendposten> postenDesAbends;
};

} // namespace trevo::evaluation
