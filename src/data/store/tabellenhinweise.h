#pragma once
// What was noticed when the tables of the data folder were opened: tables read only because
// they are damaged or write-protected, memo and code-page files that other programs left
// beside a table, journals applied in memory only. German texts, one per finding.
#include "engine/database.h"

#include <string>
#include <vector>

namespace trevo::data {

class TKeDataForm;

// The findings of the tables (each table once, however many data sets share it) followed
// by the storage's notices.
std::vector<std::string> tabellenHinweise(const std::vector<const engine::DbfTable*>& tabellen,
                                          const std::vector<std::string>& speicherHinweise);

// The same for the open tables of the data module.
std::vector<std::string> tabellenHinweise(TKeDataForm& modul, engine::Database& db);

} // namespace trevo::data
