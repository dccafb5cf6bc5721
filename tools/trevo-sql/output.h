#pragma once
// Text output of trevo-sql: a header line of column names, then one line per row,
// values separated by tabs (dates dd.mm.yyyy, numbers with a decimal point, NULL as
// an empty value; tab, line breaks and backslash inside texts as \t, \n, \r and \\).
#include "engine/sql/result.h"

#include <string>

namespace trevo::sqltool {

std::string formatResult(const engine::sql::QueryResult& r);
// Splits standard input into statements at lines that hold only ";".
std::vector<std::string> splitStatements(const std::string& input);
// Whether the statement only reads (SELECT, EXPLAIN): it needs no hold on the folder.
bool onlyReads(const std::string& statement);

} // namespace trevo::sqltool
