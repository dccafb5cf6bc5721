#pragma once
// Data blocks of Paradox files. Block n (from 1) starts at headerSize + (n-1) * block
// size with 6 bytes: next block, previous block (0 = none) and (records - 1) * record
// size, then the records. The header names the first and last block of the chain.
#include "engine/paradox/px_header.h"

#include <vector>

namespace trevo::engine::paradox {

// The records of a table-like file in chain order, as raw bytes.
std::vector<Bytes> readRecords(const Bytes& file, const PxHeader& h, const std::string& name);

struct BlockLayout {
    std::vector<uint16_t> blockOfRecord;  // block number holding each record
    std::vector<size_t> firstRecordOfBlock; // index of each block's first record
};

// Appends the records (each h.recordSize bytes) in blocks after the header, filling
// each block as far as it goes, and sets the block counters and record count of `h`.
Bytes buildFile(PxHeader& h, const std::vector<Bytes>& records, BlockLayout* layout = nullptr);

// A primary index over a file whose first `keySize` bytes of each record form the key:
// one entry per block of the indexed file (its first key, the block number, the number
// of records in it, 0), and upper levels over those until one root block remains.
Bytes buildPrimaryIndex(const PxHeader& indexed, const std::vector<Bytes>& records,
                        const BlockLayout& layout, size_t keySize, uint8_t keyFieldCount);

} // namespace trevo::engine::paradox
