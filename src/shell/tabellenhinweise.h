#pragma once
// Tells the user once, after the tables were opened, what was noticed about their files
// (damaged or write-protected tables, files other programs left beside them).
#include "engine/database.h"

#include <string>
#include <vector>

namespace trevo::data {
class TKeDataForm;
}

namespace trevo::shell {

// One warning box with every finding; nothing when there is none. Returns whether it showed.
bool TabellenhinweiseZeigen(const std::vector<std::string>& hinweise);
bool TabellenhinweiseZeigen(data::TKeDataForm& modul, engine::Database& db);

} // namespace trevo::shell
