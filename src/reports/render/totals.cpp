#include "reports/render/totals.h"

#include "reports/data/report_data.h"

#include <cmath>

namespace trevo::reports {

void Totals::Sum::add(const engine::Value& v)
{
    ++rows;
    if (v.isNull()) return;
    const double x = v.toNumber();
    if (decimals >= 0) units += std::llround(x * std::pow(10.0, decimals));
    else plain += x;
}

engine::Value Totals::Sum::value(bool count) const
{
    if (count) return engine::Value::number(static_cast<double>(rows));
    if (decimals >= 0) return engine::Value::number(static_cast<double>(units) / std::pow(10.0, decimals));
    return engine::Value::number(plain);
}

QString Totals::keyOf(const Term& t)
{
    return (t.kind == Term::Kind::Count ? QStringLiteral("#") : QStringLiteral("+")) + t.source.toUpper() + u'.' +
           t.field.toUpper();
}

void Totals::prepare(const Layout& layout, const ReportData& data)
{
    entries_.clear();
    const DataSource* detail = layout.detailSource();
    detailSource_ = detail ? detail->name.toUpper() : QString();
    for (const Band& b : layout.bands)
        for (const Element& e : b.elements)
            if (const auto* x = e.as<ExprElement>())
                if (const std::optional<Expression> parsed = parseExpression(x->expression, nullptr))
                    for (const Term& t : parsed->terms)
                        if (t.kind == Term::Kind::Sum || t.kind == Term::Kind::Count) addTerm(t, data);
}

void Totals::addTerm(const Term& t, const ReportData& data)
{
    const QString key = keyOf(t);
    if (entries_.count(key)) return;
    Entry e;
    e.term = t;
    e.detail = t.source.toUpper() == detailSource_;
    if (t.kind == Term::Kind::Sum) {
        e.def = data.fieldDef(t.source, t.field);
        const bool decimal = e.def.type == 'N' || e.def.type == 'F';
        e.report.decimals = e.group.decimals = decimal && e.def.decimals <= 15 ? e.def.decimals : -1;
    }
    if (!e.detail) sumAll(e, data);
    entries_[key] = e;
}

void Totals::sumAll(Entry& e, const ReportData& data)
{
    engine::TableDataSet* set = data.dataSet(e.term.source);
    if (!set) return;
    const int field = e.term.kind == Term::Kind::Sum ? data.fieldIndex(e.term.source, e.term.field) : -1;
    const size_t n = set->recordCount();
    for (size_t row = 0; row < n; ++row) e.report.add(field >= 0 ? set->rowValue(row, field) : engine::Value());
    e.group = e.report;
}

void Totals::addDetailRow(const ReportData& data)
{
    for (auto& [key, e] : entries_) {
        if (!e.detail) continue;
        const engine::Value v = e.term.kind == Term::Kind::Sum ? data.value(e.term.source, e.term.field) : engine::Value();
        e.report.add(v);
        e.group.add(v);
    }
}

void Totals::startGroup()
{
    for (auto& [key, e] : entries_)
        if (e.detail) e.group = Sum{e.group.decimals};
}

engine::Value Totals::value(const Term& term, bool group) const
{
    const auto it = entries_.find(keyOf(term));
    if (it == entries_.end()) return {};
    const Sum& s = group ? it->second.group : it->second.report;
    return s.value(term.kind == Term::Kind::Count);
}

const engine::FieldDef* Totals::field(const Term& term) const
{
    const auto it = entries_.find(keyOf(term));
    return it == entries_.end() || term.kind != Term::Kind::Sum ? nullptr : &it->second.def;
}

} // namespace trevo::reports
