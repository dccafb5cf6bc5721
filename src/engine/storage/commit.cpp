// The durable commit of a batch: journal of the before-images, flushed; the changed
// ranges into the files, flushed; the journal marked cold, flushed.
#include "storage/batch_impl.h"
#include "storage/journal.h"

#include "core/error.h"

#include <algorithm>
#include <map>

namespace trevo::engine {

using detail::FileBefore;
using detail::ImageChanges;
using detail::pageSize;

namespace {

struct FolderWork {
    std::string dir;
    std::vector<const ImageChanges*> files;
    bool journalStarted = false;
    bool folderChanged = false; // files created or removed
};

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

void markCold(FileSystem& fs, const std::string& dir)
{
    auto journal = fs.open(detail::journalPath(fs, dir), OpenMode::ReadWrite);
    const std::vector<uint8_t> cold = detail::coldJournalHeader();
    journal->write(0, cold.data(), cold.size());
    journal->sync();
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
        if (!rec->existed || rec->image->removed_) w.folderChanged = true;
    }
    // A folder whose earlier rollback failed is put right before anything new is written.
    for (auto& [key, w] : work) recoverFolder(w.dir);

    // 1. The journals, complete and flushed, before any file changes.
    try {
        for (auto& [key, w] : work) {
            Folders::State& state = folders_->of(w.dir);
            const std::vector<uint8_t> bytes = detail::encodeJournal(++folders_->salt, w.files);
            w.journalStarted = true;
            auto journal = fs_.open(detail::journalPath(fs_, w.dir), OpenMode::CreateOrOpen);
            journal->write(0, bytes.data(), bytes.size());
            journal->sync();
            if (!state.journalWritten) {
                fs_.syncDirectory(w.dir);
                state.journalWritten = true;
            }
        }
    } catch (...) {
        // The files are untouched; a journal left hot would only restore what is there.
        for (auto& [key, w] : work) {
            if (!w.journalStarted) continue;
            try {
                markCold(fs_, w.dir);
            } catch (...) {
            }
        }
        throw;
    }

    // 2. The files, 3. the journals marked cold. On failure put the files back at once.
    try {
        for (auto& [key, w] : work) {
            for (const ImageChanges* rec : w.files)
                if (!rec->image->removed_) writeChanges(fs_, *rec);
            for (const ImageChanges* rec : w.files)
                if (rec->image->removed_ && rec->existed) fs_.remove(rec->image->path());
            if (w.folderChanged) fs_.syncDirectory(w.dir);
        }
        for (auto& [key, w] : work) markCold(fs_, w.dir);
    } catch (...) {
        for (auto& [key, w] : work) {
            Folders::State& state = folders_->of(w.dir);
            try {
                detail::restoreFiles(fs_, w.dir, beforeStates(w.files));
                markCold(fs_, w.dir);
            } catch (...) {
                state.recovered = false; // replay the journal before the next change
                state.hot = true;
            }
        }
        throw;
    }
}

} // namespace trevo::engine
