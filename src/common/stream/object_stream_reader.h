#pragma once
// Reads a binary object stream: "TPF0", then one object (optional prefix byte
// 0xF0|flags, class name, object name, properties up to a 0 byte, child objects up
// to a 0 byte). Every value code 0..20 is understood, so properties of any kind can
// be skipped by a caller that does not know them.
#include "common/stream/stream_value.h"

#include <string_view>

namespace trevo::common {

// Throws engine::FormatError with a German text and the byte position of the fault.
StreamObject readObjectStream(std::string_view bytes);

} // namespace trevo::common
