#include "reports/render/band_layout.h"

#include "engine/dataset/field_text.h"
#include "reports/data/report_data.h"
#include "reports/render/element_items.h"
#include "reports/render/element_text.h"
#include "reports/render/memo_text.h"
#include "reports/render/rich_text.h"

namespace trevo::reports {
namespace {

QString memoText(const RichTextElement& r, const PrintContext& ctx)
{
    if (r.source.isEmpty() || r.field.isEmpty()) return {};
    const engine::Value v = ctx.data.value(r.source, r.field);
    return QString::fromStdString(engine::fieldText(ctx.data.fieldDef(r.source, r.field), v));
}

// Lays out one element; returns the height it takes from its top.
double layoutElement(Items& out, const Element& e, const PrintContext& ctx)
{
    double height = e.box.height();
    switch (e.kind()) {
    case ElementKind::Label:
    case ElementKind::Field:
    case ElementKind::Expr: addSingleLine(out, e, elementText(e, ctx)); break;
    case ElementKind::Text: {
        const auto& t = *e.as<TextElement>();
        const double needed = addLines(out, e, t.lines);
        if (t.stretch) height = std::max(height, needed);
        break;
    }
    case ElementKind::RichText: {
        const auto& r = *e.as<RichTextElement>();
        const QString text = memoText(r, ctx);
        if (text.isEmpty()) break;
        const QString html = memoHtml(text);
        const double needed = richHeightMm(html, e.style, e.box.width());
        if (r.stretch) height = std::max(height, needed);
        out.push_back(RichTextItem{QRectF(e.box.topLeft(), QSizeF(e.box.width(), height)), html, e.style});
        break;
    }
    case ElementKind::Line: out.push_back(LineItem{e.box.topLeft(), e.box.bottomRight(), e.as<LineElement>()->widthMm, e.style.colour}); break;
    case ElementKind::Rect: {
        const auto& r = *e.as<RectElement>();
        out.push_back(RectItem{e.box, r.widthMm, e.style.colour, r.fill});
        break;
    }
    case ElementKind::Picture: addPicture(out, e, *e.as<PictureElement>(), ctx); break;
    case ElementKind::Grid: addGrid(out, e, *e.as<GridElement>()); break;
    }
    addFrame(out, e.frame, QRectF(e.box.topLeft(), QSizeF(e.box.width(), height)));
    return height;
}

} // namespace

BandOutput layoutBand(const Band& band, const PrintContext& ctx)
{
    BandOutput out;
    out.heightMm = band.heightMm;
    for (const Element& e : band.elements) {
        const double height = layoutElement(out.items, e, ctx);
        if (height > e.box.height()) {
            const double below = std::max(0.0, band.heightMm - e.box.bottom());
            out.heightMm = std::max(out.heightMm, e.box.top() + height + below);
        }
    }
    return out;
}

void moveItem(PageItem& item, QPointF by)
{
    std::visit(
        [&](auto& i) {
            using T = std::decay_t<decltype(i)>;
            if constexpr (std::is_same_v<T, LineItem>) {
                i.from += by;
                i.to += by;
            } else {
                i.box.translate(by);
                if constexpr (std::is_same_v<T, TextRun>) {
                    i.clipLeftMm += by.x();
                    i.clipRightMm += by.x();
                }
            }
        },
        item);
}

double itemTop(const PageItem& item)
{
    if (const auto* l = std::get_if<LineItem>(&item)) return std::min(l->from.y(), l->to.y());
    return std::visit([](const auto& i) -> double {
        if constexpr (requires { i.box; }) return i.box.top();
        else return 0;
    }, item);
}

double itemBottom(const PageItem& item)
{
    if (const auto* l = std::get_if<LineItem>(&item)) return std::max(l->from.y(), l->to.y());
    return std::visit([](const auto& i) -> double {
        if constexpr (requires { i.box; }) return i.box.bottom();
        else return 0;
    }, item);
}

} // namespace trevo::reports
