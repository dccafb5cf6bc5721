#pragma once
// The texts that fields and expressions print, with the German conventions: decimal
// comma, dates dd.mm.yyyy, and display formats for numbers and dates.
#include "engine/core/value.h"
#include "engine/dbf/field.h"
#include "reports/model/element.h"
#include "reports/render/print_context.h"

namespace trevo::reports {

// A value as text: in the format when given (numbers, dates, logicals), else as its
// field holds it (def), else in its plain German form.
QString valueText(const engine::Value& v, const engine::FieldDef* def, const QString& format);

QString fieldElementText(const FieldElement& f, const PrintContext& ctx);
// EngineError for an expression that does not parse.
QString expressionText(const ExprElement& x, const PrintContext& ctx);
// The text of a label, field or expression; empty for other kinds.
QString elementText(const Element& e, const PrintContext& ctx);

} // namespace trevo::reports
