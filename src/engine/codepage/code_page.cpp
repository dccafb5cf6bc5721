#include "engine/codepage/code_page.h"

#include "engine/codepage/code_page_tables.h"
#include "engine/core/collation.h"

#include <algorithm>
#include <cstdio>

namespace trevo::engine {

namespace {

// The length of the UTF-8 character starting at `pos`, 0 when the bytes there are none.
size_t utf8Length(std::string_view s, size_t pos)
{
    const unsigned char b = static_cast<unsigned char>(s[pos]);
    size_t n = 0;
    char32_t cp = 0;
    if (b < 0x80) return 1;
    if (b >= 0xC2 && b <= 0xDF) n = 2, cp = b & 0x1F;
    else if (b >= 0xE0 && b <= 0xEF) n = 3, cp = b & 0x0F;
    else if (b >= 0xF0 && b <= 0xF4) n = 4, cp = b & 0x07;
    else return 0;
    if (pos + n > s.size()) return 0;
    for (size_t i = 1; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(s[pos + i]);
        if ((c & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (c & 0x3F);
    }
    const bool overlong = (n == 3 && cp < 0x800) || (n == 4 && cp < 0x10000);
    if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return n;
}

// Copies the complete characters; every other byte becomes U+FFFD.
void appendValidUtf8(std::string& out, std::string_view bytes)
{
    size_t pos = 0;
    while (pos < bytes.size()) {
        const size_t n = utf8Length(bytes, pos);
        if (n == 0) {
            out += "\xEF\xBF\xBD";
            ++pos;
        } else {
            out.append(bytes.substr(pos, n));
            pos += n;
        }
    }
}

} // namespace

CodePage::CodePage(int number, const char* name, const char16_t* upperHalf)
    : number_(number), name_(name), upper_(upperHalf)
{
    if (!upper_) return;
    reverse_.reserve(128);
    for (int i = 0; i < 128; ++i) reverse_.emplace_back(upper_[i], static_cast<uint8_t>(0x80 + i));
    std::sort(reverse_.begin(), reverse_.end());
}

void CodePage::appendDecoded(std::string& out, std::string_view bytes) const
{
    if (isUtf8()) {
        appendValidUtf8(out, bytes);
        return;
    }
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
    if (isUtf8()) {
        std::string checked;
        appendValidUtf8(checked, utf8);
        if (checked == utf8) return checked;
        size_t same = 0;
        while (same < utf8.size() && utf8[same] == checked[same]) ++same;
        if (bad) *bad = std::string(utf8.substr(same, 1));
        return std::nullopt;
    }
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

const CodePage* findPage(int number)
{
    // Made on first use, each once.
    static const std::vector<CodePage> pages = [] {
        std::vector<CodePage> v;
        for (const Seite& s : kSeiten) v.emplace_back(s.number, s.name, s.table);
        return v;
    }();
    for (const CodePage& p : pages)
        if (p.number() == number) return &p;
    return nullptr;
}

const CodePage& page(int number)
{
    const CodePage* p = findPage(number);
    return p ? *p : *findPage(1252);
}

// Upper case without blanks, '-', '_' and '.', so "ansi 1252" and "ISO-8859-1" compare simply.
std::string squeezed(std::string_view text)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    std::string out;
    for (char c : text) {
        if (c == ' ' || c == '-' || c == '_' || c == '.' || c == '\t' || c == '\r' || c == '\n') continue;
        out.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
    }
    return out;
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

const CodePage& utf8CodePage()
{
    static const CodePage utf8(65001, "UTF-8", nullptr);
    return utf8;
}

const CodePage* codePageNamed(std::string_view text)
{
    std::string name = squeezed(text);
    if (name == "UTF8" || name == "65001") return &utf8CodePage();
    // ISO-8859-1 differs from Windows-1252 only in control characters no table holds.
    if (name == "ISO88591" || name == "88591" || name == "LATIN1") return &page(1252);
    if (name == "MACINTOSH" || name == "MACROMAN") return &page(10000);
    for (const char* prefix : {"WINDOWS", "ANSI", "OEM", "IBM", "DOS", "WIN", "CP", "MS"}) {
        const std::string_view p(prefix);
        if (name.compare(0, p.size(), p) == 0) {
            name.erase(0, p.size());
            break;
        }
    }
    if (name.empty() || name.size() > 5 || name.find_first_not_of("0123456789") != std::string::npos) return nullptr;
    const int number = std::stoi(name);
    if (number == 65001) return &utf8CodePage();
    return findPage(number);
}

} // namespace trevo::engine
