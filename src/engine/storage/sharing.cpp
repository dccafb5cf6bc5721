// The storage's part in sharing folders with other programs: writer locks around changes,
// reloading what others committed, and journals that cannot be played back here.
#include "engine/storage/folder_lock.h"
#include "engine/storage/journal.h"
#include "engine/storage/storage.h"

#include "engine/core/collation.h"
#include "engine/core/error.h"

#include <cstring>

namespace trevo::engine {

Storage::Folders::State::~State() = default;

FolderLock& Storage::lockOf(Folders::State& state)
{
    if (!state.lock) state.lock = std::make_unique<FolderLock>(fs_, state.dir);
    return *state.lock;
}

void Storage::holdFolder(const std::string& dir, std::chrono::milliseconds wait)
{
    Folders::State& state = folders_->of(dir);
    if (state.held) return;
    state.readOnly = false;
    if (!state.leased) takeWriter(state, wait, false);
    state.held = true;
    state.leased = false;
    recoverFolder(dir);
}

void Storage::releaseFolder(const std::string& dir)
{
    Folders::State& state = folders_->of(dir);
    if (!state.held) return;
    state.held = false;
    if (leases_ > 0) {
        state.leased = true; // given up with the present changes
        return;
    }
    if (state.lock) state.lock->releaseWriter();
    ++writerGeneration_;
}

bool Storage::holdsFolder(const std::string& dir) { return folders_->of(dir).held; }

void Storage::readOnlyFolder(const std::string& dir)
{
    Folders::State& state = folders_->of(dir);
    releaseFolder(dir);
    state.readOnly = true;
    ++writerGeneration_;
}

// Takes the folder's writer lock and makes sure the images show the files as of its counter.
// When they did not and the caller may already have read them, the change is refused.
void Storage::takeWriter(Folders::State& state, std::chrono::milliseconds wait, bool conflictIfChanged)
{
    if (state.broken) refuseIfBroken(state.dir);
    if (!state.refusal.empty()) throw IoError(state.refusal);
    if (state.readOnly) throw FolderBusy(state.dir, lockOf(state).holder());
    FolderLock& lock = lockOf(state);
    if (!lock.available()) throw IoError(lock.unavailableText());
    lock.acquireWriter(LockHolder::thisProcess(program_), wait);
    const uint64_t now = lock.counter();
    const bool changed = state.seenValid && now != state.seen;
    if (changed) {
        try {
            reloadFolder(state);
        } catch (...) {
            lock.releaseWriter();
            throw;
        }
    }
    state.seen = now;
    state.seenValid = true;
    if (changed && conflictIfChanged) {
        lock.releaseWriter();
        throw EngineError("Die Tabellen im Ordner '" + state.dir
                          + "' wurden soeben von einem anderen Programm geändert. Die Änderung wurde nicht "
                            "ausgeführt; bitte noch einmal versuchen.");
    }
}

void Storage::ensureWriter(const std::string& path)
{
    Folders::State& state = folders_->of(directoryOf(path));
    if (mayWrite(state)) return;
    takeWriter(state, lockWait_, true);
    state.leased = true;
    if (leases_ == 0) { // a batch used without a session: given up when it ends
        leases_ = 1;
        bareLease_ = true;
    }
}

void Storage::endBareLease()
{
    if (!bareLease_) return;
    bareLease_ = false;
    endChanges();
}

void Storage::beginChanges()
{
    if (leases_++ > 0) return;
    try {
        // Folders whose files are open for writing are locked now, before the change reads them.
        std::map<std::string, bool> writable;
        for (auto it = images_.begin(); it != images_.end(); ++it)
            if (auto image = it->second.lock())
                if (!image->readOnly()) writable[directoryOf(image->path())] = true;
        for (const auto& [dir, yes] : writable) {
            Folders::State& state = folders_->of(dir);
            if (mayWrite(state) || state.readOnly || !state.refusal.empty() || state.broken) continue;
            if (!lockOf(state).available()) continue; // refused at the first change, naming the folder
            takeWriter(state, lockWait_, false);
            state.leased = true;
        }
        synchronize();
    } catch (...) {
        endChanges();
        throw;
    }
}

void Storage::endChanges()
{
    if (leases_ == 0 || --leases_ > 0) return;
    bool released = false;
    for (auto& [key, state] : folders_->byDir) {
        if (!state.leased) continue;
        state.leased = false;
        if (state.lock) state.lock->releaseWriter();
        released = true;
    }
    if (released) ++writerGeneration_;
}

void Storage::synchronize()
{
    std::map<std::string, bool> open;
    for (auto it = images_.begin(); it != images_.end(); ++it)
        if (auto image = it->second.lock()) open[directoryOf(image->path())] = true;
    for (const auto& [dir, yes] : open) {
        Folders::State& state = folders_->of(dir);
        if (state.held || !state.seenValid) continue; // nobody else commits / never read under a counter
        FolderLock& lock = lockOf(state);
        if (!lock.available() || lock.counter() == state.seen) continue;
        reloadFolder(state);
    }
}

// Reads every open image of the folder again (under the shared commit lock, so that no commit
// is half seen) and tells the owners of those that changed.
void Storage::reloadFolder(Folders::State& state)
{
    std::vector<std::shared_ptr<FileImage>> images;
    for (auto it = images_.begin(); it != images_.end(); ++it)
        if (auto image = it->second.lock())
            if (keyOf(joinPath(directoryOf(image->path()), "x")) == keyOf(joinPath(state.dir, "x")))
                images.push_back(image);
    // A journal another program left hot (it crashed) is played back or applied in memory first.
    state.recovered = false;
    recoverFolder(state.dir);
    FolderLock& lock = lockOf(state);
    const bool reading = lock.beginRead();
    std::vector<std::shared_ptr<FileImage>> changed;
    try {
        state.seen = lock.counter();
        for (auto& image : images) {
            if (!image->batches_.empty()) continue; // changes of ours in progress (cannot happen unlocked)
            std::vector<uint8_t> bytes;
            if (fs_.exists(image->path()) && !overlayRemoves(state, image->path())) {
                auto file = fs_.open(image->path(), OpenMode::ReadOnly);
                bytes = readFile(state, image->path(), *file);
            }
            if (bytes != image->bytes_) {
                image->bytes_ = std::move(bytes);
                changed.push_back(image);
            }
        }
    } catch (...) {
        if (reading) lock.endRead();
        throw;
    }
    if (reading) lock.endRead();
    for (auto& image : changed) image->notifyRestored();
}

// The bytes of a file as this storage shows them: with a journal applied in memory, as before it.
std::vector<uint8_t> Storage::readFile(Folders::State& state, const std::string& real, File& file)
{
    std::vector<uint8_t> bytes(file.size());
    bytes.resize(file.read(0, bytes.data(), bytes.size()));
    if (!state.overlay) return bytes;
    const std::string name = toUpperGerman(fileNameOf(real));
    for (const detail::FileBefore& f : state.overlay->files) {
        if (toUpperGerman(f.path) != name || !f.existed) continue;
        bytes.resize(static_cast<size_t>(f.size));
        for (const auto& [off, page] : f.pages)
            if (off + page->size() <= bytes.size()) std::memcpy(bytes.data() + off, page->data(), page->size());
    }
    return bytes;
}

bool Storage::overlayRemoves(const Folders::State& state, const std::string& real) const
{
    if (!state.overlay) return false;
    const std::string name = toUpperGerman(fileNameOf(real));
    for (const detail::FileBefore& f : state.overlay->files)
        if (toUpperGerman(f.path) == name) return !f.existed;
    return false;
}

// A hot journal this storage may not or cannot play back on disk: the files are read as they
// were before the interrupted change, and the folder refuses changes.
void Storage::applyInMemory(Folders::State& state, const std::string& journal, const std::string& why)
{
    auto file = fs_.open(journal, OpenMode::ReadOnly);
    std::vector<uint8_t> bytes(file->size());
    bytes.resize(file->read(0, bytes.data(), bytes.size()));
    auto parsed = std::make_shared<detail::ParsedJournal>(detail::parseJournal(bytes));
    if (!parsed->hot) return;
    if (parsed->mayKeep && parsed->complete && detail::filesShowAfterState(fs_, state.dir, parsed->files)) return;
    for (detail::FileBefore& f : parsed->files) f.path = fileNameOf(f.path);
    state.overlay = std::move(parsed);
    state.refusal = "Im Datenordner '" + state.dir + "' liegt das Journal einer unterbrochenen Änderung, das " + why
                    + ". Die Tabellen werden gezeigt, wie sie vor dieser Änderung waren; Änderungen sind erst "
                      "möglich, wenn der Ordner beschreibbar ist und neu geöffnet wurde.";
    notices_.push_back(state.refusal);
}

} // namespace trevo::engine
