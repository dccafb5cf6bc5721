#pragma once
// Internal records of a batch: the before-images of every file it changed (page-granular,
// taken at the first change of a page) and, once savepoints are used, an undo log of exact
// byte ranges and sizes so that a failing statement undoes only itself.
#include "engine/storage/storage.h"

#include <map>
#include <unordered_map>
#include <vector>

namespace trevo::engine::detail {

constexpr uint64_t pageSize = 4096;

struct ImageChanges {
    std::shared_ptr<FileImage> image;
    bool existed = true;     // the file existed when the batch first changed it
    bool removedHere = false; // removed by this batch
    uint64_t originalSize = 0;
    // Changed pages and their bytes before the batch (cut at originalSize, so empty
    // for pages that lie wholly behind the original end).
    std::map<uint64_t, std::vector<uint8_t>> pages;
};

struct UndoEntry {
    enum Kind : uint8_t { Bytes, Size, Created, Removed, Revived };
    Kind kind;
    FileImage* image;
    uint64_t value = 0; // Bytes: offset; Size: the size before
    std::vector<uint8_t> bytes;
};

} // namespace trevo::engine::detail
