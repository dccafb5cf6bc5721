#include "sqlwindow/tabellenbenutzung.h"

#include "engine/core/error.h"
#include "engine/database.h"
#include "engine/sql/statement.h"
#include "engine/sql/tables.h"

#include <optional>

namespace trevo::sqlwindow {

namespace {

// The table whose structure the statement changes, as written; nothing for other statements.
std::optional<std::string> umgebauteTabelle(const std::string& text)
{
    try {
        const engine::sql::Statement st = engine::sql::parseStatement(text);
        if (st.explain) return std::nullopt;
        if (st.kind != engine::sql::StatementKind::AlterAdd && st.kind != engine::sql::StatementKind::Drop)
            return std::nullopt;
        return st.table.name;
    } catch (const engine::EngineError&) {
        return std::nullopt;
    }
}

} // namespace

void strukturaenderungPruefen(engine::Database& db, const std::string& text, const std::string& arbeitsordner)
{
    const auto name = umgebauteTabelle(text);
    if (!name) return;
    std::shared_ptr<engine::DbfTable> tabelle;
    try {
        const std::string pfad = engine::sql::resolveTablePath(db, arbeitsordner, *name, true);
        tabelle = db.table(pfad);
    } catch (const engine::EngineError&) {
        return; // a table that is not there: the engine says so
    }
    // The database keeps one reference, this check another; any further holder is a data
    // set of the program.
    if (tabelle.use_count() > 2)
        throw engine::EngineError("Die Tabelle '" + *name
                                  + "' wird vom Programm benutzt: ihr Aufbau kann hier nicht geändert werden");
}

} // namespace trevo::sqlwindow
