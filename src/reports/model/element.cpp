#include "reports/model/element.h"

#include <array>

namespace trevo::reports {
namespace {

constexpr std::array<const char*, 9> kindNames = {"label", "field", "expression", "richtext", "text",
                                                   "line", "rect", "picture", "grid"};

} // namespace

bool GridElement::hasTitles() const
{
    for (const GridColumn& c : columns)
        if (!c.title.isEmpty()) return true;
    return false;
}

QString kindName(ElementKind kind)
{
    return QString::fromLatin1(kindNames[static_cast<size_t>(kind)]);
}

std::optional<ElementKind> kindFromName(QStringView name)
{
    for (size_t i = 0; i < kindNames.size(); ++i)
        if (name == QLatin1String(kindNames[i])) return static_cast<ElementKind>(i);
    return std::nullopt;
}

} // namespace trevo::reports
