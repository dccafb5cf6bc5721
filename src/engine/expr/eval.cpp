#include "engine/expr/eval.h"

#include "engine/core/collation.h"
#include "engine/expr/error.h"
#include "engine/expr/functions.h"
#include "engine/expr/token.h"

#include <cmath>

namespace trevo::engine::expr {

namespace {

const Value kNull;

// Three-valued truth: -1 unknown, 0 false, 1 true.
int truthOf(const Value& v)
{
    if (v.isNull()) return -1;
    if (v.isLogical()) return v.logical() ? 1 : 0;
    if (v.isNumber()) return v.number() != 0 ? 1 : 0;
    if (v.isText()) {
        auto l = convertValue(v, ValueType::Logical);
        return l ? (l->logical() ? 1 : 0) : -1;
    }
    return 1;
}

Value truthValue(int t) { return t < 0 ? Value::null() : Value::logical(t == 1); }

const Value& ref(const Node& n, const EvalContext& ctx, Value& scratch)
{
    if (n.folded) return n.foldedValue;
    switch (n.kind) {
    case NodeKind::Column: {
        if (n.outputRef >= 0) return ctx.outputs[n.outputRef];
        if (ctx.rows) {
            const Record* r = ctx.rows[n.table];
            return r ? (*r)[n.field] : kNull;
        }
        const uint32_t r = ctx.recnos[n.table];
        return r == kNoRecord ? kNull : (*ctx.columns[n.table][n.field])[r];
    }
    case NodeKind::Literal: return n.value;
    case NodeKind::Aggregate: return ctx.aggregates[n.aggIndex];
    default:
        scratch = evaluate(n, ctx);
        return scratch;
    }
}

int truth(const Node& n, const EvalContext& ctx);

int compareTruth(BinOp op, const Value& a, const Value& b)
{
    const bool eq = op == BinOp::Eq || op == BinOp::Ne;
    const auto c = compareValues(a, b, eq);
    if (!c) return -1;
    switch (op) {
    case BinOp::Eq: return *c == 0;
    case BinOp::Ne: return *c != 0;
    case BinOp::Lt: return *c < 0;
    case BinOp::Le: return *c <= 0;
    case BinOp::Gt: return *c > 0;
    case BinOp::Ge: return *c >= 0;
    default: return -1;
    }
}

int truthLike(const Node& n, const EvalContext& ctx)
{
    Value s1, s2, s3;
    const Value& a = ref(*n.args[0], ctx, s1);
    const Value& p = ref(*n.args[1], ctx, s2);
    if (a.isNull() || p.isNull()) return -1;
    char32_t esc = 0;
    if (n.args.size() > 2) {
        const Value& e = ref(*n.args[2], ctx, s3);
        if (e.isNull()) return -1;
        const std::string es = e.toText();
        size_t pos = 0;
        if (!es.empty()) esc = nextCodePoint(es, pos);
    }
    const bool m = likeMatch(a.isText() ? a.text() : a.toText(), p.isText() ? p.text() : p.toText(), esc);
    return m != n.negated;
}

int truthIn(const Node& n, const EvalContext& ctx)
{
    Value s1, s2;
    const Value& a = ref(*n.args[0], ctx, s1);
    if (a.isNull()) return -1;
    bool unknown = false;
    for (size_t i = 1; i < n.args.size(); ++i) {
        const Value& b = ref(*n.args[i], ctx, s2);
        const auto c = compareValues(a, b, true);
        if (!c) unknown = true;
        else if (*c == 0) return n.negated ? 0 : 1;
    }
    if (unknown) return -1;
    return n.negated ? 1 : 0;
}

int truthBetween(const Node& n, const EvalContext& ctx)
{
    Value s1, s2, s3;
    const Value& a = ref(*n.args[0], ctx, s1);
    const int lo = compareTruth(BinOp::Ge, a, ref(*n.args[1], ctx, s2));
    const int hi = compareTruth(BinOp::Le, a, ref(*n.args[2], ctx, s3));
    int t = (lo == 0 || hi == 0) ? 0 : (lo < 0 || hi < 0) ? -1 : 1;
    if (n.negated && t >= 0) t = 1 - t;
    return t;
}

int truth(const Node& n, const EvalContext& ctx)
{
    if (n.folded) return truthOf(n.foldedValue);
    switch (n.kind) {
    case NodeKind::Binary:
        if (n.op == BinOp::And) {
            const int a = truth(*n.args[0], ctx);
            if (a == 0) return 0;
            const int b = truth(*n.args[1], ctx);
            if (b == 0) return 0;
            return (a < 0 || b < 0) ? -1 : 1;
        }
        if (n.op == BinOp::Or) {
            const int a = truth(*n.args[0], ctx);
            if (a == 1) return 1;
            const int b = truth(*n.args[1], ctx);
            if (b == 1) return 1;
            return (a < 0 || b < 0) ? -1 : 0;
        }
        if (isComparison(n.op)) {
            Value s1, s2;
            return compareTruth(n.op, ref(*n.args[0], ctx, s1), ref(*n.args[1], ctx, s2));
        }
        break;
    case NodeKind::Not: {
        const int a = truth(*n.args[0], ctx);
        return a < 0 ? -1 : 1 - a;
    }
    case NodeKind::IsNull: {
        Value s;
        return isNullish(ref(*n.args[0], ctx, s)) != n.negated;
    }
    case NodeKind::Like: return truthLike(n, ctx);
    case NodeKind::In: return truthIn(n, ctx);
    case NodeKind::Between: return truthBetween(n, ctx);
    default: break;
    }
    Value s;
    return truthOf(ref(n, ctx, s));
}

Value dateOrNull(double days)
{
    if (!std::isfinite(days) || std::abs(days) > 3e6) return Value::null();
    return Value::date(static_cast<int32_t>(std::llround(days)));
}

Value arithmetic(BinOp op, const Value& a, const Value& b, bool failedIsNull)
{
    if (a.isNull() || b.isNull()) return Value::null();
    if (op == BinOp::Concat) {
        auto text = [](const Value& v) { return v.isNumber() ? numberText(v.number()) : v.toText(); };
        return Value::text(std::string(trimRight(text(a))) + text(b));
    }
    if (a.isText() && b.isText() && op == BinOp::Add) return Value::text(a.text() + b.text());
    if (a.isDate() || b.isDate()) {
        auto num = [](const Value& v) { return convertValue(v, ValueType::Number); };
        if (a.isDate() && b.isDate()) {
            if (op == BinOp::Sub) return Value::number(a.date() - b.date());
            return Value::null();
        }
        if (a.isDate() && (op == BinOp::Add || op == BinOp::Sub)) {
            auto n = num(b);
            if (!n) return Value::null();
            return dateOrNull(op == BinOp::Add ? a.date() + n->number() : a.date() - n->number());
        }
        if (b.isDate() && op == BinOp::Add) {
            auto n = num(a);
            return n ? dateOrNull(n->number() + b.date()) : Value::null();
        }
        return Value::null();
    }
    auto x = convertValue(a, ValueType::Number);
    auto y = convertValue(b, ValueType::Number);
    if (!x || !y) return Value::null();
    const double p = x->number(), q = y->number();
    double r = 0;
    switch (op) {
    case BinOp::Add: r = p + q; break;
    case BinOp::Sub: r = p - q; break;
    case BinOp::Mul: r = p * q; break;
    case BinOp::Div:
        if (q == 0) {
            if (failedIsNull) return Value::null();
            throw SqlError("Division durch Null");
        }
        r = p / q;
        break;
    default: return Value::null();
    }
    if (failedIsNull && !std::isfinite(r)) return Value::null();
    return numberResult(r);
}

[[noreturn]] void conversionError(const Node& n, const Value& v, ValueType to)
{
    std::string what;
    switch (to) {
    case ValueType::Date: what = "kein gültiges Datum"; break;
    case ValueType::Number: what = "keine gültige Zahl"; break;
    case ValueType::Logical: what = "kein Wahrheitswert (TRUE oder FALSE)"; break;
    default: what = "nicht umwandelbar"; break;
    }
    throw SqlError("'" + v.toText() + "' ist " + what + " (Zeile " + std::to_string(n.line) + ")");
}

Value convertNode(const Node& n, const EvalContext& ctx)
{
    Value s;
    const Value& v = ref(*n.args[0], ctx, s);
    if (v.isNull()) return Value::null();
    auto r = convertValue(v, n.type);
    if (r) return std::move(*r);
    if (n.constant) conversionError(n, v, n.type);
    return Value::null();
}

} // namespace

Value numberResult(double v)
{
    if (!std::isfinite(v)) throw SqlError("Das Ergebnis ist zu groß für eine Zahl");
    return Value::number(v);
}

bool isNullish(const Value& v) { return v.isNull() || (v.isText() && trimRight(v.text()).empty()); }

std::string numberText(double v)
{
    std::string s = formatNumber(v, -1);
    for (char& c : s)
        if (c == ',') c = '.';
    return s;
}

Value evaluate(const Node& n, const EvalContext& ctx)
{
    if (n.folded) return n.foldedValue;
    switch (n.kind) {
    case NodeKind::Literal: return n.value;
    case NodeKind::Column:
    case NodeKind::Aggregate: {
        Value s;
        return ref(n, ctx, s);
    }
    case NodeKind::Negate: {
        Value s;
        const Value& a = ref(*n.args[0], ctx, s);
        auto x = convertValue(a, ValueType::Number);
        return x ? Value::number(-x->number()) : Value::null();
    }
    case NodeKind::Binary:
        if (n.op == BinOp::And || n.op == BinOp::Or || isComparison(n.op)) return truthValue(truth(n, ctx));
        {
            Value s1, s2;
            return arithmetic(n.op, ref(*n.args[0], ctx, s1), ref(*n.args[1], ctx, s2), ctx.failedArithmeticIsNull);
        }
    case NodeKind::Not:
    case NodeKind::IsNull:
    case NodeKind::Like:
    case NodeKind::In:
    case NodeKind::Between: return truthValue(truth(n, ctx));
    case NodeKind::Convert: return convertNode(n, ctx);
    case NodeKind::Call: return callFunction(n, ctx);
    case NodeKind::Cast: return castValue(n, ctx);
    case NodeKind::Star: break;
    }
    return Value::null();
}

bool holds(const Node& n, const EvalContext& ctx) { return truth(n, ctx) == 1; }

void prepareConstants(Node& root, const Params* params)
{
    if (root.kind == NodeKind::Literal && params && root.param >= 0 &&
        static_cast<size_t>(root.param) < params->size()) {
        root.value = (*params)[root.param];
    }
    if (root.constant && root.kind != NodeKind::Literal) {
        for (auto& a : root.args) prepareConstants(*a, params);
        root.folded = false;
        EvalContext none;
        root.foldedValue = evaluate(root, none);
        root.folded = true;
        return;
    }
    for (auto& a : root.args) prepareConstants(*a, params);
}

std::optional<int> compareValues(const Value& a, const Value& b, bool forEquality)
{
    if (a.isNull() || b.isNull()) return std::nullopt;
    if (a.type() != b.type()) {
        ValueType target;
        if (a.isDate() || b.isDate()) target = ValueType::Date;
        else if (a.isLogical() || b.isLogical()) target = ValueType::Logical;
        else target = ValueType::Number;
        auto x = convertValue(a, target);
        auto y = convertValue(b, target);
        if (!x || !y) return std::nullopt;
        return compareValues(*x, *y, forEquality);
    }
    switch (a.type()) {
    case ValueType::Number: {
        const double x = a.number(), y = b.number();
        return x < y ? -1 : x > y ? 1 : 0;
    }
    case ValueType::Date: return a.date() < b.date() ? -1 : a.date() > b.date() ? 1 : 0;
    case ValueType::Logical: return static_cast<int>(a.logical()) - static_cast<int>(b.logical());
    case ValueType::Text: {
        const std::string_view x = trimRight(a.text()), y = trimRight(b.text());
        if (forEquality) return x == y ? 0 : 1;
        return collate(x, y);
    }
    case ValueType::Null: break;
    }
    return std::nullopt;
}

std::optional<Value> convertValue(const Value& v, ValueType to)
{
    if (v.isNull() || v.type() == to) return v;
    switch (to) {
    case ValueType::Date:
        if (v.isNumber()) {
            Value d = dateOrNull(v.number());
            if (d.isNull()) return std::nullopt;
            return d;
        }
        if (v.isText()) {
            if (trimRight(v.text()).find_first_not_of(' ') == std::string_view::npos) return Value::null(); // blank date
            if (auto d = parseDate(v.text())) return Value::date(*d);
        }
        return std::nullopt;
    case ValueType::Number:
        if (v.isDate()) return Value::number(v.date());
        if (v.isLogical()) return Value::number(v.logical() ? 1 : 0);
        if (v.isText()) {
            if (trimRight(v.text()).find_first_not_of(' ') == std::string_view::npos) return Value::null();
            if (auto n = parseNumber(v.text())) return Value::number(*n);
        }
        return std::nullopt;
    case ValueType::Logical:
        if (v.isNumber()) return Value::logical(v.number() != 0);
        if (v.isText()) {
            const std::string u = upperAscii(std::string(trimRight(v.text())));
            if (u.find_first_not_of(' ') == std::string::npos) return Value::null();
            if (u == "TRUE" || u == "T" || u == "WAHR" || u == "J" || u == "Y") return Value::logical(true);
            if (u == "FALSE" || u == "F" || u == "FALSCH" || u == "N") return Value::logical(false);
        }
        return std::nullopt;
    case ValueType::Text:
        if (v.isNumber()) return Value::text(numberText(v.number()));
        if (v.isLogical()) return Value::text(v.logical() ? "TRUE" : "FALSE");
        return Value::text(v.toText());
    case ValueType::Null: return v;
    }
    return std::nullopt;
}

} // namespace trevo::engine::expr
