#pragma once
// Code pages of dBASE tables, chosen by the language driver byte of the table header or
// by a .cpg file beside the table. Inside the program text is UTF-8; the table holds
// code page bytes: single-byte pages, or UTF-8 itself when a .cpg file says so.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace trevo::engine {

class CodePage {
public:
    // A single-byte page; without an upper half the page is UTF-8.
    CodePage(int number, const char* name, const char16_t* upperHalf);

    int number() const { return number_; }     // 1252, 437, ...
    const char* name() const { return name_; } // "Windows-1252", "DOS-437", ...

    bool isUtf8() const { return upper_ == nullptr; }

    // Every byte reads as a character, so decoding never fails (in UTF-8 a byte that
    // belongs to no complete character reads as U+FFFD).
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

// UTF-8 as the code page of a table (65001).
const CodePage& utf8CodePage();
// The code page a .cpg file names, as written by GIS programs and others: "UTF-8",
// "1252", "ANSI 1252", "CP850", "OEM 850", "ISO-8859-1", "88591", ... Blanks, case and a
// byte-order mark do not count. Null when the text names no page that is read here.
const CodePage* codePageNamed(std::string_view text);

} // namespace trevo::engine
