#pragma once
// Repair of a damaged table header: the record count (and the record length) are set
// from what the file really holds. The original file is copied beside the table first.
#include "engine/storage/storage.h"

#include <string>
#include <vector>

namespace trevo::engine {

struct DbfRepair {
    std::string backupPath;           // the copy of the original; empty when nothing was changed
    std::vector<std::string> changes; // German, one sentence per change
};

// Sets the header's record count to the complete records the file holds, the record
// length to the one the records are read with, and puts the end marker after the last
// record. Before the first change it writes the original durably to "<file>.bak"
// (".bak2", ".bak3", ... when that exists). The change itself is one atomic commit.
// Throws FormatError when no table can be read from the file or when its size does not
// show which record length is right, EngineError when it is write-protected; then
// nothing is changed.
DbfRepair repairDbfHeader(Storage& storage, const std::string& path);

} // namespace trevo::engine
