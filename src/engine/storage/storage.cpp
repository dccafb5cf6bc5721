#include "engine/storage/storage.h"

#include "engine/core/collation.h"
#include "engine/core/error.h"
#include "engine/storage/folder_lock.h"
#include "engine/storage/journal.h"

#include <random>
#include <stdexcept>

namespace trevo::engine {

namespace {

// Lexically cleaned folder: '/' separators, no empty or "." parts, no trailing '/'.
std::string cleanFolder(const std::string& dir)
{
    const std::string d = normalizePath(dir);
    std::string out = d.size() && d[0] == '/' ? "/" : "";
    size_t pos = 0;
    while (pos <= d.size()) {
        size_t next = d.find('/', pos);
        if (next == std::string::npos) next = d.size();
        const std::string part = d.substr(pos, next - pos);
        if (!part.empty() && part != ".") {
            if (!out.empty() && out.back() != '/') out += '/';
            out += part;
        }
        pos = next + 1;
    }
    return out.empty() ? "." : out;
}

std::string notFound(const std::string& path) { return "Datei '" + path + "' nicht gefunden"; }

} // namespace

Storage::Storage(FileSystem& fs) : fs_(fs), folders_(std::make_unique<Folders>())
{
    std::random_device rd;
    folders_->salt = (static_cast<uint64_t>(rd()) << 32) ^ rd();
}

Storage::~Storage()
{
    // The journal is of no use once the program ends; leave no clutter in the folder. The
    // removal is flushed so that no journal can come back over files another program may
    // change in the meantime.
    for (auto& [dir, state] : folders_->byDir) {
        if (!state.journalWritten || state.broken || !state.recovered) continue;
        try {
            // Another program may be using the journal now: only the folder's writer removes it.
            bool took = false;
            if (!mayWrite(state) && !lockOf(state).holdsWriter()) {
                if (!lockOf(state).available()) continue;
                took = lockOf(state).tryAcquireWriter(LockHolder::thisProcess(program_));
                if (!took) continue;
            }
            if (!state.held && !took) continue;
            // Readers look at the journal under the shared commit lock: none may see it vanish.
            FolderLock& lock = lockOf(state);
            lock.beginCommit();
            try {
                const std::string path = detail::journalPath(fs_, dir);
                detail::recoverJournal(fs_, dir); // a journal another program left hot is played back first
                if (fs_.exists(path)) {
                    fs_.remove(path);
                    fs_.syncDirectory(dir);
                }
            } catch (...) {
            }
            lock.endCommit();
            if (took) lock.releaseWriter();
        } catch (...) {
        }
    }
}

std::string Storage::keyOf(const std::string& path)
{
    const std::string p = normalizePath(path);
    return cleanFolder(directoryOf(p)) + "/" + toUpperGerman(fileNameOf(p));
}

std::shared_ptr<FileImage> Storage::lookup(const std::string& key)
{
    auto it = images_.find(key);
    if (it == images_.end()) return nullptr;
    auto image = it->second.lock();
    if (!image) images_.erase(it);
    return image;
}

void Storage::forget(const FileImage& image)
{
    auto it = images_.find(keyOf(image.path()));
    if (it == images_.end()) return;
    auto held = it->second.lock();
    if (!held || held.get() == &image) images_.erase(it);
}

Storage::Folders::State& Storage::Folders::of(const std::string& dir)
{
    State& state = byDir[cleanFolder(dir)];
    if (state.dir.empty()) state.dir = dir;
    return state;
}

std::shared_ptr<FileImage> Storage::open(const std::string& path)
{
    const std::string p = normalizePath(path);
    const std::string key = keyOf(p);
    if (auto image = lookup(key)) {
        if (image->removed_) throw EngineError(notFound(p));
        return image;
    }
    // The files on disk count only once a hot journal of their folder is rolled back.
    recoverFolder(directoryOf(p));
    Folders::State& state = folders_->of(directoryOf(p));
    const std::string real = resolveCaseInsensitive(fs_, p);
    if (!fs_.exists(real) || fs_.isDirectory(real) || overlayRemoves(state, real)) throw EngineError(notFound(p));
    bool readOnly = !state.refusal.empty();
    std::unique_ptr<File> file;
    try {
        file = fs_.open(real, readOnly ? OpenMode::ReadOnly : OpenMode::ReadWrite);
    } catch (const IoError&) {
        file = fs_.open(real, OpenMode::ReadOnly);
        readOnly = true;
    }
    // Read under the shared commit lock, so that no other program's commit is seen half done.
    FolderLock& lock = lockOf(state);
    const bool reading = !mayWrite(state) && lock.beginRead();
    std::vector<uint8_t> bytes;
    try {
        if (!state.seenValid && lock.available()) {
            state.seen = lock.counter();
            state.seenValid = true;
        }
        bytes = readFile(state, real, *file);
    } catch (...) {
        if (reading) lock.endRead();
        throw;
    }
    if (reading) lock.endRead();
    auto image = std::shared_ptr<FileImage>(new FileImage(*this, real, std::move(bytes), readOnly));
    images_[key] = image;
    return image;
}

std::shared_ptr<FileImage> Storage::create(const std::string& path)
{
    if (!active_) throw std::logic_error("Datei '" + path + "' wird außerhalb einer atomaren Änderung angelegt");
    const std::string p = normalizePath(path);
    const std::string dir = directoryOf(p);
    const std::string key = keyOf(p);
    if (auto image = lookup(key)) {
        if (!image->removed_) throw EngineError("Datei '" + p + "' existiert bereits");
        active_->noteRevived(*image);
        image->resize(0);
        return image;
    }
    recoverFolder(dir);
    if (fs_.exists(resolveCaseInsensitive(fs_, p))) throw EngineError("Datei '" + p + "' existiert bereits");
    if (!fs_.isDirectory(dir)) throw EngineError("Ordner '" + dir + "' nicht gefunden");
    ensureWriter(p);
    auto image = std::shared_ptr<FileImage>(new FileImage(*this, p, {}, false));
    images_[key] = image;
    active_->noteCreated(image);
    return image;
}

void Storage::remove(const std::string& path)
{
    if (!active_) throw std::logic_error("Datei '" + path + "' wird außerhalb einer atomaren Änderung gelöscht");
    auto image = open(path);
    if (image->readOnly()) throw IoError("Datei '" + image->path() + "' ist schreibgeschützt und kann nicht gelöscht werden");
    ensureWriter(image->path());
    active_->noteRemoved(*image);
}

bool Storage::exists(const std::string& path)
{
    const std::string p = normalizePath(path);
    if (auto image = lookup(keyOf(p))) return !image->removed_;
    recoverFolder(directoryOf(p));
    const std::string real = resolveCaseInsensitive(fs_, p);
    return fs_.exists(real) && !fs_.isDirectory(real) && !overlayRemoves(folders_->of(directoryOf(p)), real);
}

// A hot journal is played back on disk by a storage that may write the folder (it holds the
// writer lock, or takes it because nobody does). Under another program's writer lock the reader
// waits until no commit is in progress; a journal still hot then, or one on a medium that cannot
// be written, is applied in memory only.
void Storage::recoverFolder(const std::string& dir)
{
    Folders::State& state = folders_->of(dir);
    if (state.recovered) return;
    const std::string journal = detail::journalPath(fs_, dir);
    if (!detail::isRegularFile(fs_, journal)) {
        state.recovered = true;
        return;
    }
    FolderLock& lock = lockOf(state);
    const bool writer = mayWrite(state) || lock.holdsWriter();
    bool took = false;
    if (!writer && !state.readOnly && lock.available())
        took = lock.tryAcquireWriter(LockHolder::thisProcess(program_));
    if (writer || took) {
        try {
            lock.beginCommit();
            try {
                if (detail::recoverJournal(fs_, dir)) lock.bumpCounter();
            } catch (...) {
                lock.endCommit();
                throw;
            }
            lock.endCommit();
        } catch (const IoError& e) {
            if (took) lock.releaseWriter();
            // The files cannot be written (read-only files or medium): read them as before the change.
            applyInMemory(state, journal, std::string("nicht zurückgespielt werden kann (") + e.what() + ")");
            state.recovered = true;
            return;
        } catch (const EngineError& e) {
            if (took) lock.releaseWriter();
            throw IoError("Das Journal im Ordner '" + dir + "' konnte nicht zurückgespielt werden: " + e.what());
        }
        if (took) lock.releaseWriter();
        state.recovered = true;
        return;
    }
    const bool reading = lock.beginRead(); // waits for a commit in progress
    try {
        if (detail::isRegularFile(fs_, journal))
            applyInMemory(state, journal,
                      lock.available() ? "ein anderes Programm nicht zurückgespielt hat"
                                       : "auf diesem schreibgeschützten Datenträger nicht zurückgespielt werden kann");
    } catch (...) {
        if (reading) lock.endRead();
        throw;
    }
    if (reading) lock.endRead();
    state.recovered = true;
}

void Storage::refuseIfBroken(const std::string& dir)
{
    if (folders_->of(dir).broken)
        throw IoError("Eine fehlgeschlagene Änderung im Ordner '" + dir
                      + "' konnte nicht zurückgenommen werden. Weitere Änderungen sind erst möglich, wenn der "
                        "Datenordner neu geöffnet wurde.");
}

std::string Storage::journalNotAFile(const std::string& path)
{
    return "'" + path + "' ist keine Datei, sondern ein Ordner. Das Journal des Datenordners kann dort nicht "
           "geschrieben werden; bitte den Ordner umbenennen oder entfernen.";
}

} // namespace trevo::engine
