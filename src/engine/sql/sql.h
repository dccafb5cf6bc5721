#pragma once
// The local SQL dialect: statements as the program builds them, run against the
// table files of a database.
//
//   QueryResult r = sql::execute(db, db.session(), text, dataFolder);
//
// A SELECT gives its rows; every other statement the number of records it changed.
// Each statement is atomic: it runs inside Session::atomically, so outside a
// transaction it is committed durably or not at all, and inside the session's
// transaction it belongs to that transaction. "EXPLAIN <statement>" gives the plan.
#include "engine/database.h"
#include "engine/sql/result.h"

#include <string>
#include <string_view>

namespace trevo::engine::sql {

// Throws EngineError (expr::SqlError for faults of the statement) with a German text.
// A text longer than kMaxStatementBytes is refused before it is read. A statement ends
// with Interrupted when an interrupt is requested (core/interrupt.h) and with
// OutOfMemory (sql/budget.h) when what it builds up passes its budget; both leave the
// tables as they were.
QueryResult execute(Database& db, Session& session, std::string_view text, const std::string& workingFolder);

constexpr size_t kMaxStatementBytes = size_t{1} << 20;

// A value pasted into a statement text as a string literal: the quote character around
// it and every quote character inside doubled, so a name like O"Brien or a search text
// with a quote stays one literal and cannot change the statement. It is always a
// literal, never a column: a value that could be written as a bare name ("VORNAME",
// which a lone double-quoted text would name when the table has such a column) is put
// in single quotes whatever quote was asked for. After FROM it names the table's file.
std::string quoted(std::string_view value, char quote = '"');

// Prepared statements are kept by their text (literal values aside); tests clear them.
void clearStatementCache();
size_t statementCacheSize();

} // namespace trevo::engine::sql
