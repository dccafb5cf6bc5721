#include "reports/model/band.h"

#include <array>

namespace trevo::reports {
namespace {

constexpr std::array<const char*, 8> bandNames = {"title",        "page-header", "column-header", "group-header",
                                                  "detail",       "group-footer", "summary",      "page-footer"};

} // namespace

Element* Band::element(QStringView name)
{
    if (name.isEmpty()) return nullptr;
    for (Element& e : elements)
        if (e.name.compare(name, Qt::CaseInsensitive) == 0) return &e;
    return nullptr;
}

QString bandKindName(BandKind kind)
{
    return QString::fromLatin1(bandNames[static_cast<size_t>(kind)]);
}

std::optional<BandKind> bandKindFromName(QStringView name)
{
    for (size_t i = 0; i < bandNames.size(); ++i)
        if (name == QLatin1String(bandNames[i])) return static_cast<BandKind>(i);
    return std::nullopt;
}

} // namespace trevo::reports
