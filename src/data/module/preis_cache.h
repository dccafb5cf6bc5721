#pragma once
// The unit prices of an evening's price list for the calculated item amounts (Betrag of
// SonstigeKeglerTable1), which grids work out for every painted row. One statement reads
// the evening's whole price list; it is read again only when another evening asks, or
// when the item file (SONSTYPE.DBF) or the evening file (TERMINE.DBF) changed since -
// through any data set, statement or rollback, as the tables' change counters tell.
// The prices agree with TKeDataForm::Einzelpreis, which asks the same tables.
#include "engine/database.h"
#include "engine/sql/result.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace trevo::data {

class PreisCache {
public:
    // Runs a SELECT over the table files of the data folder.
    using Abfrage = std::function<engine::sql::QueryResult(const std::string& anweisung)>;

    PreisCache(engine::Database& db, std::string ordner, Abfrage abfrage);

    // The unit price of the item (its NUMMER as text) in the price list of the evening;
    // 0 when either is empty or the item is not in that list. ValueError for a text that
    // is no number.
    double einzelpreis(const std::string& sonstiges, const std::string& termin);
    // How often a price list was read.
    int fuellungen() const { return fuellungen_; }

private:
    // A table as it was when the list was read.
    struct Stand {
        std::weak_ptr<engine::DbfTable> tabelle;
        uint64_t aenderungen = 0;
    };
    bool aktuell(double termin) const;
    void fuellen(double termin);
    Stand stand(const char* datei);

    engine::Database& db_;
    const std::string ordner_;
    Abfrage abfrage_;
    std::optional<double> termin_;
    std::vector<Stand> staende_;
    std::map<double, double> preise_; // item number -> unit price
    int fuellungen_ = 0;
};

} // namespace trevo::data
