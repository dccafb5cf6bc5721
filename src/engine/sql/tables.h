#pragma once
// Table references of statements: a quoted path or a bare file name, relative names
// taken from the working folder, ".DBF" added to a name without extension, file
// names matched without regard to case.
#include "engine/database.h"
#include "engine/sql/plan.h"

#include <string>

namespace trevo::engine::sql {

// The file path a table reference names; throws SqlError "Datei 'X' nicht gefunden"
// when mustExist and there is no such file.
std::string resolveTablePath(Database& db, const std::string& folder, const std::string& name, bool mustExist);
// Opens the table of a reference (through the database's shared registry).
TableSlot openTable(Database& db, const std::string& folder, const TableRef& ref);
// The file name without folder and extension ("KEGLTERM" for "/data/KEGLTERM.DBF").
std::string tableBaseName(const std::string& name);

} // namespace trevo::engine::sql
