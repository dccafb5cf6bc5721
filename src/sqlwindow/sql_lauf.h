#pragma once
// One run of a statement of the SQL window against the table files: the engine's result,
// how long it took, and the German line the window's status bar shows about it.
//
// The engine runs every statement atomically: a statement that changes tables changes
// all the records it names or, when it fails, none.
#include "engine/sql/result.h"

#include <QString>

#include <chrono>
#include <cstdint>
#include <string>

namespace trevo::engine {
class Database;
class Session;
} // namespace trevo::engine

namespace trevo::sqlwindow {

using Dauer = std::chrono::steady_clock::duration;

struct SqlLauf {
    engine::sql::QueryResult ergebnis;
    Dauer dauer{};
    // The engine's notices about the statement (a table it read is damaged), one a line.
    QString hinweise;
    // A statement with rows (SELECT, EXPLAIN); the others tell how many records they changed.
    bool mitZeilen() const { return ergebnis.affected < 0; }
};

// Table names of the statement that are no full paths are taken from the working folder.
// A change of the structure of a table the program holds open is refused (tabellenbenutzung.h).
SqlLauf sqlAusfuehren(engine::Database& db, engine::Session& session, const std::string& text,
                      const std::string& arbeitsordner);

// "keine Zeilen", "1 Zeile", "1.234 Zeilen".
QString zeilenText(int64_t anzahl);
// "kein Datensatz geändert", "1 Datensatz geändert", "3 Datensätze geändert".
QString geaendertText(int64_t anzahl);
// "unter 1 ms", "12 ms" below a second, else "1,25 s".
QString dauerText(Dauer dauer);

// The status line after a run: rows shown ("15 Zeilen in 12 ms"), records changed, or a
// query run by "SQL-Befehl" whose rows are not shown; the notices follow on the same line.
QString statuszeile(const SqlLauf& lauf, bool zeilenGezeigt);

} // namespace trevo::sqlwindow
