#pragma once
// The pieces of a Paradox table held in memory: fields, header facts and records.
#include "engine/dbf/attachment.h" // Record

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace trevo::engine::paradox {

enum class PxType : uint8_t {
    Alpha = 0x01,
    Date = 0x02,
    Short = 0x03,
    Long = 0x04,
    Currency = 0x05,
    Number = 0x06,
    Logical = 0x09,
    Memo = 0x0C,
    Blob = 0x0D,
    FmtMemo = 0x0E,
    Ole = 0x0F,
    Graphic = 0x10,
    Time = 0x14,
    Timestamp = 0x15,
    AutoInc = 0x16,
    Bcd = 0x17,
    Bytes = 0x18,
};

bool isKnownType(uint8_t type);
// Memo, binary, formatted memo, OLE and graphic fields: a leader in the record, the
// full value in the .MB file when it does not fit the leader.
bool isBlobType(PxType type);
// Bytes that a field of the type takes in a record; 0 where the header says it.
size_t fixedFieldSize(PxType type);

struct PxField {
    std::string name;
    PxType type = PxType::Alpha;
    // Bytes in the record. For blob fields this is the leader plus the 10-byte pointer,
    // so a memo with 128 bytes kept in the record has size 138.
    uint8_t size = 0;
};

// File types of the header byte 0x04.
enum class PxFileType : uint8_t {
    KeyedTable = 0,
    PrimaryIndex = 1,
    UnkeyedTable = 2,
    SecondaryNonIncremental = 3,
    SecondaryIndexOfIndex = 4,
    SecondaryIncremental = 5,
};

// What a table keeps besides its records.
struct PxTableInfo {
    std::vector<PxField> fields;
    int keyFields = 0;        // leading fields that form the primary key
    uint32_t autoIncrement = 0; // last value handed out
    uint8_t blockSizeKb = 2;  // data block size in units of 1024 bytes
    uint8_t version = 0x0C;   // 7.x
    uint16_t codePage = 1252;
    std::string sortOrder = "ANSIINTL";
    uint8_t sortOrderCode = 0x62;
};

struct PxTableData {
    PxTableInfo info;
    std::vector<Record> records; // in key order for keyed tables
};

} // namespace trevo::engine::paradox
