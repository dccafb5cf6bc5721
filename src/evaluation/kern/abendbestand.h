#pragma once
// Every evening of a data folder read at once: one pass over the evening records, the
// participant rows, the game amounts, the item counts and the items, grouped by evening
// into the rows the index reading would find for each (abenddaten.h). Worth it when an
// evaluation asks about many evenings; a period over twenty years reads each table once
// instead of searching it a thousand times.
//
// A read stock belongs to the state of the five tables it was read from: it stays with the
// participant table (an attachment, dropped at any change of it) and is used again while
// none of the five tables changed since, i.e. while each is the same open table with the
// same change count. Otherwise it is read anew.
#include "evaluation/kern/abenddaten.h"

#include <array>
#include <map>
#include <memory>
#include <unordered_map>

namespace trevo::engine {
class DbfTable;
class Storage;
} // namespace trevo::engine

namespace trevo::evaluation {

class Abendbestand {
public:
    struct Tabellen {
        std::shared_ptr<engine::DbfTable> termine, keglterm, spielkeg, sonstkeg, sonstype;
        engine::Storage* storage = nullptr; // the one they were opened from
    };

    // Reads the tables as they are now; they must hold only numbers where read (nurZahlen).
    explicit Abendbestand(const Tabellen& t);

    // Whether every field read of the evenings is a number field, so that it holds only
    // numbers and NULL. A folder whose tables have another type there is not read this way.
    static bool nurZahlen(const Tabellen& t);

    // The stock kept for these tables, if none of them changed since it was read; null otherwise.
    static std::shared_ptr<const Abendbestand> vorhanden(const Tabellen& t);
    // The stock kept for these tables, read anew (and kept) when there is none or a table changed.
    static std::shared_ptr<const Abendbestand> gelesen(const Tabellen& t);
    // Forgets the stock kept with the participant table.
    static void verwerfen(engine::DbfTable& keglterm);

    // Whether the tables are still those it was read from, unchanged.
    bool aktuell(const Tabellen& t) const;
    // The rows of the evening of that number; none for an evening without any.
    const Abenddaten& abend(int64_t termin) const;

private:
    struct Stand {
        std::weak_ptr<engine::DbfTable> tabelle;
        uint64_t aenderungen = 0;
    };
    // Numbers as keys: NUMMER values are mostly whole numbers in a row.
    struct Zahlhash {
        size_t operator()(double d) const;
    };
    template <class T>
    using NachZahl = std::unordered_map<double, T, Zahlhash>;

    std::array<Stand, 5> stand_;
    std::map<double, std::vector<Abendartikel>> artikel_; // items by NUMMER
    NachZahl<Abenddaten> abende_;                         // by evening number
};

} // namespace trevo::evaluation
