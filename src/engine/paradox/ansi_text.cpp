#include "engine/paradox/ansi_text.h"

#include "engine/core/collation.h"

namespace trevo::engine::paradox {

const CodePage& codePageNumbered(uint16_t number)
{
    // Language driver ids of the dBASE tables that carry these code pages.
    static constexpr struct { uint16_t number; uint8_t driver; } kDrivers[] = {
        {437, 0x01}, {850, 0x02}, {852, 0x64}, {865, 0x66},
        {866, 0x65}, {1250, 0xC8}, {1251, 0xC9}, {1252, 0x57},
    };
    for (const auto& d : kDrivers)
        if (d.number == number) return codePageForDriver(d.driver);
    return codePageForDriver(0x57);
}

std::string encodeLossy(const CodePage& cp, std::string_view utf8, bool* lossless)
{
    if (auto whole = cp.encode(utf8)) {
        if (lossless) *lossless = true;
        return *whole;
    }
    if (lossless) *lossless = false;
    std::string out;
    for (size_t pos = 0; pos < utf8.size();) {
        const size_t start = pos;
        nextCodePoint(utf8, pos);
        auto c = cp.encode(utf8.substr(start, pos - start));
        out += c ? *c : std::string("?");
    }
    return out;
}

std::string ansiToUtf8(std::string_view ansi) { return codePageForDriver(0x57).decode(ansi); }

std::string utf8ToAnsi(std::string_view utf8, bool* lossless)
{
    return encodeLossy(codePageForDriver(0x57), utf8, lossless);
}

} // namespace trevo::engine::paradox
