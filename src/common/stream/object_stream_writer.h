#pragma once
// Writes a binary object stream in the format the reader understands. Integers take
// the smallest code that holds them (8, 16, 32, 64 bit); floats are 10-byte extended
// unless the value asks for single or date; texts are code page 1252 with a length
// byte (up to 255 bytes) or a 32-bit length, and UTF-16 when 1252 cannot hold them.
#include "common/stream/stream_value.h"

#include <string>

namespace trevo::common {

// Throws engine::ValueError for names longer than 255 bytes.
std::string writeObjectStream(const StreamObject& object);

} // namespace trevo::common
