#pragma once
// The rollback journal of a folder. Layout (little-endian):
//   header, 32 bytes: u32 state, "TRVOJNL1", u32 entry count, u64 salt, u32 reserved,
//                     u32 CRC-32 of the 24 bytes from the name to the reserved word
//     state 0 cold; 1 hot, but kept when the files already show the complete after state;
//     2 (or anything else) hot, always rolled back (commits over several folders, failed commits)
//   salt block, 8 bytes: the salt once more (zero once the journal is cold)
//   entries:          u32 payload length, u8 type, payload, u32 CRC-32 of salt + type + payload
//     type 1, a file:  u16 name length, name (relative to the folder), u8 existed, u64 size before
//     type 2, a page:  u32 file ordinal, u64 offset, u32 length, the bytes before
//     type 3, after:   u32 file ordinal, u8 exists after, u64 size after, u32 count,
//                      count times (u64 offset, u32 length, u64 fingerprint of the bytes after)
// The salt differs for every commit, so entries left over from an earlier journal never
// pass the check. Reading stops at the first entry that fails it: the files were not
// touched before the journal was complete and flushed.
// The state word stands first and outside the checksum, so that a torn rewrite of the
// header is decided by the new state: a cold mark torn after recovery kept a commit stays
// cold, a roll-back mark torn while a failed commit is undone still rolls back. A header
// failing its check takes the salt from the salt block (which the cold mark clears).
//
// Because a complete journal of state 1 also tells what the files look like after the
// commit, the cold mark needs no flush of its own: when it is lost, recovery finds the
// files complete and keeps them. Hence the commit point: a commit in one folder counts from
// the moment all its files show the after state beside its complete journal of state 1; a
// commit over several folders from the moment every journal is marked cold (commit.cpp says
// what a failure before and after it leaves).
#include "engine/fs/file_system.h"

#include <cstdint>
#include <string>
#include <vector>

namespace trevo::engine::detail {

struct ImageChanges;

constexpr size_t journalHeaderSize = 32;
constexpr size_t journalPrefixSize = journalHeaderSize + 8; // header and salt block

enum JournalState : uint32_t { journalCold = 0, journalHot = 1, journalRollBack = 2 };

struct PageCheck {
    uint64_t offset = 0;
    uint32_t length = 0;
    uint64_t fingerprint = 0;
};

// A file as it was before a batch (what a rollback writes back) and after it.
struct FileBefore {
    std::string path;
    bool existed = true;
    uint64_t size = 0;
    std::vector<std::pair<uint64_t, const std::vector<uint8_t>*>> pages; // offset, bytes
    bool hasAfter = false;
    bool existsAfter = true;
    uint64_t sizeAfter = 0;
    std::vector<PageCheck> after;
};

std::vector<uint8_t> encodeJournal(uint64_t salt, const std::vector<const ImageChanges*>& files,
                                   JournalState state);
// The first journalPrefixSize bytes that mark a journal cold.
std::vector<uint8_t> coldJournalHeader();
// The first journalPrefixSize bytes of a journal, turned to state 2.
std::vector<uint8_t> rollBackPrefix(const std::vector<uint8_t>& journal);

struct ParsedJournal {
    bool hot = false;
    bool mayKeep = false;  // state 1
    bool complete = false; // every entry the header counts was read
    std::vector<FileBefore> files; // paths are the bare names until placed in a folder
    std::vector<std::vector<uint8_t>> pageBytes;
};
ParsedJournal parseJournal(const std::vector<uint8_t>& bytes);

// Writes the before state back into the files of the folder and flushes them.
void restoreFiles(FileSystem& fs, const std::string& dir, const std::vector<FileBefore>& files);
// True when every file of the journal is exactly in its after state.
bool filesShowAfterState(FileSystem& fs, const std::string& dir, const std::vector<FileBefore>& files);

// The journal of the folder (an existing one matched without regard to case).
std::string journalPath(FileSystem& fs, const std::string& dir);
// True when a recovery would keep the files as they are now: a complete hot journal of
// state 1 beside files that all show their after state (the commit point, see commit.cpp).
bool recoveryKeeps(FileSystem& fs, const std::string& dir);
bool isRegularFile(FileSystem& fs, const std::string& path);
// Rolls back a hot journal of the folder (or keeps a commit found complete) and marks the
// journal cold; false when there was no hot journal.
bool recoverJournal(FileSystem& fs, const std::string& dir);

} // namespace trevo::engine::detail
