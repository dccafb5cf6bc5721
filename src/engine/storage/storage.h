#pragma once
// Files of tables and memos are held as whole images in memory. Every change goes
// through FileImage::write inside an atomic scope of a session (see session.h); the
// scope's batch remembers the before-images and, on commit, writes a rollback journal
// to the data folder, flushes it, writes the changed ranges into the files, flushes
// them and marks the journal cold. A hot journal found when a file of its folder is
// next opened is rolled back (or, when the files already show the commit complete,
// kept), so after a crash every file is as it was after the last completed operation
// or commit. A post costs two flushes: the journal and the file.
#include "engine/fs/file_system.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace trevo::engine {

class Batch;
class Storage;
class FolderLock;
namespace detail {
struct ImageChanges;
struct FolderWork;
struct ParsedJournal;
} // namespace detail

class FileImage : public std::enable_shared_from_this<FileImage> {
public:
    const std::string& path() const { return path_; }
    uint64_t size() const { return bytes_.size(); }
    const uint8_t* data() const { return bytes_.data(); }
    bool readOnly() const { return readOnly_; }
    // Removed inside an atomic scope whose batch has not ended yet.
    bool removed() const { return removed_; }

    // Changes; allowed only inside an atomic scope (else std::logic_error).
    void write(uint64_t off, const void* src, size_t n); // grows the image when needed
    void resize(uint64_t newSize);

    // Called after a rollback restored the image, so owners re-read their state.
    void onRestored(std::function<void()> listener);

private:
    friend class Storage;
    friend class Batch;
    FileImage(Storage& storage, std::string path, std::vector<uint8_t> bytes, bool readOnly);
    void notifyRestored();
    Batch& changingBatch(); // the batch that records a change now

    Storage& storage_;
    std::string path_;
    std::vector<uint8_t> bytes_;
    bool readOnly_ = false;
    bool removed_ = false;        // removed inside a batch that has not ended yet
    bool detached_ = false;       // created inside a batch that was rolled back
    std::vector<Batch*> batches_; // batches holding changes of this image, oldest first
    std::vector<std::function<void()>> restoredListeners_;
    uint64_t writerGeneration_ = 0; // the storage's generation in which this folder's writer lock was ensured
};

class Storage {
public:
    explicit Storage(FileSystem& fs);
    ~Storage();
    FileSystem& fs() { return fs_; }

    // Opens (or returns the already open) image of a file, matched without regard to case.
    // Rolls back a hot journal in the file's folder first. Throws EngineError
    // "Datei 'X' nicht gefunden" when missing. Opens read-only when the file cannot be written.
    std::shared_ptr<FileImage> open(const std::string& path);
    // A new empty file; inside an atomic scope (rolled back = removed again).
    std::shared_ptr<FileImage> create(const std::string& path);
    // Removes a file inside an atomic scope (rolled back = restored).
    void remove(const std::string& path);
    bool exists(const std::string& path);

    // The batch that receives changes now; null outside atomic scopes.
    Batch* activeBatch() const { return active_; }
    void setActiveBatch(Batch* b) { active_ = b; }

    // Recovers a hot journal in the folder, if any. Called by open(); public for tools.
    void recoverFolder(const std::string& dir);

    // Name of the rollback journal kept in every folder with changed files.
    static constexpr const char* journalName = "TREVO.JNL";

    // Sharing a folder with other programs (see folder_lock.h). Every change of a folder
    // happens under its writer lock: taken at the start of an outermost atomic scope or a
    // transaction for every folder with open writable files (and at the first change for
    // others), given up at its end, unless the folder is held.
    //
    // The program named as holder in the lock file.
    void setProgram(std::string name) { program_ = std::move(name); }
    const std::string& program() const { return program_; }
    // How long a change waits for a folder that another program holds (default 5 s).
    void setLockWait(std::chrono::milliseconds wait) { lockWait_ = wait; }
    // Holds the folder for changes until releaseFolder or the end of this storage, and
    // reloads what others changed. Throws FolderBusy naming the holder after waiting.
    void holdFolder(const std::string& dir, std::chrono::milliseconds wait);
    void releaseFolder(const std::string& dir);
    bool holdsFolder(const std::string& dir);
    // Never take the folder's writer lock: it is open for reading only (another program holds
    // it); every change of it is refused with the holder's name.
    void readOnlyFolder(const std::string& dir);
    // Reloads the open files of every folder another program has committed to since this
    // storage last looked (a change counter in the lock file). Called before every outermost
    // change; readers call it before they read.
    void synchronize();
    // German notices about folders read in a special way (a journal applied in memory only).
    const std::vector<std::string>& notices() const { return notices_; }

