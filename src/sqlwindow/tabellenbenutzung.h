#pragma once
// A statement that rebuilds or removes a table (ALTER TABLE, DROP TABLE) must not reach a
// table the program holds open: the data module's data sets would go on writing into the
// table object of the old file, and what they store would be lost. Such a statement is
// refused, the way a table in use is refused a change of its structure.
#include <string>

namespace trevo::engine {
class Database;
}

namespace trevo::sqlwindow {

// Throws EngineError naming the table when the statement changes the structure of a table
// that something besides the database holds open. Statements that do not parse are left to
// the engine, which reports their fault.
void strukturaenderungPruefen(engine::Database& db, const std::string& text, const std::string& arbeitsordner);

} // namespace trevo::sqlwindow
