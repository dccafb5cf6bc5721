#pragma once
// Bounds-checked reading of the bytes of a Paradox file. A reader is a window on the
// bytes of one file (the whole file, its header, a data block, a record, a memo block);
// every access names its offset within the window and its length, and an access that
// reaches past the window throws the file's "beschädigt" error. The readers of headers,
// data blocks and blobs take their bytes only through it, so that a size check that is
// too weak cannot turn into a read past the end.
#include "engine/paradox/px_bytes.h"

#include <string>

namespace trevo::engine::paradox {

class PxReader {
public:
    // `kind` starts the error texts: "Datei", "Memodatei". The bytes must outlive the reader.
    PxReader(const Bytes& bytes, std::string fileName, std::string kind = "Datei");

    size_t size() const { return size_; }
    const std::string& fileName() const { return fileName_; }
    bool holds(size_t off, size_t n) const { return off <= size_ && n <= size_ - off; }

    // The n bytes at `off`.
    const uint8_t* at(size_t off, size_t n) const;
    uint8_t u8(size_t off) const { return *at(off, 1); }
    uint16_t le16(size_t off) const { return getLe16(at(off, 2)); }
    uint32_t le32(size_t off) const { return getLe32(at(off, 4)); }
    Bytes copy(size_t off, size_t n) const;
    std::string text(size_t off, size_t n) const;

    // The n bytes at `off` as a window of their own, called `region` in the errors
    // ("Dateikopf", "Block 3").
    PxReader part(size_t off, size_t n, std::string region) const;

    // Throws FormatError "<kind> '<file>' ist beschädigt: <what>".
    [[noreturn]] void damaged(const std::string& what) const;

private:
    PxReader(const PxReader& whole, const uint8_t* data, size_t size, size_t base, std::string region);
    [[noreturn]] void pastEnd(size_t off, size_t n) const;

    const uint8_t* data_;
    size_t size_;
    size_t base_ = 0; // offset of the window in the file, for the errors
    std::string fileName_, kind_, region_;
};

} // namespace trevo::engine::paradox
