#pragma once
// The data sets of the data module over the tables of one data folder, with their files,
// sessions, orders, master links, filters, labels, display formats and derived fields.
// The event rules are installed by the data module (regeln.cpp).
#include "engine/database.h"
#include "engine/dataset/query_data_set.h"
#include "engine/dataset/table_data_set.h"

#include <string>
#include <vector>

namespace trevo::data {

// Names of the three sessions besides the default session.
inline constexpr const char* kTerminsession = "Terminsession1";
inline constexpr const char* kSonstigeSession = "SonstigeSession";
inline constexpr const char* kKontoSession = "KontoSession";

struct Datenmengen {
    Datenmengen(engine::Database& db, const std::string& ordner);
    Datenmengen(const Datenmengen&) = delete;
    Datenmengen& operator=(const Datenmengen&) = delete;

    const std::string ordner; // ends in a separator

    // The evening transaction.
    engine::TableDataSet TerminTable1, TerminlookupTable1;
    engine::TableDataSet KeglerTerminTable1, KeglerTerminlookupTable1;
    engine::QueryDataSet KeglerProTerminQuery;
    engine::TableDataSet KeglernamenTable1, KeglernamenlookupTable1, KeglerTable1;
    engine::TableDataSet SpieleKeglerTable1, SpieleKeglerlookupTable1;
    engine::TableDataSet SonstigeKeglerTable1, SonstigeKeglerlookupTable1;
    // The price-list transaction.
    engine::TableDataSet SonstigeMainTable1, SonstigeTable1, SonstigeLookupTable1;
    // Master data.
    engine::TableDataSet SpielartenTable1, SpielartenlookupTable1;
    engine::TableDataSet FunktionsTable1, FunktionslookupTable1;
    engine::TableDataSet TerminplanTable1, TerminplanlookupTable1;
    engine::TableDataSet TermintypTable1, TermintypTable2;
    engine::TableDataSet WaehrungsTable1;
    // The cash book.
    engine::TableDataSet KontoTable1, KontolookupTable1, KontodefTable1;
    // The account whose balance the booking rules change, found by its KONTONR whichever
    // cursor the booking was made through.
    engine::TableDataSet KontostandTable;
    // Results of the evaluation.
    engine::TableDataSet AuswertungsTable1, WerteTable1;
    // Queries.
    engine::QueryDataSet Query1, SpielerProAbschnittQuery1;

    // The table data sets in the order in which they are opened (KontostandTable last).
    std::vector<engine::TableDataSet*> tabellen;
    // Every data set by its name.
    std::vector<engine::DataSet*> alle;

    std::string pfad(const char* datei) const { return ordner + datei; }
};

} // namespace trevo::data
