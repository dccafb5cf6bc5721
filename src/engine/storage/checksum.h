#pragma once
#include <cstddef>
#include <cstdint>

namespace trevo::engine::detail {

// CRC-32 (IEEE polynomial); pass the previous result to continue over more bytes.
uint32_t crc32(const void* data, size_t n, uint32_t previous = 0);
// A 64-bit fingerprint of a page's contents (FNV-1a).
uint64_t hash64(const void* data, size_t n);

} // namespace trevo::engine::detail
