#pragma once
// A complete demo club in a new data folder: members and guests with German names,
// offices, appointment types, a schedule, game types, price lists with penalty items,
// drinks and the lane fee, evenings with their game sections, participants, game
// amounts and item counts, and the cash book. The same options give the same club.
#include "engine/database.h"
#include "data/store/installation.h"

#include <cstdint>
#include <map>
#include <string>

namespace trevo::data {

struct DemoOptions {
    int years = 2;      // of evenings, ending with lastYear
    int bowlers = 18;   // about three quarters members, the rest guests
    uint64_t seed = 1;
    int lastYear = 2024;
};

struct DemoResult {
    SetupReport report;                      // nothing created when a table file exists
    std::map<std::string, size_t> rowCounts; // per table file name
};

// Throws engine::ValueError for options out of range (years 1..50, bowlers 2..500).
DemoResult createDemoClub(engine::Database& db, const std::string& folder, const DemoOptions& options);

} // namespace trevo::data
