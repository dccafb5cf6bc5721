#include "engine/dataset/locate_match.h"

#include "engine/core/collation.h"

namespace trevo::engine {

namespace {
bool blank(const Value& v) { return v.isNull() || (v.isText() && trimRight(v.text()).empty()); }
} // namespace

bool locateMatches(const FieldDef& def, const Value& stored, const Value& wanted, LocateOptions options)
{
    if (blank(wanted)) return blank(stored);
    if (blank(stored)) return false;
    if (def.type == 'C' || def.type == 'M' || stored.isText()) {
        std::string a(trimRight(stored.toText())), b(trimRight(wanted.toText()));
        if (options.caseInsensitive) {
            a = toUpperGerman(a);
            b = toUpperGerman(b);
        }
        return options.partialKey ? a.compare(0, b.size(), b) == 0 : a == b;
    }
    if (stored.isNumber()) return wanted.isNumber() && wanted.number() == stored.number();
    if (stored.isDate()) return (wanted.isDate() && wanted.date() == stored.date()) ||
                                (wanted.isNumber() && wanted.number() == stored.date());
    return stored == wanted;
}

} // namespace trevo::engine
