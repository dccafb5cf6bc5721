#pragma once
// The rollback journal of a folder. Layout (little-endian):
//   header, 32 bytes: "TRVOJNL1", u32 state (1 hot, 0 cold), u32 entry count, u64 salt,
//                     u32 reserved, u32 CRC-32 of the 28 bytes before it
//   salt block, 8 bytes: the salt once more (zero once the journal is cold)
//   entries:          u32 payload length, u8 type, payload, u32 CRC-32 of salt + type + payload
//     type 1, a file: u16 name length, name (relative to the folder), u8 existed, u64 size before
//     type 2, a page: u32 file ordinal, u64 offset, u32 length, the bytes before
// The salt differs for every commit, so entries left over from an earlier journal never
// pass the check. Reading stops at the first entry that fails it: the files were not
// touched before the journal was complete and flushed. A header that fails its own check
// was torn while being marked cold (or hot again): the journal then counts as hot with the
// salt of the salt block; the salt block is cleared together with the cold mark.
#include "fs/file_system.h"

#include <cstdint>
#include <string>
#include <vector>

namespace trevo::engine::detail {

struct ImageChanges;

constexpr size_t journalHeaderSize = 32;
constexpr size_t journalPrefixSize = journalHeaderSize + 8; // header and salt block

// A file as it was before a batch: what a rollback writes back.
struct FileBefore {
    std::string path;
    bool existed = true;
    uint64_t size = 0;
    std::vector<std::pair<uint64_t, const std::vector<uint8_t>*>> pages; // offset, bytes
};

std::vector<uint8_t> encodeJournal(uint64_t salt, const std::vector<const ImageChanges*>& files);
// The first journalPrefixSize bytes that mark a journal cold.
std::vector<uint8_t> coldJournalHeader();

struct ParsedJournal {
    bool hot = false;
    std::vector<std::string> names;
    std::vector<FileBefore> files; // paths are the bare names until placed in a folder
    std::vector<std::vector<uint8_t>> pageBytes;
};
ParsedJournal parseJournal(const std::vector<uint8_t>& bytes);

// Writes the before state back into the files of the folder and flushes them.
void restoreFiles(FileSystem& fs, const std::string& dir, const std::vector<FileBefore>& files);

// The journal of the folder (an existing one matched without regard to case).
std::string journalPath(FileSystem& fs, const std::string& dir);
// Rolls back a hot journal of the folder and marks it cold; false when there was none.
bool recoverJournal(FileSystem& fs, const std::string& dir);

} // namespace trevo::engine::detail
