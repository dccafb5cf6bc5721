#pragma once
// The elements the designer adds: each kind with a size and content to start from.
// Data fields and memos read the source of the detail band (else the first source) and
// the first field of its table; a picture shows the club's logo (the picture "LOGO").
#include "reports/model/layout.h"

#include <QStringList>

#include <functional>
#include <optional>

namespace trevo::reports::designer {

// Nothing for a data field or memo when the layout has no data source.
std::optional<Element> neuesElement(ElementKind kind, const Layout& layout,
                                    const std::function<QStringList(const QString& datei)>& felder);

// A free place for a new element of that size on the band: from the top left corner,
// moved down and right until no element of the band starts there.
QPointF freierPlatz(const Band& band, QSizeF groesse);

} // namespace trevo::reports::designer
