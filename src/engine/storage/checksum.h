#pragma once
#include <cstddef>
#include <cstdint>

namespace trevo::engine::detail {

// CRC-32 (IEEE polynomial); pass the previous result to continue over more bytes.
uint32_t crc32(const void* data, size_t n, uint32_t previous = 0);

} // namespace trevo::engine::detail
