// The durable commit of a batch.
//
// Steps: 1. the journal of the before-images (and of the files' fingerprints after the
// commit), written and flushed; 2. the changed ranges into the files, flushed; 3. the journal
// marked cold (flushed only when the commit spans several folders, see journal.h).
//
// The commit point is the moment from which a recovery keeps the commit:
//  - in one folder (journal of state 1): every changed file shows its after state beside the
//    complete, flushed journal, i.e. the end of step 2;
//  - over several folders (journals of state 2): every journal is marked cold.
// Invariants:
//  - A failure before the commit point leaves the files as before, at once: the journal is
//    turned to roll back and played back by this very storage, and the batch restores the
//    images, so that the session and the files agree again before the error is reported.
//  - When that playback fails too, the result on disk is what a recovery will make of it.
//    Where the recovery would keep the commit (the files complete, the journal still of
//    state 1) the commit has reached its commit point after all and is reported done. Else
//    the folder is broken: the journal stays hot, the images show the state before, and every
//    further change of the folder is refused until it is opened again (recovery then rolls back).
//  - A failure after the commit point is no failure of the commit: it is reported done and
//    the journal is put right at the next opening of the folder.
#include "engine/storage/batch_impl.h"
#include "engine/storage/folder_lock.h"
#include "engine/storage/journal.h"

#include "engine/core/error.h"

#include <algorithm>
#include <map>

