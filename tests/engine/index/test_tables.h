#pragma once
// Tables in a fresh temporary folder for the index, cursor and data-set tests.
#include "database.h"
#include "dbf/dbf_table.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace trevo::engine::test {

inline FieldDef numField(std::string name, uint8_t len = 10, uint8_t dec = 0) { return {std::move(name), 'N', len, dec}; }
inline FieldDef textField(std::string name, uint8_t len = 20) { return {std::move(name), 'C', len, 0}; }
inline FieldDef dateField(std::string name) { return {std::move(name), 'D', 8, 0}; }
inline FieldDef logicalField(std::string name) { return {std::move(name), 'L', 1, 0}; }
inline FieldDef memoField(std::string name) { return {std::move(name), 'M', 10, 0}; }

inline Value num(double v) { return Value::number(v); }
inline Value txt(std::string v) { return Value::text(std::move(v)); }

class TableFolder {
public:
    TableFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "trevo-ds-XXXXXX").string();
        if (::mkdtemp(pattern.data())) dir_ = pattern;
        db_ = std::make_unique<Database>();
    }
    ~TableFolder()
    {
        db_.reset();
        std::error_code ec;
        if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
    }
    Database& db() { return *db_; }
    Session& session(const std::string& name = "Default") { return db_->session(name); }
    std::string path(const std::string& file) const { return dir_ + "/" + file; }

    // Creates the table and registers it with the database, so data sets share it.
    std::shared_ptr<DbfTable> create(const std::string& file, const std::vector<FieldDef>& fields)
    {
        session().atomically([&] { DbfTable::create(db_->storage(), path(file), fields); });
        return db_->table(path(file));
    }
    uint32_t add(DbfTable& t, const Record& r)
    {
        return session().atomically([&] { return t.append(r); });
    }
    void put(DbfTable& t, uint32_t recno, const Record& r)
    {
        session().atomically([&] { t.put(recno, r); });
    }
    void remove(DbfTable& t, uint32_t recno)
    {
        session().atomically([&] { t.setDeleted(recno, true); });
    }

private:
    std::string dir_;
    std::unique_ptr<Database> db_;
};

} // namespace trevo::engine::test
