#include "reports/render/band_split.h"

namespace trevo::reports {
namespace {

constexpr double eps = 1e-6;

bool unsplittable(const PageItem& item)
{
    return std::holds_alternative<TextRun>(item) || std::holds_alternative<ImageItem>(item);
}

// Divides an item that crosses the cut into the part above and the part below.
std::pair<PageItem, PageItem> divide(const PageItem& item, double cut)
{
    if (const auto* l = std::get_if<LineItem>(&item)) {
        const double t = (cut - l->from.y()) / (l->to.y() - l->from.y());
        const QPointF at = l->from + (l->to - l->from) * t;
        LineItem a = *l, b = *l;
        a.to = at;
        b.from = at;
        return {a, b};
    }
    if (const auto* r = std::get_if<RectItem>(&item)) {
        RectItem a = *r, b = *r;
        a.box.setBottom(cut);
        b.box.setTop(cut);
        return {a, b};
    }
    const auto& rich = std::get<RichTextItem>(item);
    RichTextItem a = rich, b = rich;
    a.box.setBottom(cut);
    b.box.setTop(cut);
    b.skipMm += cut - rich.box.top();
    return {a, b};
}

} // namespace

double cutAbove(const BandOutput& band, double room)
{
    double cut = room;
    bool moved = true;
    while (moved) {
        moved = false;
        for (const PageItem& item : band.items) {
            if (unsplittable(item) && itemTop(item) < cut - eps && itemBottom(item) > cut + eps) {
                cut = itemTop(item);
                moved = true;
            }
        }
    }
    return cut > eps ? cut : room;
}

BandOutput splitAt(BandOutput& band, double cut)
{
    BandOutput rest;
    rest.heightMm = std::max(0.0, band.heightMm - cut);
    std::vector<PageItem> kept;
    for (PageItem& item : band.items) {
        const double top = itemTop(item), bottom = itemBottom(item);
        if (top >= cut - eps && bottom > cut) {
            rest.items.push_back(std::move(item));
        } else if (bottom > cut + eps && !unsplittable(item)) {
            auto [above, below] = divide(item, cut);
            kept.push_back(std::move(above));
            rest.items.push_back(std::move(below));
        } else {
            kept.push_back(std::move(item));
        }
    }
    for (PageItem& item : rest.items) moveItem(item, QPointF(0, -cut));
    band.items = std::move(kept);
    band.heightMm = cut;
    return rest;
}

} // namespace trevo::reports
