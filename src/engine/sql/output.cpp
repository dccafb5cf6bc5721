#include "engine/sql/output.h"

#include "engine/expr/eval.h"

#include <algorithm>

namespace trevo::engine::sql {

using expr::BinOp;
using expr::NodeKind;

namespace {

const Node* argOf(const Node& n, const std::vector<AggSpec>& aggs)
{
    if (n.kind == NodeKind::Aggregate && n.aggIndex >= 0 && static_cast<size_t>(n.aggIndex) < aggs.size())
        return aggs[n.aggIndex].arg.get();
    return n.args.empty() ? nullptr : n.args[0].get();
}

const FieldDef* fieldOf(const Node& n, const std::vector<TableSlot>& slots, const std::vector<AggSpec>& aggs)
{
    if (n.kind == NodeKind::Column && n.table >= 0 && n.outputRef < 0) return &slots[n.table].fields[n.field];
    if (n.kind == NodeKind::Aggregate && (n.name == "FIRST" || n.name == "MIN" || n.name == "MAX")) {
        const Node* a = argOf(n, aggs);
        return a ? fieldOf(*a, slots, aggs) : nullptr;
    }
    return nullptr;
}

int decimalsOf(const Node& n, const std::vector<TableSlot>& slots, const std::vector<AggSpec>& aggs)
{
    if (const FieldDef* f = fieldOf(n, slots, aggs)) return f->decimals;
    switch (n.kind) {
    case NodeKind::Literal: {
        if (!n.value.isNumber()) return 0;
        const std::string s = expr::numberText(n.value.number());
        const size_t dot = s.find('.');
        return dot == std::string::npos ? 0 : static_cast<int>(s.size() - dot - 1);
    }
    case NodeKind::Aggregate: {
        if (n.name == "COUNT") return 0;
        const Node* a = argOf(n, aggs);
        const int d = a ? decimalsOf(*a, slots, aggs) : 0;
        return n.name == "AVG" ? std::max(d, 2) : d;
    }
    case NodeKind::Binary: {
        const int a = decimalsOf(*n.args[0], slots, aggs), b = decimalsOf(*n.args[1], slots, aggs);
        if (n.op == BinOp::Mul) return a + b;
        if (n.op == BinOp::Div) return std::max(4, std::max(a, b));
        return std::max(a, b);
    }
    case NodeKind::Cast: return n.castDecimals;
    case NodeKind::Negate:
    case NodeKind::Convert: return decimalsOf(*n.args[0], slots, aggs);
    case NodeKind::Call:
        if (n.name == "ROUND" && n.args.size() > 1 && n.args[1]->kind == NodeKind::Literal)
            return static_cast<int>(n.args[1]->value.toNumber());
        if (n.name == "ABS" || n.name == "COALESCE") return decimalsOf(*n.args[0], slots, aggs);
        return 0;
    default: return 0;
    }
}

} // namespace

FieldDef outputField(const Node& n, const std::string& name, const std::vector<TableSlot>& slots,
                     const std::vector<AggSpec>& aggs)
{
    FieldDef d;
    d.name = name;
    const FieldDef* f = fieldOf(n, slots, aggs);
    switch (n.type) {
    case ValueType::Number:
        d.type = 'N';
        d.decimals = static_cast<uint8_t>(std::min(15, decimalsOf(n, slots, aggs)));
        d.length = f && n.kind == NodeKind::Column ? f->length : 20;
        if (f && f->type == 'F') d.type = 'F';
        break;
    case ValueType::Text:
        if (f && f->type == 'M') {
            d.type = 'M';
            d.length = 10;
        } else {
            d.type = 'C';
            d.length = f ? f->length : 254;
        }
        break;
    case ValueType::Date:
        d.type = 'D';
        d.length = 8;
        break;
    case ValueType::Logical:
        d.type = 'L';
        d.length = 1;
        break;
    case ValueType::Null:
        d.type = 'C';
        d.length = 254;
        break;
    }
    return d;
}

std::string generatedName(const Node& n, size_t position, const std::vector<TableSlot>& slots)
{
    if (n.kind == NodeKind::Column && n.table >= 0) return slots[n.table].fields[n.field].name;
    if (n.kind == NodeKind::Aggregate) {
        if (n.args.empty()) return n.name;
        const Node& a = *n.args[0];
        if (a.kind == NodeKind::Column && a.table >= 0) return n.name + " OF " + slots[a.table].fields[a.field].name;
        return n.name;
    }
    return "EXPR" + std::to_string(position + 1);
}

} // namespace trevo::engine::sql
