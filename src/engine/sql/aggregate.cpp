#include "engine/sql/aggregate.h"

#include "engine/sql/budget.h"

namespace trevo::engine::sql {

void aggregateRow(const AggSpec& agg, AggState& st, const expr::EvalContext& ctx)
{
    if (agg.kind == AggKind::CountStar) {
        ++st.count;
        return;
    }
    if (agg.kind == AggKind::First) {
        if (!st.has) {
            st.value = expr::evaluate(*agg.arg, ctx);
            st.has = true;
        }
        return;
    }
    Value v = expr::evaluate(*agg.arg, ctx);
    if (expr::isNullish(v)) return;
    if (agg.distinct) {
        if (!st.seen) st.seen = std::make_unique<std::unordered_set<Value, ValueKeyHash, ValueKeyEqual>>();
        const size_t bytes = bytesOf(v) + 2 * sizeof(void*);
        if (!st.seen->insert(v).second) return;
        MemoryBudget::charge(bytes);
    }
    switch (agg.kind) {
    case AggKind::Count: ++st.count; break;
    case AggKind::Sum:
    case AggKind::Avg: {
        auto n = expr::convertValue(v, ValueType::Number);
        if (!n || n->isNull()) return;
        st.sum += n->number();
        ++st.count;
        break;
    }
    case AggKind::Min:
    case AggKind::Max: {
        if (!st.has) {
            st.value = std::move(v);
            st.has = true;
            break;
        }
        const int c = orderCompare(v, st.value);
        if ((agg.kind == AggKind::Min && c < 0) || (agg.kind == AggKind::Max && c > 0)) st.value = std::move(v);
        break;
    }
    default: break;
    }
}

Value aggregateResult(const AggSpec& agg, const AggState& st)
{
    switch (agg.kind) {
    case AggKind::CountStar:
    case AggKind::Count: return Value::number(static_cast<double>(st.count));
    case AggKind::Sum: return st.count ? expr::numberResult(st.sum) : Value::null();
    case AggKind::Avg: return st.count ? expr::numberResult(st.sum / static_cast<double>(st.count)) : Value::null();
    case AggKind::Min:
    case AggKind::Max:
    case AggKind::First: return st.has ? st.value : Value::null();
    }
    return Value::null();
}

size_t GroupKeyHash::operator()(const std::vector<Value>& key) const
{
    size_t h = 0x12345;
    ValueKeyHash vh;
    for (const auto& v : key) h = h * 1000003u ^ vh(v);
    return h;
}

bool GroupKeyEqual::operator()(const std::vector<Value>& a, const std::vector<Value>& b) const
{
    if (a.size() != b.size()) return false;
    ValueKeyEqual eq;
    for (size_t i = 0; i < a.size(); ++i)
        if (!eq(a[i], b[i])) return false;
    return true;
}

int orderCompare(const Value& a, const Value& b)
{
    if (a.isNull() || b.isNull()) return static_cast<int>(!a.isNull()) - static_cast<int>(!b.isNull());
    if (auto c = expr::compareValues(a, b, false)) return *c;
    return static_cast<int>(a.type()) - static_cast<int>(b.type());
}

} // namespace trevo::engine::sql
