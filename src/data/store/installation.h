#pragma once
// What an installation provides: a data folder with the sixteen tables and their
// starting contents, and a program folder with KEGELCFG.DB. Existing files are never
// overwritten.
#include "engine/database.h"

#include <cstdint>
#include <string>
#include <vector>

namespace trevo::data {

struct SetupReport {
    std::vector<std::string> created;   // file names
    std::vector<std::string> unchanged; // file names that were already there
    bool changedAnything() const { return !created.empty(); }
    // German lines for the user: "Datei 'X' angelegt", "Datei 'X' ist schon vorhanden, nichts geändert".
    std::vector<std::string> lines() const;
};

// Creates the tables missing from the folder (created when missing), each with its
// starting contents: currency 1 "Euro" "EUR" factor 1, the club's account 1 in
// currency 1 from 01.01.1990 with balance 0, and price list 1 in currency 1 dated
// `today` (a day number). A table whose .DBF or memo file exists is left alone.
// All tables are created in one atomic change.
SetupReport installDataFolder(engine::Database& db, const std::string& folder, int32_t today);

// Creates KEGELCFG.DB with the record "Standard-Konfiguration" holding the default
// options, unless a file of that table exists.
SetupReport installProgramFolder(engine::Database& db, const std::string& folder);

// The starting records of a table of a new data folder (empty for most tables).
std::vector<engine::Record> startingRecords(const std::string& tableFileName, int32_t today);

// The existing file of the folder with that name (matched without regard to case), or "".
std::string existingFile(engine::FileSystem& fs, const std::string& folder, const std::string& name);

// Makes sure the folder exists; throws engine::IoError with a German text otherwise.
void ensureFolder(engine::FileSystem& fs, const std::string& folder);

} // namespace trevo::data
