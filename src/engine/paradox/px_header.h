#pragma once
// The header of a Paradox file (.DB, .PX, .Xnn, .Ynn), little-endian.
//
// Offsets read and written: 0x00 record size, 0x02 header size, 0x04 file type,
// 0x05 block size in KB, 0x06 record count, 0x0A blocks in use, 0x0C blocks in the
// file, 0x0E first and 0x10 last data block, 0x15 indexed field (.Xnn), 0x1E root
// block and 0x20 levels (index files), 0x21 field count, 0x23 key field count,
// 0x25 and 0x5C encryption, 0x29 sort order, 0x39 version (0x0C = 7.x), 0x3A blocks
// again, 0x49 the last auto-increment value. Table-like files (not .PX/.Ynn) of
// version 4 and later continue with a data header at 0x58 (0x6A: code page) and
// put the field list at 0x78, others at 0x58: (type, size) pairs, a table-name
// pointer, one name pointer per field, the table name (261 bytes in 7.x, 79 before),
// the NUL-terminated field names, the field numbers and the sort order name.
#include "engine/paradox/px_bytes.h"
#include "engine/paradox/px_types.h"

#include <string>

namespace trevo::engine::paradox {

struct PxHeader {
    uint16_t recordSize = 0;
    uint16_t headerSize = 0x800;
    PxFileType fileType = PxFileType::KeyedTable;
    uint8_t blockSizeKb = 2;
    uint32_t numRecords = 0;
    uint16_t usedBlocks = 0;
    uint16_t fileBlocks = 0;
    uint16_t firstBlock = 0;
    uint16_t lastBlock = 0;
    uint8_t indexFieldNumber = 0;
    uint16_t indexRoot = 0;
    uint8_t indexLevels = 0;
    uint16_t keyFields = 0;
    uint8_t version = 0x0C;
    uint8_t sortOrderCode = 0x62;
    uint32_t autoIncrement = 0;
    bool encrypted = false;
    uint16_t codePage = 1252;
    std::vector<PxField> fields;
    std::string tableName;
    std::string sortOrder;

    size_t blockSize() const { return size_t{blockSizeKb} * 1024; }
    bool tableLike() const;
};

// Throws FormatError naming `name` when the header is damaged or not a Paradox header.
PxHeader readHeader(const Bytes& file, const std::string& name);
// Returns the `headerSize` bytes of the header.
Bytes writeHeader(const PxHeader& h);

} // namespace trevo::engine::paradox
