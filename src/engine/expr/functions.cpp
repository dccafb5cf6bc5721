#include "engine/expr/functions.h"

#include "engine/core/collation.h"
#include "engine/expr/bind.h"
#include "engine/expr/error.h"

#include <algorithm>
#include <cmath>

namespace trevo::engine::expr {

namespace {

std::u32string codePoints(std::string_view s)
{
    std::u32string r;
    for (size_t i = 0; i < s.size();) r.push_back(nextCodePoint(s, i));
    return r;
}

std::string utf8(const std::u32string& s, size_t from, size_t count)
{
    std::string r;
    for (size_t i = from; i < s.size() && i < from + count; ++i) appendUtf8(r, s[i]);
    return r;
}

std::string textOf(const Value& v)
{
    if (v.isText()) return v.text();
    auto t = convertValue(v, ValueType::Text);
    return t && t->isText() ? t->text() : std::string();
}

std::string trimChars(std::string_view s, std::string_view chars, bool left, bool right)
{
    const std::u32string cs = codePoints(chars.empty() ? std::string_view(" ") : chars);
    const std::u32string t = codePoints(s);
    size_t b = 0, e = t.size();
    auto in = [&](char32_t c) { return cs.find(c) != std::u32string::npos; };
    if (left)
        while (b < e && in(t[b])) ++b;
    if (right)
        while (e > b && in(t[e - 1])) --e;
    return utf8(t, b, e - b);
}

double roundHalfAway(double x, int decimals)
{
    const double p = std::pow(10.0, decimals);
    const double y = x * p;
    if (p == 0) return 0;                // rounded to more than 300 places before the point
    if (!std::isfinite(y)) return x;     // more places than a double holds
    // A representation error must not turn 2.675 into 2.67.
    const double r = std::round(y + (y >= 0 ? 1 : -1) * std::abs(y) * 1e-13);
    return r / p;
}

Value substring(const std::vector<Value>& a)
{
    const std::u32string t = codePoints(trimRight(textOf(a[0])));
    const double from = a[1].toNumber();
    double start = std::floor(from);
    double end = a.size() > 2 ? start + std::floor(a[2].toNumber()) : static_cast<double>(t.size()) + 1;
    if (start < 1) start = 1;
    if (end > static_cast<double>(t.size()) + 1) end = static_cast<double>(t.size()) + 1;
    if (end <= start) return Value::text("");
    return Value::text(utf8(t, static_cast<size_t>(start) - 1, static_cast<size_t>(end - start)));
}

} // namespace

Value callFunction(const Node& n, const EvalContext& ctx)
{
    std::vector<Value> a;
    a.reserve(n.args.size());
    for (const auto& arg : n.args) a.push_back(evaluate(*arg, ctx));
    const std::string& f = n.name;
    if (f == "COALESCE") {
        for (auto& v : a)
            if (!v.isNull()) return v;
        return Value::null();
    }
    for (const auto& v : a)
        if (v.isNull()) return Value::null();
    if (f == "UPPER") return Value::text(toUpperGerman(textOf(a[0])));
    if (f == "LOWER") return Value::text(toLowerGerman(textOf(a[0])));
    if (f == "TRIM" || f == "LTRIM" || f == "RTRIM") {
        const std::string chars = a.size() > 1 ? textOf(a[1]) : std::string(" ");
        return Value::text(trimChars(textOf(a[0]), chars, f != "RTRIM", f != "LTRIM"));
    }
    if (f == "SUBSTRING") return substring(a);
    if (f == "LENGTH" || f == "CHAR_LENGTH")
        return Value::number(static_cast<double>(codePoints(trimRight(textOf(a[0]))).size()));
    if (f == "YEAR" || f == "MONTH" || f == "DAY") {
        auto d = convertValue(a[0], ValueType::Date);
        if (!d) return Value::null();
        int y, m, day;
        civilFromDays(d->date(), y, m, day);
        return Value::number(f == "YEAR" ? y : f == "MONTH" ? m : day);
    }
    if (f == "ABS") return Value::number(std::abs(a[0].toNumber()));
    if (f == "ROUND") {
        const double places = a.size() > 1 ? std::clamp(a[1].toNumber(), -400.0, 400.0) : 0;
        const int decimals = static_cast<int>(places);
        return Value::number(roundHalfAway(a[0].toNumber(), decimals));
    }
    throw SqlError("Unbekannte Funktion '" + f + "' in Zeile " + std::to_string(n.line));
}

Value castValue(const Node& n, const EvalContext& ctx)
{
    const Value v = evaluate(*n.args[0], ctx);
    if (v.isNull()) return v;
    const ValueType to = valueTypeOf(n.castType);
    auto r = convertValue(v, to);
    if (!r) {
        const char* what = to == ValueType::Date ? "Datum" : to == ValueType::Number ? "Zahl" : "Wahrheitswert";
        throw SqlError("'" + v.toText() + "' lässt sich nicht in " + std::string(what) + " umwandeln (Zeile " +
                       std::to_string(n.line) + ")");
    }
    if (to == ValueType::Number && n.castLength > 0) return Value::number(roundHalfAway(r->number(), n.castDecimals));
    if (to == ValueType::Text && n.castLength > 0) {
        const std::u32string t = codePoints(r->text());
        if (t.size() > static_cast<size_t>(n.castLength)) return Value::text(utf8(t, 0, n.castLength));
    }
    return std::move(*r);
}

} // namespace trevo::engine::expr
