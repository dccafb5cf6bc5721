#include "reports/model/layout.h"

namespace trevo::reports {

const DataSource* Layout::source(QStringView name) const
{
    for (const DataSource& s : sources)
        if (s.name.compare(name, Qt::CaseInsensitive) == 0) return &s;
    return nullptr;
}

Band* Layout::band(BandKind kind)
{
    for (Band& b : bands)
        if (b.kind == kind) return &b;
    return nullptr;
}

const Band* Layout::band(BandKind kind) const
{
    for (const Band& b : bands)
        if (b.kind == kind) return &b;
    return nullptr;
}

Band& Layout::addBand(BandKind kind)
{
    if (Band* existing = band(kind)) return *existing;
    auto it = bands.begin();
    while (it != bands.end() && it->kind < kind) ++it;
    Band b;
    b.kind = kind;
    return *bands.insert(it, std::move(b));
}

Element* Layout::element(QStringView name)
{
    for (Band& b : bands)
        if (Element* e = b.element(name)) return e;
    return nullptr;
}

const Element* Layout::element(QStringView name) const
{
    return const_cast<Layout*>(this)->element(name);
}

Band* Layout::bandOf(const Element& e)
{
    for (Band& b : bands)
        for (const Element& candidate : b.elements)
            if (&candidate == &e) return &b;
    return nullptr;
}

const DataSource* Layout::detailSource() const
{
    const Band* detail = band(BandKind::Detail);
    return detail ? source(detail->source) : nullptr;
}

} // namespace trevo::reports
