#pragma once
// Reading one number field of many records quickly, straight from the bytes of the table's
// open file, for code that reads a whole table at once, with the decoding DbfTable::get
// uses, so every value is exactly what get() gives. The reader is valid while the table is
// not changed; a reader made before a change must not be used after it.
#include "engine/core/value.h"

#include <cstdint>
#include <memory>

namespace trevo::engine {

class DbfTable;
class FileImage;
class Storage;

class NumberReader {
public:
    // `storage` is the storage the table was opened from.
    NumberReader(Storage& storage, const DbfTable& table, int field);
    Value read(uint32_t recno) const;

private:
    const DbfTable& table_;
    int field_;
    std::shared_ptr<FileImage> image_; // null: every value through get()
    uint64_t start_ = 0, stride_ = 0;  // the field's bytes of record r: start_ + r * stride_
    uint32_t length_ = 0, records_ = 0;
};

} // namespace trevo::engine
