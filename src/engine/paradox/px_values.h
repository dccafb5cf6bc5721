#pragma once
// Field values inside a Paradox record. All-zero bytes are a blank (NULL) value.
#include "engine/codepage/code_page.h"
#include "engine/core/value.h"
#include "engine/paradox/px_types.h"

#include <cstdint>
#include <string>

namespace trevo::engine::paradox {

// Reads a field that is not a blob field. `where` names the file for error texts.
Value decodeValue(const PxField& field, const uint8_t* p, const CodePage& cp, const std::string& where);
// Writes a field that is not a blob field; throws ValueError naming the field when the
// value does not fit (text too long, number out of range, wrong type).
void encodeValue(const PxField& field, const Value& v, const CodePage& cp, uint8_t* p);

// Whole days since 30.12.1899 <-> the Paradox day count (1.1.0001 is day 1).
int32_t paradoxDayFromDays(int32_t days);
int32_t daysFromParadoxDay(int32_t pdxDay);
// Whether a Paradox day count lies in the years 1 to 9999.
bool paradoxDayValid(int64_t pdxDay);

// The 10 bytes at the end of a blob field.
struct BlobPointer {
    uint32_t offsetAndIndex = 0; // block offset in the .MB, low byte the slot (0xFF: own block)
    uint32_t length = 0;
    uint16_t modification = 0;
};
BlobPointer readBlobPointer(const uint8_t* fieldEnd10);
void writeBlobPointer(uint8_t* fieldEnd10, const BlobPointer& ptr);

} // namespace trevo::engine::paradox
