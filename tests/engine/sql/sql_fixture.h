#pragma once
// A small club in an in-memory file system, and helpers to run statements on it.
#include "engine/database.h"
#include "engine/fs/memory_file_system.h"
#include "engine/sql/result.h"

#include <string>
#include <vector>

namespace trevo::engine::sqltest {

class SqlFixture {
public:
    SqlFixture();

    // A table in the data folder with the given fields and records.
    void table(const std::string& file, const std::vector<FieldDef>& fields, const std::vector<Record>& rows = {});
    void append(const std::string& file, const std::vector<Record>& rows);
    // Runs a statement with the data folder as working folder.
    sql::QueryResult run(const std::string& text);
    // The rows of a SELECT as lines of tab-separated values (numbers with a point,
    // dates dd.mm.yyyy, NULL as "NULL").
    std::vector<std::string> rows(const std::string& text);
    // The German error text of a statement that must fail ("" when it did not fail).
    std::string error(const std::string& text);
    // The full path of a file of the data folder.
    std::string path(const std::string& file) const { return folder + file; }

    MemoryFileSystem fs;
    Database db{fs};
    std::string folder = "/daten/";
};

std::string cell(const Value& v);
std::vector<std::string> lines(const sql::QueryResult& r);

Value N(double v);
Value T(const std::string& v);
Value D(int day, int month, int year);
Value L(bool v);
inline Value Null() { return Value::null(); }

} // namespace trevo::engine::sqltest
