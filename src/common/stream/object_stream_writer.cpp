#include "common/stream/object_stream_writer.h"

#include "engine/core/collation.h"
#include "engine/core/error.h"
#include "engine/paradox/ansi_text.h"
#include "common/stream/extended_float.h"

#include <bit>
#include <limits>

namespace trevo::common {
namespace {

class Writer {
public:
    std::string out;

    void code(StreamCode c) { out.push_back(static_cast<char>(c)); }
    void le(uint64_t v, int n)
    {
        for (int i = 0; i < n; ++i) out.push_back(static_cast<char>(v >> (8 * i)));
    }
    void shortString(const std::string& utf8)
    {
        const std::string a = engine::paradox::utf8ToAnsi(utf8);
        if (a.size() > 255) throw engine::ValueError("Name '" + utf8 + "' ist zu lang für den Objektdatenstrom");
        out.push_back(static_cast<char>(a.size()));
        out += a;
    }

    void integer(int64_t v)
    {
        if (v >= -128 && v <= 127) { code(StreamCode::Int8); le(static_cast<uint64_t>(v), 1); }
        else if (v >= -32768 && v <= 32767) { code(StreamCode::Int16); le(static_cast<uint64_t>(v), 2); }
        else if (v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max()) {
            code(StreamCode::Int32);
            le(static_cast<uint64_t>(v), 4);
        } else { code(StreamCode::Int64); le(static_cast<uint64_t>(v), 8); }
    }

    void text(const std::string& utf8)
    {
        bool lossless = false;
        const std::string a = engine::paradox::utf8ToAnsi(utf8, &lossless);
        if (lossless && a.size() <= 255) {
            code(StreamCode::String);
            out.push_back(static_cast<char>(a.size()));
            out += a;
        } else if (lossless) {
            code(StreamCode::LString);
            le(a.size(), 4);
            out += a;
        } else {
            std::u16string w;
            for (size_t pos = 0; pos < utf8.size();) {
                char32_t c = engine::nextCodePoint(utf8, pos);
                if (c >= 0x10000) {
                    c -= 0x10000;
                    w.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
                    w.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
                } else {
                    w.push_back(static_cast<char16_t>(c));
                }
            }
            code(StreamCode::WString);
            le(w.size(), 4);
            for (char16_t c : w) le(c, 2);
        }
    }

    void properties(const std::vector<StreamProperty>& props)
    {
        for (const auto& p : props) {
            if (p.name.empty()) throw engine::ValueError("Eigenschaft ohne Namen im Objektdatenstrom");
            shortString(p.name);
            value(p.value);
        }
        out.push_back(0);
    }

    void value(const StreamValue& v)
    {
        switch (v.kind) {
        case StreamKind::Null: code(StreamCode::Null); break;
        case StreamKind::List:
            code(StreamCode::List);
            for (const auto& e : v.list) value(e);
            out.push_back(0);
            break;
        case StreamKind::Integer: integer(v.integer); break;
        case StreamKind::Float:
            if (v.floatCode == StreamCode::Single) {
                code(StreamCode::Single);
                le(std::bit_cast<uint32_t>(static_cast<float>(v.real)), 4);
            } else if (v.floatCode == StreamCode::Date) {
                code(StreamCode::Date);
                le(std::bit_cast<uint64_t>(v.real), 8);
            } else {
                code(StreamCode::Extended);
                uint8_t b[10];
                encodeExtended(v.real, b);
                out.append(reinterpret_cast<const char*>(b), 10);
            }
            break;
        case StreamKind::Date: code(StreamCode::Date); le(std::bit_cast<uint64_t>(v.real), 8); break;
        case StreamKind::Currency: code(StreamCode::Currency); le(static_cast<uint64_t>(v.integer), 8); break;
        case StreamKind::Text: text(v.text); break;
        case StreamKind::Identifier: code(StreamCode::Ident); shortString(v.text); break;
        case StreamKind::Boolean: code(v.boolean ? StreamCode::True : StreamCode::False); break;
        case StreamKind::Binary: code(StreamCode::Binary); le(v.text.size(), 4); out += v.text; break;
        case StreamKind::Set:
            code(StreamCode::Set);
            for (const auto& s : v.set) {
                if (s.empty()) throw engine::ValueError("Leeres Element einer Menge im Objektdatenstrom");
                shortString(s);
            }
            out.push_back(0);
            break;
        case StreamKind::Nil: code(StreamCode::Nil); break;
        case StreamKind::Collection:
            code(StreamCode::Collection);
            for (const auto& it : v.items) {
                if (it.index) integer(*it.index);
                code(StreamCode::List);
                properties(it.properties);
            }
            out.push_back(0);
            break;
        }
    }

    void object(const StreamObject& o)
    {
        if (o.flags != 0 || o.childPos) {
            out.push_back(static_cast<char>(0xF0 | (o.flags & 0x0F) | (o.childPos ? 0x02 : 0)));
            if (o.childPos) integer(*o.childPos);
        }
        if (o.className.empty()) throw engine::ValueError("Klassenname fehlt im Objektdatenstrom");
        shortString(o.className);
        shortString(o.name);
        properties(o.properties);
        for (const auto& c : o.children) object(c);
        out.push_back(0);
    }
};

} // namespace

std::string writeObjectStream(const StreamObject& object)
{
    Writer w;
    w.out = "TPF0";
    w.object(object);
    return w.out;
}

} // namespace trevo::common
