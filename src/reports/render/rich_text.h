#pragma once
// Formatted text laid out at the measuring resolution (measure.h), the same way for
// working out its height and for painting it.
#include "reports/model/style.h"

#include <QTextDocument>

#include <memory>

namespace trevo::reports {

std::unique_ptr<QTextDocument> richDocument(const QString& html, const TextStyle& style, double widthMm);
double richHeightMm(const QString& html, const TextStyle& style, double widthMm);

} // namespace trevo::reports
