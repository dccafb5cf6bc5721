#include "common/stream/object_stream_reader.h"

#include "engine/core/collation.h"
#include "engine/core/error.h"
#include "engine/paradox/ansi_text.h"
#include "common/stream/extended_float.h"

#include <bit>
#include <cstring>

namespace trevo::common {
namespace {

constexpr int kMaxDepth = 64;

class Reader {
public:
    explicit Reader(std::string_view b) : b_(b) {}

    StreamObject document()
    {
        if (b_.substr(0, 4) != "TPF0") fail("Kennung \"TPF0\" fehlt");
        pos_ = 4;
        StreamObject o = object(0);
        return o;
    }

private:
    [[noreturn]] void fail(const std::string& what) const
    {
        throw engine::FormatError("Der Objektdatenstrom ist beschädigt: " + what + " (Position " +
                                  std::to_string(pos_) + ")");
    }
    void need(uint64_t n) const
    {
        if (n > b_.size() - pos_) fail("unerwartetes Ende");
    }
    uint8_t u8()
    {
        need(1);
        return static_cast<uint8_t>(b_[pos_++]);
    }
    uint8_t peek()
    {
        need(1);
        return static_cast<uint8_t>(b_[pos_]);
    }
    uint64_t le(int n)
    {
        need(n);
        uint64_t v = 0;
        for (int i = n - 1; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(b_[pos_ + i]);
        pos_ += n;
        return v;
    }
    std::string raw(uint64_t n)
    {
        need(n);
        std::string s(b_.substr(pos_, n));
        pos_ += n;
        return s;
    }
    std::string shortString() { return engine::paradox::ansiToUtf8(raw(u8())); }

    std::string wide(uint64_t count)
    {
        need(count * 2);
        std::string out;
        for (uint64_t i = 0; i < count; ++i) {
            char32_t c = static_cast<char32_t>(le(2));
            if (c >= 0xD800 && c < 0xDC00 && i + 1 < count) {
                const char32_t lo = static_cast<char32_t>(le(2));
                ++i;
                c = (lo >= 0xDC00 && lo < 0xE000) ? 0x10000 + ((c - 0xD800) << 10) + (lo - 0xDC00) : 0xFFFD;
            } else if (c >= 0xD800 && c < 0xE000) {
                c = 0xFFFD;
            }
            engine::appendUtf8(out, c);
        }
        return out;
    }

    int64_t signedLe(int n)
    {
        const uint64_t v = le(n);
        const int shift = 64 - 8 * n;
        return static_cast<int64_t>(v << shift) >> shift;
    }

    StreamValue value(int depth)
    {
        if (depth > kMaxDepth) fail("zu tief verschachtelt");
        const size_t at = pos_;
        const uint8_t code = u8();
        StreamValue v;
        switch (static_cast<StreamCode>(code)) {
        case StreamCode::Null: v.kind = StreamKind::Null; break;
        case StreamCode::List:
            v.kind = StreamKind::List;
            while (peek() != 0) v.list.push_back(value(depth + 1));
            ++pos_;
            break;
        case StreamCode::Int8: v = StreamValue::ofInteger(signedLe(1)); break;
        case StreamCode::Int16: v = StreamValue::ofInteger(signedLe(2)); break;
        case StreamCode::Int32: v = StreamValue::ofInteger(signedLe(4)); break;
        case StreamCode::Int64: v = StreamValue::ofInteger(signedLe(8)); break;
        case StreamCode::Extended: {
            need(10);
            v = StreamValue::ofFloat(decodeExtended(reinterpret_cast<const uint8_t*>(b_.data() + pos_)));
            pos_ += 10;
            break;
        }
        case StreamCode::Single:
            v = StreamValue::ofFloat(std::bit_cast<float>(static_cast<uint32_t>(le(4))));
            v.floatCode = StreamCode::Single;
            break;
        case StreamCode::Date:
            v = StreamValue::ofFloat(std::bit_cast<double>(le(8)));
            v.kind = StreamKind::Date;
            v.floatCode = StreamCode::Date;
            break;
        case StreamCode::Currency:
            v.kind = StreamKind::Currency;
            v.integer = signedLe(8);
            v.real = static_cast<double>(v.integer) / 10000.0;
            break;
        case StreamCode::String: v = StreamValue::ofText(shortString()); break;
        case StreamCode::LString: v = StreamValue::ofText(engine::paradox::ansiToUtf8(raw(le(4)))); break;
        case StreamCode::WString: v = StreamValue::ofText(wide(le(4))); break;
        case StreamCode::Utf8String: v = StreamValue::ofText(raw(le(4))); break;
        case StreamCode::Ident: v = StreamValue::ofIdentifier(shortString()); break;
        case StreamCode::False: v = StreamValue::ofBoolean(false); break;
        case StreamCode::True: v = StreamValue::ofBoolean(true); break;
        case StreamCode::Nil: v.kind = StreamKind::Nil; break;
        case StreamCode::Binary:
            v.kind = StreamKind::Binary;
            v.text = raw(le(4));
            break;
        case StreamCode::Set:
            v.kind = StreamKind::Set;
            for (std::string s = shortString(); !s.empty(); s = shortString()) v.set.push_back(s);
            break;
        case StreamCode::Collection:
            v.kind = StreamKind::Collection;
            while (peek() != 0) v.items.push_back(item(depth + 1));
            ++pos_;
            break;
        default:
            pos_ = at;
            fail("unbekannter Werttyp " + std::to_string(code));
        }
        return v;
    }

    CollectionItem item(int depth)
    {
        CollectionItem it;
        const uint8_t c = peek();
        if (c == 2 || c == 3 || c == 4) it.index = value(depth).integer;
        if (u8() != static_cast<uint8_t>(StreamCode::List)) {
            --pos_;
            fail("Element einer Sammlung erwartet");
        }
        properties(it.properties, depth);
        return it;
    }

    void properties(std::vector<StreamProperty>& out, int depth)
    {
        for (std::string name = shortString(); !name.empty(); name = shortString())
            out.push_back({name, value(depth + 1)});
    }

    StreamObject object(int depth)
    {
        if (depth > kMaxDepth) fail("zu tief verschachtelt");
        StreamObject o;
        if ((peek() & 0xF0) == 0xF0) {
            o.flags = u8() & 0x0F;
            if (o.flags & 0x02) {
                const StreamValue pos = value(depth);
                if (pos.kind != StreamKind::Integer) fail("Position des Unterobjekts erwartet");
                o.childPos = pos.integer;
            }
        }
        o.className = shortString();
        if (o.className.empty()) fail("Klassenname fehlt");
        o.name = shortString();
        properties(o.properties, depth);
        while (peek() != 0) o.children.push_back(object(depth + 1));
        ++pos_;
        return o;
    }

    std::string_view b_;
    size_t pos_ = 0;
};

} // namespace

StreamObject readObjectStream(std::string_view bytes) { return Reader(bytes).document(); }

} // namespace trevo::common
