#pragma once
// Tables in a fresh temporary folder for the index, cursor and data-set tests.
#include "engine/database.h"
#include "engine/dbf/dbf_table.h"
#include "engine/fs/memory_file_system.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace trevo::engine::test {

inline FieldDef numField(std::string name, uint8_t len = 10, uint8_t dec = 0) { return {std::move(name), 'N', len, dec}; }
inline FieldDef textField(std::string name, uint8_t len = 20) { return {std::move(name), 'C', len, 0}; }
inline FieldDef dateField(std::string name) { return {std::move(name), 'D', 8, 0}; }
inline FieldDef logicalField(std::string name) { return {std::move(name), 'L', 1, 0}; }
inline FieldDef memoField(std::string name) { return {std::move(name), 'M', 10, 0}; }

inline Value num(double v) { return Value::number(v); }
inline Value txt(std::string v) { return Value::text(std::move(v)); }

// A data folder on a file system in memory.
class TableFolder {
public:
    TableFolder()
    {
        fs_.makeDirectory(dir_);
        db_ = std::make_unique<Database>(fs_);
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
    MemoryFileSystem fs_;
    std::string dir_ = "/daten";
    std::unique_ptr<Database> db_;
};

} // namespace trevo::engine::test
