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
const CodePage& page1252() { static const CodePage p(1252, "Windows-1252", codepage_tables::cp1252); return p; }
const CodePage& page437() { static const CodePage p(437, "DOS-437", codepage_tables::cp437); return p; }
const CodePage& page850() { static const CodePage p(850, "DOS-850", codepage_tables::cp850); return p; }
const CodePage& page852() { static const CodePage p(852, "DOS-852", codepage_tables::cp852); return p; }
const CodePage& page865() { static const CodePage p(865, "DOS-865", codepage_tables::cp865); return p; }
const CodePage& page866() { static const CodePage p(866, "DOS-866", codepage_tables::cp866); return p; }
const CodePage& page1250() { static const CodePage p(1250, "Windows-1250", codepage_tables::cp1250); return p; }
const CodePage& page1251() { static const CodePage p(1251, "Windows-1251", codepage_tables::cp1251); return p; }
} // namespace

const CodePage& codePageForDriver(uint8_t id, bool* known)
{
    const CodePage* p = nullptr;
    switch (id) {
    case 0x00: // unspecified: read as the Windows code page
    case 0x03:
    case 0x57:
    case 0x58:
    case 0x59: p = &page1252(); break;
    case 0x01:
    case 0x0F: p = &page437(); break;
    case 0x02:
    case 0x10: p = &page850(); break;
    case 0x64: p = &page852(); break;
    case 0x65: p = &page866(); break;
    case 0x66: p = &page865(); break;
    case 0xC8: p = &page1250(); break;
    case 0xC9: p = &page1251(); break;
    default: break;
    }
    if (known) *known = p != nullptr;
    return p ? *p : page1252();
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
