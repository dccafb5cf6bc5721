#pragma once
// The one door through which the engine touches files. Tests swap in an
// in-memory file system or one that injects faults (failed, dropped or torn writes).
// Every failure throws IoError with a German text naming the file.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace trevo::engine {

enum class LockKind { Shared, Exclusive };

class File {
public:
    virtual ~File() = default;
    virtual uint64_t size() = 0;
    // Reads up to n bytes at off; returns the number read (short at end of file).
    virtual size_t read(uint64_t off, void* dst, size_t n) = 0;
    // Writes all n bytes at off, growing the file when needed.
    virtual void write(uint64_t off, const void* src, size_t n) = 0;
    virtual void truncate(uint64_t size) = 0;
    // Makes everything written so far durable.
    virtual void sync() = 0;

    // Advisory lock of a byte range (which may lie beyond the end), owned by this open file:
    // another open file of the same file, in this process or another, is refused while it
    // lasts; closing the file or ending the process gives it up. tryLock returns false when
    // the range is held elsewhere; waitLock waits for it. Locks of the operating system work
    // between programs only; file systems without them grant every lock.
    virtual bool tryLock(uint64_t off, uint64_t len, LockKind kind)
    {
        (void)off, (void)len, (void)kind;
        return true;
    }
    virtual void waitLock(uint64_t off, uint64_t len, LockKind kind) { tryLock(off, len, kind); }
    virtual void unlock(uint64_t off, uint64_t len) { (void)off, (void)len; }
};

enum class OpenMode {
    ReadOnly,
    ReadWrite,    // existing file
    Create,       // new file; fails when it exists
    CreateOrOpen, // read-write, created when missing
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual std::unique_ptr<File> open(const std::string& path, OpenMode mode) = 0;
    virtual bool exists(const std::string& path) = 0;
    virtual bool isDirectory(const std::string& path) = 0;
    virtual void remove(const std::string& path) = 0;
    virtual void rename(const std::string& from, const std::string& to) = 0;
    // Names (not paths) of the entries of a folder.
    virtual std::vector<std::string> list(const std::string& dir) = 0;
    virtual void makeDirectory(const std::string& path) = 0;
    // Makes creations, removals and renames in the folder durable.
    virtual void syncDirectory(const std::string& dir) = 0;
};

// The real file system of the machine.
FileSystem& realFileSystem();

// Path helpers. Folder names may end in '/' or '\' (the program's convention).
std::string joinPath(const std::string& dir, const std::string& name);
std::string directoryOf(const std::string& path);
std::string fileNameOf(const std::string& path);
// Normalises '\' to '/' so folder names written as "C:\x\" style still work here.
std::string normalizePath(const std::string& path);
// Finds the entry of the folder whose name equals the path's file name without
// regard to case ("Sonstyp0.dbf" finds "SONSTYP0.DBF"). Returns the path unchanged
// when it exists as written or nothing matches.
std::string resolveCaseInsensitive(FileSystem& fs, const std::string& path);

} // namespace trevo::engine
