#pragma once
// Single-byte code pages of dBASE tables, chosen by the language driver byte of the
// table header. Inside the program text is UTF-8; the table holds code page bytes.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace trevo::engine {

class CodePage {
public:
    CodePage(int number, const char* name, const char16_t* upperHalf);

    int number() const { return number_; }     // 1252, 437, ...
    const char* name() const { return name_; } // "Windows-1252", "DOS-437", ...

    // Every byte reads as a character, so decoding never fails.
    std::string decode(std::string_view bytes) const;
    void appendDecoded(std::string& out, std::string_view bytes) const;
    // The code page bytes of a UTF-8 text; on a character the code page cannot hold,
    // returns nullopt and sets *bad to that character (as UTF-8).
    std::optional<std::string> encode(std::string_view utf8, std::string* bad = nullptr) const;

private:
    int number_;
    const char* name_;
    const char16_t* upper_;
    std::vector<std::pair<char32_t, uint8_t>> reverse_; // sorted by code point
};

// The code page of a language driver id; unknown ids (and 0, "unspecified") give
// Windows-1252. `known` tells whether the id was one of the listed drivers.
const CodePage& codePageForDriver(uint8_t driverId, bool* known = nullptr);
// A readable description of the driver id for tools ("0x57 (Windows-1252)").
std::string describeDriver(uint8_t driverId);

} // namespace trevo::engine
