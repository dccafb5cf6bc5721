#pragma once
// The lock file of a data folder, TREVO.LCK: one writer per folder, and a change counter
// through which every program that holds tables of the folder in memory notices the
// commits of the others.
//
// Layout (little-endian): "TRVOLCK1", u64 change counter, u32 length of the holder text,
// the holder text (UTF-8 lines "Benutzer=", "Computer=", "Programm=", "Seit=" seconds since
// 1970, "Prozess="). The file is never removed: a program waiting for its lock must find
// the very file the holder locked.
//
// Locks of the operating system on two bytes beyond the text (never on the data, so that
// reading the holder needs no lock):
//   writer byte, exclusive: held by the one program that may change the folder, from its
//     first change until it gives the folder up (a statement, a transaction or a whole run).
//     A program that ends or crashes loses it; the next one takes the folder over.
//   commit byte: exclusive while the writer's files are between two states (journal written,
//     files being written); shared by a reader while it loads files. So no reader sees torn
//     files, and a hot journal found under a shared commit lock is no writer's live work.
// Invariants:
//  - The counter changes, under the writer lock, before the files of a commit change.
//  - Whoever holds the writer lock has seen the counter since it took the lock, and its images
//    show the files as of that counter (it reloaded what others changed before changing anything).
#include "engine/core/error.h"
#include "engine/fs/file_system.h"

#include <chrono>
#include <cstdint>
#include <ctime>
#include <memory>
#include <optional>
#include <string>

namespace trevo::engine {

struct LockHolder {
    std::string user, computer, program;
    std::time_t since = 0;
    long process = 0;
    // This process, as holder for the named program.
    static LockHolder thisProcess(const std::string& program);
};

// The folder is held by another program: the German text names holder and time.
class FolderBusy : public EngineError {
public:
    FolderBusy(const std::string& folder, const std::optional<LockHolder>& holder);
    const std::optional<LockHolder>& holder() const { return holder_; }

private:
    std::optional<LockHolder> holder_;
};

// "Der Datenordner '/x/' wird seit 09.12.2026, 15:02 Uhr von 'anna' auf dem Computer 'kasse'
// mit 'Trevo' benutzt."
std::string folderBusyText(const std::string& folder, const std::optional<LockHolder>& holder);

class FolderLock {
public:
    static constexpr const char* fileName = "TREVO.LCK";

    FolderLock(FileSystem& fs, std::string dir);
    ~FolderLock();
    const std::string& dir() const { return dir_; }

    // False when the lock file cannot be written (write-protected folder or medium); then no
    // lock is taken and unavailableText() says why.
    bool available();
    const std::string& unavailableText() const { return unavailable_; }

    bool holdsWriter() const { return writer_; }
    // Takes the writer lock, waiting up to `wait`; throws FolderBusy when it stays held.
    void acquireWriter(const LockHolder& me, std::chrono::milliseconds wait);
    bool tryAcquireWriter(const LockHolder& me);
    void releaseWriter();

    void beginCommit(); // exclusive commit byte, waits for readers
    void endCommit();
    // Shared commit byte while files are read; false when no lock could be taken.
    bool beginRead();
    void endRead();

    uint64_t counter();
    uint64_t bumpCounter(); // under the writer lock; the new value
    std::optional<LockHolder> holder();

private:
    bool open();
    void writeHolder(const LockHolder& me);
    void becomeWriter(const LockHolder& me);

    FileSystem& fs_;
    std::string dir_;
    std::unique_ptr<File> file_;
    std::string unavailable_;
    bool writer_ = false;
};

} // namespace trevo::engine
