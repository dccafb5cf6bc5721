#pragma once
// Blob fields and the .MB file.
//
// A blob field holds a leader (its size minus 10 bytes) and a pointer: block offset
// in the .MB (low byte: slot number, 0xFF for a block of its own), length, and a
// modification number. A value that fits the leader lives only in the record
// (offset 0). A longer one keeps its first bytes in the leader and the whole value
// in the .MB.
//
// The .MB is made of 4096-byte chunks. Chunk 0 is the header block (type 0). Values
// are read from type-2 blocks (one value: type, chunk count, length, modification
// number, then the bytes) and type-3 blocks (up to 64 small values: 12 bytes of block
// header, 64 slots of 5 bytes - data offset/16, size/16 rounded up, modification
// number, size mod 16 - and the data from offset 0x150). This writer stores every
// value in a type-2 block of its own.
#include "engine/paradox/px_bytes.h"
#include "engine/paradox/px_types.h"

#include <string>
#include <string_view>

namespace trevo::engine::paradox {

constexpr size_t kMbChunk = 4096;

class PxReader;

// The value of a blob field from its `field.size` bytes; `mb` may be null when the table
// has no .MB file.
std::string readBlobField(const PxField& field, const PxReader& bytes, const Bytes* mb,
                          const std::string& mbName);

class MbWriter {
public:
    MbWriter();
    // Writes the field bytes (leader and pointer) and, when needed, a block for the value.
    void writeField(const PxField& field, std::string_view value, uint8_t* p);
    const Bytes& bytes() const { return bytes_; }
    bool hasBlocks() const { return bytes_.size() > kMbChunk; }

private:
    Bytes bytes_;
    uint16_t modification_ = 0;
};

} // namespace trevo::engine::paradox
