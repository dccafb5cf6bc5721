#pragma once
// Builds object streams byte by byte, as another writer would have written them.
#include <cstdint>
#include <string>
#include <string_view>

namespace trevo::common::test {

struct StreamBytes {
    std::string s;

    StreamBytes& raw(std::string_view v) { s += v; return *this; }
    StreamBytes& u8(int v) { s.push_back(static_cast<char>(v)); return *this; }
    StreamBytes& le(uint64_t v, int n)
    {
        for (int i = 0; i < n; ++i) s.push_back(static_cast<char>(v >> (8 * i)));
        return *this;
    }
    // Length byte and the bytes (already in code page 1252).
    StreamBytes& str(std::string_view v) { return u8(static_cast<int>(v.size())).raw(v); }
    StreamBytes& name(std::string_view v) { return str(v); }
    StreamBytes& shortText(std::string_view v) { return u8(6).str(v); }
    StreamBytes& ident(std::string_view v) { return u8(7).str(v); }
    StreamBytes& int8(int v) { return u8(2).le(static_cast<uint64_t>(v), 1); }
    StreamBytes& int16(int v) { return u8(3).le(static_cast<uint64_t>(v), 2); }
    StreamBytes& int32(int64_t v) { return u8(4).le(static_cast<uint64_t>(v), 4); }
    StreamBytes& header(std::string_view cls, std::string_view obj) { return raw("TPF0").str(cls).str(obj); }
};

// 1.95583 as the nearest 80-bit extended value, as the old program stored it.
inline const std::string kEurokursExtended("\x89\x29\x91\x44\x2F\xA3\x58\xFA\xFF\x3F", 10);

} // namespace trevo::common::test
