#pragma once
// A file system held in memory, for tests and tools. It keeps apart what was written
// and what was made durable: file contents count as durable after File::sync, new,
// removed and renamed names after syncDirectory of their folder. crash() forgets
// everything else, as a power loss would.
#include "engine/fs/file_system.h"

#include <map>
#include <memory>
#include <set>

namespace trevo::engine {

class MemoryFileSystem : public FileSystem {
public:
    MemoryFileSystem();

    std::unique_ptr<File> open(const std::string& path, OpenMode mode) override;
    bool exists(const std::string& path) override;
    bool isDirectory(const std::string& path) override;
    void remove(const std::string& path) override;
    void rename(const std::string& from, const std::string& to) override;
    std::vector<std::string> list(const std::string& dir) override;
    void makeDirectory(const std::string& path) override;
    void syncDirectory(const std::string& dir) override;

    // Drops every change not made durable.
    void crash();
    // Makes every change durable, as if the disk had written out everything it was given.
    void settle();
    // Test helpers: a durable file (folders created as needed) and the current contents.
    void putFile(const std::string& path, const std::vector<uint8_t>& bytes);
    void putFile(const std::string& path, const std::string& bytes);
    std::vector<uint8_t> contents(const std::string& path) const;
    // Paths of all files, sorted.
    std::vector<std::string> files() const;
    // A read-only file cannot be opened for writing; in a read-only folder no file can be
    // created or removed.
    void setReadOnly(const std::string& path, bool readOnly);

    // Canonical form of a path: '/' separators, no empty or "." parts, ".." resolved.
    static std::string canonical(const std::string& path);

private:
    struct Node {
        std::vector<uint8_t> data;
        std::vector<uint8_t> synced;
        bool readOnly = false;
    };
    class MemFile;
    std::shared_ptr<Node> find(const std::string& canonicalPath) const;
    void requireFolder(const std::string& path, const std::string& canonicalPath) const;

    std::map<std::string, std::shared_ptr<Node>> files_;
    std::map<std::string, std::shared_ptr<Node>> durable_;
    std::set<std::string> folders_;
    std::set<std::string> readOnlyFolders_;
};

} // namespace trevo::engine
