#pragma once
// The 32-byte header and the field descriptors of a .DBF file.
#include "engine/dbf/field.h"

#include <cstdint>
#include <string>
#include <vector>

namespace trevo::engine {

class CodePage;

struct DbfHeader {
    uint8_t version = 0x03;
    uint8_t year = 0, month = 0, day = 0; // date of last update, year counted from 1900
    uint32_t recordCount = 0;
    uint16_t headerLength = 0;
    uint16_t recordLength = 0;       // the length the records are read with
    uint16_t headerRecordLength = 0; // as the header says (differs when it is damaged)
    uint32_t fieldsLength = 0;       // the record length the fields make, flag byte included
    uint8_t mdxFlag = 0;
    uint8_t languageDriver = 0;
    std::vector<FieldDef> fields;
    std::vector<uint32_t> offsets;  // of each field within a record (flag byte is 0)
    std::vector<uint8_t> tagFlags;  // index-tag flag byte of each descriptor
    bool terminatorFound = true;    // the 0x0D after the descriptors
    uint32_t usableRecords = 0;     // records read: recordCount, or fewer when the file is cut short
    uint32_t fileRecords = 0;       // complete records the file holds at recordLength
};

// A fault found while reading a header: serious ones make the table read-only.
struct DbfFault {
    std::string text; // German
    bool serious = false;
};

// Reads the header of a file image of `size` bytes. Throws FormatError naming `fileName`
// when no table can be read from it; tolerable faults are added to `faults`.
// `codePage` is the page named beside the table (a .cpg file), which wins over the driver byte.
DbfHeader parseDbfHeader(const uint8_t* data, uint64_t size, const std::string& fileName,
                         std::vector<DbfFault>& faults, const CodePage* codePage = nullptr);

// The header and descriptors as bytes (headerLength bytes, ending in 0x0D).
std::vector<uint8_t> encodeDbfHeader(const DbfHeader& h);

// Checks a field definition for a new table; throws ValueError with a German text.
void checkFieldDef(const FieldDef& f);

// "Die Datei 'X' ist beschädigt: <fault>"
std::string damagedText(const std::string& fileName, const std::string& fault);

uint16_t readU16(const uint8_t* p);
uint32_t readU32(const uint8_t* p);
void writeU16(uint8_t* p, uint16_t v);
void writeU32(uint8_t* p, uint32_t v);

} // namespace trevo::engine
