// The durable commit of a batch: journal of the before-images (and of the files' fingerprints
// after the commit), flushed; the changed ranges into the files, flushed; the journal marked
// cold (flushed only when the commit spans several folders, see journal.h).
#include "engine/storage/batch_impl.h"
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
    // A folder whose earlier rollback failed is put right before anything new is written.
    for (auto& [key, w] : work) recoverFolder(w.dir);
    // In one folder a commit found complete may stay, so its cold mark needs no flush. Over
    // several folders every journal must roll back until all of them are marked cold.
    const bool oneFolder = work.size() == 1;

    // 1. The journals, complete and flushed, before any file changes.
    try {
        for (auto& [key, w] : work) {
            Folders::State& state = folders_->of(w.dir);
            w.journal = detail::encodeJournal(++folders_->salt, w.files,
                                              oneFolder ? detail::journalHot : detail::journalRollBack);
            auto journal = fs_.open(detail::journalPath(fs_, w.dir), OpenMode::CreateOrOpen);
            journal->write(0, w.journal.data(), w.journal.size());
            journal->sync();
            if (!state.journalWritten) {
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

    // 2. The files, 3. the journals marked cold.
    try {
        for (auto& [key, w] : work) writeFolder(fs_, w);
        for (auto& [key, w] : work) markCold(fs_, w.dir, !oneFolder);
    } catch (...) {
        putBack(work);
        throw;
    }
}

// After a failure in the second or third step: the files go back to their state before the
// commit, with the journal hot again while that happens (it may have been marked cold already)
// and set to roll back even where the files are complete, since the commit counts as failed.
// Where that fails the journal stays hot and is replayed before the folder is used again.
void Storage::putBack(std::map<std::string, FolderWork>& work)
{
    for (auto& [key, w] : work) {
        Folders::State& state = folders_->of(w.dir);
        try {
            writePrefix(fs_, w.dir, detail::rollBackPrefix(w.journal), true);
        } catch (...) {
            // The journal may not be durably hot: better the files complete in either state
            // than half put back. Nothing more is written here.
            state.recovered = false;
            state.hot = true;
            continue;
        }
        try {
            detail::restoreFiles(fs_, w.dir, beforeStates(w.files));
            markCold(fs_, w.dir);
        } catch (...) {
            state.recovered = false;
            state.hot = true;
        }
    }
}

} // namespace trevo::engine
