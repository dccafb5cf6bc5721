#pragma once
// Conversion of single field values between their bytes in a record and Values.
#include "engine/core/value.h"
#include "engine/dbf/field.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace trevo::engine {

class CodePage;

// Reads a C, N, F, D or L field. Unreadable numbers, dates and logicals read as NULL
// (rawFieldFault tells why). Texts lose trailing blanks and NULs.
Value decodeField(const FieldDef& f, const uint8_t* bytes, const CodePage& cp);
// Reads the bytes of an N or F field: NULL for blanks and for bytes that are no number.
Value decodeNumber(const uint8_t* bytes, size_t length);

// A description of what is wrong with the stored bytes of a field, or nullopt.
std::optional<std::string> rawFieldFault(const FieldDef& f, const uint8_t* bytes);

// The block number of a memo reference: 0 for none; nullopt when the bytes are no number.
std::optional<uint32_t> decodeMemoRef(const uint8_t* bytes);
void encodeMemoRef(uint32_t block, uint8_t* out); // 10 bytes; block 0 writes blanks

// Writes a C, N, F, D or L value into `out` (f.length bytes). Throws ValueError naming
// the field when the value has the wrong type or does not fit; nothing is cut.
void encodeField(const FieldDef& f, const Value& v, const CodePage& cp, uint8_t* out);

// Text of a memo or text field in the code page; throws ValueError naming the field
// when a character cannot be held.
std::string encodeText(const FieldDef& f, std::string_view utf8, const CodePage& cp);

// A number rounded half away from zero to `decimals` places, in plain notation with '.'.
std::string fixedNumber(double v, int decimals);

// The rounded value as it would be stored in the field.
double roundToField(const FieldDef& f, double v);

// Messages shared by the conversions.
[[noreturn]] void throwDoesNotFit(const FieldDef& f, const std::string& shown);
[[noreturn]] void throwWrongType(const FieldDef& f, const Value& v);

} // namespace trevo::engine
