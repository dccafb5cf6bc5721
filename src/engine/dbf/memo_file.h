#pragma once
// The memo file (.DBT) of a table: dBASE III (512-byte blocks, text ended by 0x1A 0x1A)
// or dBASE IV (block size in the header, each memo FF FF 08 00 + uint32 length + text).
// Holds code page bytes; the table converts them.
#include "engine/dbf/dbf_header.h"
#include "engine/storage/storage.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trevo::engine {

enum class MemoKind { DBase3, DBase4 };

class MemoFile {
public:
    static constexpr uint16_t kDefaultBlockSize = 512;

    // Reads the header; faults of the header are added to `faults`.
    MemoFile(std::shared_ptr<FileImage> image, MemoKind kind, std::string fileName,
             std::vector<DbfFault>& faults);

    // Writes the header of an empty memo file (new table, zap); inside an atomic scope.
    static void initialize(FileImage& image, MemoKind kind, const std::string& tableBaseName,
                           uint16_t blockSize = kDefaultBlockSize);

    MemoKind kind() const { return kind_; }
    uint16_t blockSize() const { return blockSize_; }
    uint32_t nextFree() const; // the block a new memo starts on
    const std::string& fileName() const { return fileName_; }
    FileImage& image() { return *image_; }
    bool usable() const { return usable_; }

    // The memo's bytes at a block; nullopt with a German reason when the reference is bad.
    std::optional<std::string> read(uint32_t block, std::string* fault = nullptr) const;

    // Stores a memo: in the old memo's blocks when it fits, else at the next free block.
    // Returns the block number (0 for an empty text, which needs no block).
    uint32_t write(uint32_t oldBlock, std::string_view bytes);

    // Empties the memo file (header only), keeping kind and block size.
    void reset(const std::string& tableBaseName);

    // Re-reads the header after the image was restored.
    void reload(std::vector<DbfFault>& faults);

private:
    // Bytes the memo at `block` occupies, rounded up to whole blocks; 0 when unreadable.
    uint64_t spanOf(uint32_t block) const;
    std::string encodeMemo(std::string_view bytes) const; // without padding
    void readHeader(std::vector<DbfFault>& faults);

    std::shared_ptr<FileImage> image_;
    MemoKind kind_;
    std::string fileName_;
    uint16_t blockSize_ = kDefaultBlockSize;
    bool usable_ = true;
};

// The memo at a block of a memo file's bytes; nullopt with a German reason when the
// reference is bad.
std::optional<std::string> readMemoBytes(const uint8_t* data, uint64_t size, MemoKind kind, uint16_t blockSize,
                                         uint32_t block, std::string* fault = nullptr);
// Whether the block begins like a dBASE IV memo (FF FF 08 00).
bool startsDbase4Memo(const uint8_t* data, uint64_t size, uint16_t blockSize, uint32_t block);

} // namespace trevo::engine
