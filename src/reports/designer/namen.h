#pragma once
// The German names the designer shows for bands and kinds of elements.
#include "reports/model/band.h"

#include <QString>

namespace trevo::reports::designer {

QString bereichsName(BandKind kind);   // "Seitenkopf", "Detail", ...
QString elementArtName(ElementKind kind); // "Text", "Datenfeld", ...
// The stem of the names of new elements of that kind ("Text", "Feld", ...).
QString namensStamm(ElementKind kind);

inline constexpr BandKind alleBereiche[] = {BandKind::Title,       BandKind::PageHeader, BandKind::ColumnHeader,
                                            BandKind::GroupHeader, BandKind::Detail,     BandKind::GroupFooter,
                                            BandKind::Summary,     BandKind::PageFooter};

} // namespace trevo::reports::designer
