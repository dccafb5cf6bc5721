#pragma once
#include <cstdint>
#include <string>

namespace trevo::engine {

// One field of a dBASE table. Types: 'C' text, 'N' and 'F' numeric, 'D' date,
// 'L' logical, 'M' memo.
struct FieldDef {
    std::string name; // upper case, at most 10 characters
    char type = 'C';
    uint8_t length = 0;
    uint8_t decimals = 0;
    friend bool operator==(const FieldDef&, const FieldDef&) = default;
};

} // namespace trevo::engine
