#include "reports/data/field_check.h"

#include "engine/core/error.h"
#include "reports/data/report_data.h"
#include "reports/model/expression.h"

namespace trevo::reports {
namespace {

void checkExpression(const ExprElement& x, const ReportData& data)
{
    QString why;
    const std::optional<Expression> parsed = parseExpression(x.expression, &why);
    if (!parsed) throw engine::EngineError("fehlerhafter Ausdruck: " + why.toStdString());
    for (const Term& t : parsed->terms) {
        if (t.kind == Term::Kind::Field || t.kind == Term::Kind::Sum) data.fieldIndex(t.source, t.field);
        if (t.kind == Term::Kind::Count && !data.dataSet(t.source))
            throw engine::EngineError("unbekannte Datenquelle " + t.source.toStdString());
    }
}

void checkElement(const Element& e, const ReportData& data)
{
    if (const auto* f = e.as<FieldElement>(); f && f->bound()) data.fieldIndex(f->source, f->field);
    if (const auto* r = e.as<RichTextElement>(); r && !r->source.isEmpty()) data.fieldIndex(r->source, r->field);
    if (const auto* x = e.as<ExprElement>()) checkExpression(*x, data);
}

} // namespace

void checkFieldReferences(const Layout& layout, const ReportData& data)
{
    for (const Band& b : layout.bands) {
        if (b.kind == BandKind::GroupHeader) {
            const DataSource* detail = layout.detailSource();
            if (!detail) throw engine::EngineError("Der Gruppenkopf braucht einen Detailbereich mit Datenquelle.");
            data.fieldIndex(detail->name, b.groupField);
        }
        for (const Element& e : b.elements) {
            try {
                checkElement(e, data);
            } catch (const engine::EngineError& error) {
                const QString name = e.name.isEmpty() ? kindName(e.kind()) : e.name;
                throw engine::EngineError("Element " + name.toStdString() + ": " + error.what());
            }
        }
    }
}

} // namespace trevo::reports
