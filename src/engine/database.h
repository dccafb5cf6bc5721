#pragma once
// The engine's root: the file system, the storage of file images, the named sessions
// and the open tables, shared by every session (so other sessions see uncommitted changes).
#include "engine/dbf/dbf_table.h"
#include "engine/fs/file_system.h"
#include "engine/storage/session.h"
#include "engine/storage/storage.h"

#include <chrono>
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
    // Sharing the data folder with other programs (see storage/folder_lock.h).
    // Holds the folder for changes for as long as this database lives (or until released);
    // throws FolderBusy, naming holder and time, when another program holds it after `wait`.
    void holdFolder(const std::string& dir, std::chrono::milliseconds wait = std::chrono::milliseconds(0));
    void releaseFolder(const std::string& dir) { storage_.releaseFolder(normalizePath(dir)); }
    // Opens the folder for reading only: changes are refused naming the folder's holder.
    void readOnlyFolder(const std::string& dir) { storage_.readOnlyFolder(normalizePath(dir)); }
    // Loads what other programs committed since this database last looked; readers call it
    // before they read (every change does it by itself).
    void refresh() { storage_.synchronize(); }

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
