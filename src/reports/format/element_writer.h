#pragma once
// The writer's part for the elements of a band, and the spelling of values in the file.
#include "reports/model/element.h"

#include <QXmlStreamWriter>

namespace trevo::reports::format {

// The shortest decimal form that reads back as the same number.
void writeNumber(QXmlStreamWriter& w, const QString& attribute, double value);
// An element holding the text alone.
void writeText(QXmlStreamWriter& w, const QString& tag, const QString& text);
// The text without the control characters XML cannot hold (all but tab and line feed).
QString xmlSafe(const QString& text);
void writeElement(QXmlStreamWriter& w, const Element& e);

} // namespace trevo::reports::format