    // Bracket the changes of an outermost atomic scope or a transaction (Session does).
    void beginChanges();
    void endChanges();
    void endBareLease(); // a batch used without a session ended

private:
    friend class Batch;
    friend class FileImage;
    struct Folders {
        struct State {
            std::string dir;
            bool recovered = false;      // a hot journal was looked for
            bool broken = false;         // a failed commit could not be put back: no more changes
            bool journalWritten = false; // this storage wrote the journal (its folder entry is flushed)
            std::unique_ptr<FolderLock> lock;
            bool held = false;           // holdFolder
            bool leased = false;         // writer lock taken for the present changes
            bool readOnly = false;       // readOnlyFolder
            bool seenValid = false;
            uint64_t seen = 0;           // the lock file's change counter the images show
            std::string refusal;         // why changes are refused (journal applied in memory)
            std::shared_ptr<detail::ParsedJournal> overlay; // before state applied to files read
            ~State();
        };
        std::map<std::string, State> byDir;
        uint64_t salt = 0;
        State& of(const std::string& dir);
    };
    static std::string keyOf(const std::string& path);
    // Journal, files, journal invalidated; on failure the files are as before and it throws.
    void commitChanges(const std::vector<const detail::ImageChanges*>& changes);
    bool putBack(std::map<std::string, detail::FolderWork>& work);
    void refuseIfBroken(const std::string& dir);
    static std::string journalNotAFile(const std::string& path);
    std::shared_ptr<FileImage> lookup(const std::string& key);
    void forget(const FileImage& image);
    // Sharing (sharing.cpp).
    FolderLock& lockOf(Folders::State& state);
    bool mayWrite(Folders::State& state) const { return state.held || state.leased; }
    void ensureWriter(const std::string& path); // before the first change of a folder's file
    void takeWriter(Folders::State& state, std::chrono::milliseconds wait, bool conflictIfChanged);
    void reloadFolder(Folders::State& state);
    std::vector<uint8_t> readFile(Folders::State& state, const std::string& real, File& file);
    void applyInMemory(Folders::State& state, const std::string& journal, const std::string& why);
    bool overlayRemoves(const Folders::State& state, const std::string& real) const;
    void commitLocked(const std::vector<const detail::ImageChanges*>& changes);

    FileSystem& fs_;
    Batch* active_ = nullptr;
    std::map<std::string, std::weak_ptr<FileImage>> images_;
    std::unique_ptr<Folders> folders_;
    std::string program_ = "Trevo";
    std::chrono::milliseconds lockWait_{5000};
    int leases_ = 0;
    bool bareLease_ = false; // leases_ taken by a batch used without a session
    uint64_t writerGeneration_ = 1; // grows whenever leased writer locks are given up
    std::vector<std::string> notices_;
};

// Before-images of one transaction or one single operation.
class Batch {
public:
    // A transaction batch lives across many atomic scopes; a change of an image that an
    // open transaction holds is handed to that transaction when a plain batch commits.
    explicit Batch(Storage& storage, bool transaction = false);
    ~Batch();
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

    bool empty() const;
    // Durably applies the changes (journal, files, journal invalidated). On failure
    // the files are as before, the images are restored and IoError is thrown.
    void commit();
    // Restores every image to its state when the batch began.
    void rollback();
    // Savepoints let a failing statement inside a transaction undo only itself.
    size_t savepoint() const;
    void rollbackTo(size_t savepoint);

    // Internal, used by FileImage and Storage; called before the image changes.
    void touch(FileImage& image, uint64_t off, size_t n);
    void touchResize(FileImage& image, uint64_t newSize);
    void noteCreated(const std::shared_ptr<FileImage>& image);
    void noteRemoved(FileImage& image);
    void noteRevived(FileImage& image); // a removed file is created again

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace trevo::engine