namespace trevo::engine {

using detail::FileBefore;
using detail::ImageChanges;
using detail::pageSize;

namespace detail {

// What one commit does in one folder.
struct FolderWork {
    std::string dir;
    std::vector<const ImageChanges*> files;
    std::vector<uint8_t> journal; // as written
    bool folderChanged = false;   // files created or removed
};

} // namespace detail

using detail::FolderWork;

namespace {

// Writes the current bytes of the changed pages, cuts the file to the image's size, flushes.
void writeChanges(FileSystem& fs, const ImageChanges& rec)
{
    const FileImage& image = *rec.image;
    auto file = fs.open(image.path(), rec.existed ? OpenMode::ReadWrite : OpenMode::CreateOrOpen);
    auto it = rec.pages.begin();
    while (it != rec.pages.end()) {
        const uint64_t first = it->first;
        uint64_t last = first;
        while (++it != rec.pages.end() && it->first == last + 1) ++last;
        const uint64_t start = first * pageSize;
        const uint64_t end = std::min((last + 1) * pageSize, image.size());
        if (start < end) file->write(start, image.data() + start, static_cast<size_t>(end - start));
    }
    if (file->size() != image.size()) file->truncate(image.size());
    file->sync();
}

std::vector<FileBefore> beforeStates(const std::vector<const ImageChanges*>& files)
{
    std::vector<FileBefore> out;
    for (const ImageChanges* rec : files) {
        FileBefore f;
        f.path = rec->image->path();
        f.existed = rec->existed;
        f.size = rec->originalSize;
        for (const auto& [page, before] : rec->pages)
            if (!before.empty()) f.pages.emplace_back(page * pageSize, &before);
        out.push_back(std::move(f));
    }
    return out;
}

// Overwrites the start of the folder's journal (header and salt block).
void writePrefix(FileSystem& fs, const std::string& dir, const std::vector<uint8_t>& prefix, bool flush)
{
    auto journal = fs.open(detail::journalPath(fs, dir), OpenMode::ReadWrite);
    journal->write(0, prefix.data(), detail::journalPrefixSize);
    if (flush) journal->sync();
}

void markCold(FileSystem& fs, const std::string& dir, bool flush = true)
{
    writePrefix(fs, dir, detail::coldJournalHeader(), flush);
}

// The folder's journal, created when missing; a folder in which no file can be created is
// named as write-protected.
std::unique_ptr<File> openJournal(FileSystem& fs, const std::string& dir)
{
    const std::string path = detail::journalPath(fs, dir);
    const bool existed = fs.exists(path);
    try {
        return fs.open(path, OpenMode::CreateOrOpen);
    } catch (const IoError& e) {
        const std::string text = e.what();
        if (existed || (text.find("Zugriff verweigert") == std::string::npos
                        && text.find("schreibgeschützt") == std::string::npos))
            throw;
        throw IoError("Der Datenordner '" + dir + "' ist schreibgeschützt: Das Journal '" + fileNameOf(path)
                      + "' kann dort nicht angelegt werden. Änderungen sind nicht möglich.");
    }
}

void writeFolder(FileSystem& fs, const FolderWork& w)
{
    for (const ImageChanges* rec : w.files)
        if (!rec->image->removed()) writeChanges(fs, *rec);
    for (const ImageChanges* rec : w.files)
        if (rec->image->removed() && rec->existed) fs.remove(rec->image->path());
    if (w.folderChanged) fs.syncDirectory(w.dir);
}

} // namespace

void Storage::commitChanges(const std::vector<const ImageChanges*>& changes)
{
    if (changes.empty()) return;
    std::map<std::string, FolderWork> work;
    for (const ImageChanges* rec : changes) {
        const std::string dir = directoryOf(rec->image->path());
        FolderWork& w = work[keyOf(joinPath(dir, "x"))];
        w.dir = dir;
        w.files.push_back(rec);
        if (!rec->existed || rec->image->removed()) w.folderChanged = true;
    }
    // A folder whose earlier rollback failed is refused; a journal left by a commit whose
    // cold mark failed is put right before anything new is written.
    for (auto& [key, w] : work) {
        refuseIfBroken(w.dir);
        recoverFolder(w.dir);
        const std::string journal = detail::journalPath(fs_, w.dir);
        if (fs_.exists(journal) && fs_.isDirectory(journal)) throw IoError(journalNotAFile(journal));
    }
    // Every folder's writer lock is held (taken before the first change); readers wait while
    // the files are between two states, and the counter tells them to reload afterwards.
    std::vector<FolderLock*> committing;
    struct EndCommits {
        std::vector<FolderLock*>& locks;
        ~EndCommits()
        {
            for (FolderLock* l : locks) l->endCommit();
        }
    } endCommits{committing};
    for (auto& [key, w] : work) {
        Folders::State& state = folders_->of(w.dir);
        if (!mayWrite(state)) ensureWriter(joinPath(w.dir, "x"));
        FolderLock& lock = lockOf(state);
        lock.beginCommit();
        committing.push_back(&lock);
        state.seen = lock.bumpCounter();
    }

    // In one folder a commit found complete may stay, so its cold mark needs no flush. Over
    // several folders every journal must roll back until all of them are marked cold.
    const bool oneFolder = work.size() == 1;

    // 1. The journals, complete and flushed, before any file changes.
    try {
        for (auto& [key, w] : work) {
            Folders::State& state = folders_->of(w.dir);
            w.journal = detail::encodeJournal(++folders_->salt, w.files,
                                              oneFolder ? detail::journalHot : detail::journalRollBack);
            // Another program may have removed the journal when it ended: a new one's name is flushed too.
            const bool existed = fs_.exists(detail::journalPath(fs_, w.dir));
            auto journal = openJournal(fs_, w.dir);
            journal->write(0, w.journal.data(), w.journal.size());
            journal->sync();
            if (!state.journalWritten || !existed) {
                fs_.syncDirectory(w.dir);
                state.journalWritten = true;
            }
        }
    } catch (...) {
        // The files are untouched; a journal left hot would only restore what is there.
        for (auto& [key, w] : work) {
            if (w.journal.empty()) continue;
            try {
                markCold(fs_, w.dir);
            } catch (...) {
            }
        }
        throw;
    }

    // 2. The files.
    try {
        for (auto& [key, w] : work) writeFolder(fs_, w);
        if (!oneFolder)
            for (auto& [key, w] : work) markCold(fs_, w.dir); // 3., the commit point
    } catch (...) {
        if (!putBack(work)) throw;
        return;
    }
    if (!oneFolder) return;
    // Past the commit point: a cold mark that fails is left to the next opening.
    Folders::State& state = folders_->of(work.begin()->second.dir);
    try {
        markCold(fs_, work.begin()->second.dir, false);
    } catch (...) {
        state.recovered = false;
    }
}

// After a failure before the commit point: the files go back to their state before the
// commit, with the journal hot again while that happens (it may have been marked cold already)
// and set to roll back even where the files are complete, since the commit counts as failed.
// Returns true when that was impossible but a recovery will keep the commit (see above).
bool Storage::putBack(std::map<std::string, FolderWork>& work)
{
    bool kept = false;
    for (auto& [key, w] : work) {
        Folders::State& state = folders_->of(w.dir);
        try {
            writePrefix(fs_, w.dir, detail::rollBackPrefix(w.journal), true);
        } catch (...) {
            // The journal may not be turned; what is on disk decides.
            bool keeps = false;
            try {
                keeps = work.size() == 1 && detail::recoveryKeeps(fs_, w.dir);
            } catch (...) {
            }
            state.recovered = false;
            if (keeps) kept = true;
            else state.broken = true;
            continue;
        }
        try {
            detail::restoreFiles(fs_, w.dir, beforeStates(w.files));
            markCold(fs_, w.dir);
        } catch (...) {
            state.recovered = false;
            state.broken = true;
        }
    }
    return kept;
}

} // namespace trevo::engine
