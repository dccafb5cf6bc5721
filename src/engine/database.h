#pragma once
// The engine's root: the file system, the storage of file images, the named sessions
// and the open tables, shared by every session (so other sessions see uncommitted changes).
#include "engine/dbf/dbf_table.h"
#include "engine/fs/file_system.h"
#include "engine/storage/session.h"
#include "engine/storage/storage.h"

#include <map>
#include <memory>
#include <string>

namespace trevo::engine {

class Database {
public:
    explicit Database(FileSystem& fs = realFileSystem());
    ~Database();
    FileSystem& fs() { return fs_; }
    Storage& storage() { return storage_; }

    // The session of that name, created on first use. "Default" is the default session.
    Session& session(const std::string& name = "Default");

    // The open table of that path (matched without regard to case), opened on first use.
    std::shared_ptr<DbfTable> table(const std::string& path);
    // Creates a new table (inside an atomic scope) and registers it, so that table()
    // returns this very object. Tables are opened through the database only: two table
    // objects over one file would not see each other's changes.
    std::shared_ptr<DbfTable> createTable(const std::string& path, const std::vector<FieldDef>& fields,
                                          DbfVersion version = DbfVersion::DBase4, uint8_t languageDriver = 0x57);
    // Forgets the table so that the next table() call opens it again from the file.
    void closeTable(const std::string& path);
    void closeAll();

private:
    FileSystem& fs_;
    Storage storage_;
    std::map<std::string, std::unique_ptr<Session>> sessions_;
    std::map<std::string, std::shared_ptr<DbfTable>> tables_;
};

} // namespace trevo::engine
