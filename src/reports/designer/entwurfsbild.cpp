#include "reports/designer/entwurfsbild.h"

#include "engine/core/error.h"
#include "reports/model/expression.h"
#include "reports/render/band_layout.h"

namespace trevo::reports::designer {

namespace {

QString platzhalter(const QString& name)
{
    return u'[' + name + u']';
}

QString ausdruckText(const ExprElement& x)
{
    QString why;
    const std::optional<Expression> parsed = parseExpression(x.expression, &why);
    if (!parsed) return x.expression;
    QString out;
    for (const Term& t : parsed->terms) {
        switch (t.kind) {
        case Term::Kind::Text: out += t.text; break;
        case Term::Kind::Field: out += platzhalter(t.field); break;
        case Term::Kind::Page: out += platzhalter(QStringLiteral("Seite")); break;
        case Term::Kind::PageCount: out += platzhalter(QStringLiteral("Seitenzahl")); break;
        case Term::Kind::PrintDate: out += platzhalter(QStringLiteral("Druckdatum")); break;
        case Term::Kind::Sum: out += platzhalter(QStringLiteral("Summe ") + t.field); break;
        case Term::Kind::Count: out += platzhalter(QStringLiteral("Anzahl")); break;
        }
    }
    return out;
}

// The element as the designer shows it: texts in place of data, boxes that do not grow.
Element entwurfsElement(const Element& e)
{
    Element out = e;
    if (e.as<FieldElement>() || e.as<ExprElement>()) {
        out.data = LabelElement{entwurfsText(e)};
    } else if (e.as<RichTextElement>()) {
        out.data = TextElement{{entwurfsText(e)}, false};
    } else if (auto* t = out.as<TextElement>()) {
        t->stretch = false;
    }
    return out;
}

} // namespace

QString entwurfsText(const Element& e)
{
    if (const auto* l = e.as<LabelElement>()) return l->text;
    if (const auto* f = e.as<FieldElement>()) return f->bound() ? platzhalter(f->field) : QStringLiteral("[kein Feld]");
    if (const auto* x = e.as<ExprElement>()) return ausdruckText(*x);
    if (const auto* r = e.as<RichTextElement>())
        return r->field.isEmpty() ? QStringLiteral("[kein Feld]") : platzhalter(r->field);
    if (const auto* t = e.as<TextElement>()) return t->lines.join(u'\n');
    return {};
}

EntwurfsZeichner::EntwurfsZeichner(engine::Database& db)
    : data_(db, db.session(), [](const std::string&) { return std::string(); })
{
}

std::vector<PageItem> EntwurfsZeichner::band(const Band& band)
{
    Band bild;
    bild.kind = band.kind;
    bild.heightMm = band.heightMm;
    for (const Element& e : band.elements) bild.elements.push_back(entwurfsElement(e));
    PrintContext ctx{data_, totals_, hooks_, pictures_};
    // Pictures are decoded once per element; the copies are made anew each time.
    pictures_.clear();
    try {
        return layoutBand(bild, ctx).items;
    } catch (const std::exception&) {
        return {}; // no element of the copy reads data; nothing else can fail
    }
}

} // namespace trevo::reports::designer
