#include "reports/render/element_text.h"

#include "engine/core/error.h"
#include "engine/dataset/field_text.h"
#include "reports/data/report_data.h"

#include <optional>

namespace trevo::reports {

namespace {

// Whether the format is meant for values of that kind: number patterns hold 0 or #,
// date patterns d, m or y, formats of logicals name both values.
bool formatFits(const QString& format, const engine::Value& v)
{
    const bool number = format.contains(u'0') || format.contains(u'#');
    if (v.isNumber()) return number;
    if (v.isDate()) return !number && (format.contains(u'd') || format.contains(u'm') || format.contains(u'y'));
    if (v.isLogical()) return format.contains(u';');
    return false;
}

// A text that holds a plain number ("312.40", "16,8"), as the evaluation stores its
// totals in text fields; nothing for any other text.
std::optional<double> numberInText(const engine::Value& v)
{
    if (!v.isText()) return std::nullopt;
    QString text = QString::fromStdString(v.text()).trimmed();
    text.replace(u',', u'.');
    bool ok = false;
    const double n = text.toDouble(&ok);
    if (!ok || text.isEmpty() || !text.at(text.size() - 1).isDigit()) return std::nullopt;
    return n;
}

bool isNumberFormat(const QString& format)
{
    return format.contains(u'0') || format.contains(u'#');
}

} // namespace

QString valueText(const engine::Value& v, const engine::FieldDef* def, const QString& format)
{
    if (v.isNull()) return {};
    // A number format shows a number held as text like a number; other texts stay as they are.
    if (isNumberFormat(format))
        if (const auto n = numberInText(v)) return valueText(engine::Value::number(*n), nullptr, format);
    if (!format.isEmpty() && !formatFits(format, v)) return valueText(v, def, {});
    const engine::FieldDef plain{"", v.isDate() ? 'D' : v.isLogical() ? 'L' : v.isNumber() ? 'N' : 'C', 20, 0};
    const engine::FieldDef& d = def ? *def : plain;
    return QString::fromStdString(engine::formatValue(d, v, format.toStdString()));
}

QString fieldElementText(const FieldElement& f, const PrintContext& ctx)
{
    if (!f.bound()) return {};
    return valueText(ctx.data.value(f.source, f.field), &ctx.data.fieldDef(f.source, f.field), f.format);
}

namespace {

QString termText(const Term& t, const ExprElement& x, const PrintContext& ctx)
{
    switch (t.kind) {
    case Term::Kind::Text: return t.text;
    case Term::Kind::Field:
        return valueText(ctx.data.value(t.source, t.field), &ctx.data.fieldDef(t.source, t.field), x.format);
    case Term::Kind::Page: return QString::number(ctx.page);
    case Term::Kind::PageCount: return QString(pageCountMark);
    case Term::Kind::PrintDate: {
        const QDate d = ctx.hooks.printDate.isValid() ? ctx.hooks.printDate : QDate::currentDate();
        const auto days = engine::daysFromCivil(d.year(), d.month(), d.day());
        return valueText(engine::Value::date(days), nullptr, x.format);
    }
    case Term::Kind::Sum: return valueText(ctx.totals.value(t, ctx.group), ctx.totals.field(t), x.format);
    case Term::Kind::Count: return valueText(ctx.totals.value(t, ctx.group), nullptr, {});
    }
    return {};
}

} // namespace

QString expressionText(const ExprElement& x, const PrintContext& ctx)
{
    QString why;
    const std::optional<Expression> parsed = parseExpression(x.expression, &why);
    if (!parsed) throw engine::EngineError("fehlerhafter Ausdruck: " + why.toStdString());
    QString out;
    for (const Term& t : parsed->terms) out += termText(t, x, ctx);
    return out;
}

QString elementText(const Element& e, const PrintContext& ctx)
{
    if (const auto* l = e.as<LabelElement>()) return l->text;
    if (const auto* f = e.as<FieldElement>()) return fieldElementText(*f, ctx);
    if (const auto* x = e.as<ExprElement>()) return expressionText(*x, ctx);
    return {};
}

} // namespace trevo::reports
