#include "engine/codepage/code_page.h"

#include "engine/codepage/code_page_tables.h"
#include "engine/core/collation.h"

#include <algorithm>
#include <cstdio>

namespace trevo::engine {

CodePage::CodePage(int number, const char* name, const char16_t* upperHalf)
    : number_(number), name_(name), upper_(upperHalf)
{
    reverse_.reserve(128);
    for (int i = 0; i < 128; ++i) reverse_.emplace_back(upper_[i], static_cast<uint8_t>(0x80 + i));
    std::sort(reverse_.begin(), reverse_.end());
}

void CodePage::appendDecoded(std::string& out, std::string_view bytes) const
{
    for (unsigned char b : bytes) {
        if (b < 0x80)
            out.push_back(static_cast<char>(b));
        else
            appendUtf8(out, upper_[b - 0x80]);
    }
}

std::string CodePage::decode(std::string_view bytes) const
{
    std::string out;
    out.reserve(bytes.size());
    appendDecoded(out, bytes);
    return out;
}

std::optional<std::string> CodePage::encode(std::string_view utf8, std::string* bad) const
{
    std::string out;
    out.reserve(utf8.size());
    size_t pos = 0;
    while (pos < utf8.size()) {
        const unsigned char first = static_cast<unsigned char>(utf8[pos]);
        if (first < 0x80) {
            out.push_back(static_cast<char>(first));
            ++pos;
            continue;
        }
        const size_t start = pos;
        const char32_t cp = nextCodePoint(utf8, pos);
        auto it = std::lower_bound(reverse_.begin(), reverse_.end(), std::make_pair(cp, uint8_t{0}));
        if (cp == 0xFFFD || it == reverse_.end() || it->first != cp) {
            if (bad) *bad = std::string(utf8.substr(start, pos - start));
            return std::nullopt;
        }
        out.push_back(static_cast<char>(it->second));
    }
    return out;
}

namespace {

struct Seite {
    int number;
    const char* name;
    const char16_t* table;
};

const Seite kSeiten[] = {
    {1252, "Windows-1252", codepage_tables::cp1252}, {437, "DOS-437", codepage_tables::cp437},
    {850, "DOS-850", codepage_tables::cp850},         {852, "DOS-852", codepage_tables::cp852},
    {865, "DOS-865", codepage_tables::cp865},         {866, "DOS-866", codepage_tables::cp866},
    {1250, "Windows-1250", codepage_tables::cp1250}, {1251, "Windows-1251", codepage_tables::cp1251},
    {737, "DOS-737", codepage_tables::cp737},         {857, "DOS-857", codepage_tables::cp857},
    {860, "DOS-860", codepage_tables::cp860},         {861, "DOS-861", codepage_tables::cp861},
    {863, "DOS-863", codepage_tables::cp863},         {874, "Windows-874", codepage_tables::cp874},
    {1253, "Windows-1253", codepage_tables::cp1253}, {1254, "Windows-1254", codepage_tables::cp1254},
    {1255, "Windows-1255", codepage_tables::cp1255}, {1256, "Windows-1256", codepage_tables::cp1256},
    {1257, "Windows-1257", codepage_tables::cp1257}, {10000, "Mac-Roman", codepage_tables::mac_roman},
    {10007, "Mac-Kyrillisch", codepage_tables::mac_cyrillic}, {10029, "Mac-Latin2", codepage_tables::mac_latin2},
    {10006, "Mac-Griechisch", codepage_tables::mac_greek},
};

const CodePage& page(int number)
{
    // Made on first use, each once.
    static const std::vector<CodePage> pages = [] {
        std::vector<CodePage> v;
        for (const Seite& s : kSeiten) v.emplace_back(s.number, s.name, s.table);
        return v;
    }();
    for (const CodePage& p : pages)
        if (p.number() == number) return p;
    return pages.front();
}

// The language drivers of dBASE and its successors for single-byte code pages, by id.
// Multi-byte pages (Japanese, Chinese, Korean) are not among them: such tables read as
// unknown drivers.
int pageOfDriver(uint8_t id)
{
    switch (id) {
    case 0x03: case 0x57: case 0x58: case 0x59: return 1252;
    case 0x01: case 0x09: case 0x0B: case 0x0D: case 0x0F: case 0x11: case 0x15: case 0x18: case 0x19:
    case 0x1B: return 437;
    case 0x02: case 0x0A: case 0x0C: case 0x0E: case 0x10: case 0x12: case 0x14: case 0x16: case 0x1A:
    case 0x1D: case 0x25: case 0x37: return 850;
    case 0x1F: case 0x22: case 0x23: case 0x40: case 0x64: case 0x87: return 852;
    case 0x08: case 0x17: case 0x66: return 865;
    case 0x26: case 0x65: return 866;
    case 0x6A: case 0x86: return 737;
    case 0x6B: case 0x88: return 857;
    case 0x24: return 860;
    case 0x67: return 861;
    case 0x1C: case 0x6C: return 863;
    case 0x50: case 0x7C: return 874;
    case 0x7D: return 1255;
    case 0x7E: return 1256;
    case 0xC8: return 1250;
    case 0xC9: return 1251;
    case 0xCA: return 1254;
    case 0xCB: return 1253;
    case 0xCC: return 1257;
    case 0x04: return 10000;
    case 0x96: return 10007;
    case 0x97: return 10029;
    case 0x98: return 10006;
    default: return 0;
    }
}

} // namespace

const CodePage& codePageForDriver(uint8_t id, bool* known)
{
    // 0 is "unspecified": read as the Windows code page.
    const int number = id == 0 ? 1252 : pageOfDriver(id);
    if (known) *known = number != 0;
    return page(number == 0 ? 1252 : number);
}

std::string describeDriver(uint8_t id)
{
    bool known = false;
    const CodePage& p = codePageForDriver(id, &known);
    char buf[96];
    if (id == 0)
        std::snprintf(buf, sizeof buf, "0x00 (nicht angegeben, gelesen als %s)", p.name());
    else if (known)
        std::snprintf(buf, sizeof buf, "0x%02X (%s)", id, p.name());
    else
        std::snprintf(buf, sizeof buf, "0x%02X (unbekannt, gelesen als %s)", id, p.name());
    return buf;
}

} // namespace trevo::engine
