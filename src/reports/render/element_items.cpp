#include "reports/render/element_items.h"

#include "reports/render/measure.h"

namespace trevo::reports {

void addFrame(Items& out, const Frame& frame, const QRectF& box)
{
    if (!frame.any() || frame.widthMm <= 0) return;
    auto line = [&](QPointF a, QPointF b) { out.push_back(LineItem{a, b, frame.widthMm, frame.colour}); };
    if (frame.top) line(box.topLeft(), box.topRight());
    if (frame.bottom) line(box.bottomLeft(), box.bottomRight());
    if (frame.left) line(box.topLeft(), box.bottomLeft());
    if (frame.right) line(box.topRight(), box.bottomRight());
}

void addSingleLine(Items& out, const Element& e, const QString& text)
{
    if (text.isEmpty()) return;
    QString line = unifyLineFeeds(text);
    line.replace(u'\n', u' ');
    out.push_back(TextRun{e.box, line, e.style, e.box.left(), e.box.right()});
}

double addLines(Items& out, const Element& e, const QStringList& lines)
{
    const QStringList wrapped = lines.isEmpty() ? QStringList() : wrapText(e.style, lines.join(u'\n'), e.box.width());
    const double lh = lineHeightMm(e.style);
    const double needed = lh * wrapped.size();
    double top = e.box.top();
    if (needed < e.box.height()) {
        const double room = e.box.height() - needed;
        if (e.style.valign == VAlign::Middle) top += room / 2;
        if (e.style.valign == VAlign::Bottom) top += room;
    }
    TextStyle style = e.style;
    style.valign = VAlign::Top;
    for (int i = 0; i < wrapped.size(); ++i) {
        if (wrapped[i].isEmpty()) continue;
        const QRectF box(e.box.left(), top + i * lh, e.box.width(), lh);
        out.push_back(TextRun{box, wrapped[i], style, e.box.left(), e.box.right()});
    }
    return needed;
}

namespace {

// Column widths: fixed ones as given, the others share what is left equally.
std::vector<double> columnWidths(const GridElement& grid, double total)
{
    double fixed = 0;
    int shares = 0;
    for (const GridColumn& c : grid.columns) {
        fixed += c.widthMm;
        shares += c.widthMm > 0 ? 0 : 1;
    }
    const double share = shares > 0 ? std::max(0.0, total - fixed) / shares : 0;
    std::vector<double> widths;
    for (const GridColumn& c : grid.columns) widths.push_back(c.widthMm > 0 ? c.widthMm : share);
    return widths;
}

} // namespace

void addGrid(Items& out, const Element& e, const GridElement& grid)
{
    const QRectF& b = e.box;
    const int rows = grid.rows + (grid.hasTitles() ? 1 : 0);
    const double rowHeight = b.height() / rows;
    const QColor colour = e.style.colour;
    auto line = [&](QPointF from, QPointF to) { out.push_back(LineItem{from, to, grid.lineWidthMm, colour}); };
    for (int r = 0; r <= rows; ++r) line(QPointF(b.left(), b.top() + r * rowHeight), QPointF(b.right(), b.top() + r * rowHeight));
    const std::vector<double> widths = columnWidths(grid, b.width());
    double x = b.left();
    line(QPointF(x, b.top()), QPointF(x, b.bottom()));
    for (size_t c = 0; c < widths.size(); ++c) {
        const double right = std::min(b.right(), x + widths[c]);
        if (grid.hasTitles() && !grid.columns[c].title.isEmpty()) {
            TextStyle style = e.style;
            style.valign = VAlign::Middle;
            const QRectF cell(x + 0.8, b.top(), std::max(0.0, right - x - 1.6), rowHeight);
            out.push_back(TextRun{cell, grid.columns[c].title, style, cell.left(), cell.right()});
        }
        line(QPointF(right, b.top()), QPointF(right, b.bottom()));
        x = right;
    }
}

namespace {

QRectF fitted(const QRectF& box, QSizeF size, const TextStyle& style)
{
    size.scale(box.size(), Qt::KeepAspectRatio);
    double x = box.left(), y = box.top();
    if (style.align == HAlign::Center) x += (box.width() - size.width()) / 2;
    if (style.align == HAlign::Right) x += box.width() - size.width();
    if (style.valign == VAlign::Middle) y += (box.height() - size.height()) / 2;
    if (style.valign == VAlign::Bottom) y += box.height() - size.height();
    return QRectF(QPointF(x, y), size);
}

} // namespace

void addPicture(Items& out, const Element& e, const PictureElement& picture, const PrintContext& ctx)
{
    QImage image;
    if (picture.data.isEmpty()) {
        image = ctx.hooks.picture(picture.picture);
    } else {
        DecodedPicture& cached = ctx.pictures[&e];
        if (cached.image.isNull() || cached.data != picture.data) cached = {picture.data, QImage::fromData(picture.data)};
        image = cached.image;
    }
    if (image.isNull() || e.box.isEmpty()) return;
    const QRectF box = picture.keepAspect ? fitted(e.box, image.size(), e.style) : e.box;
    out.push_back(ImageItem{box, image});
}

} // namespace trevo::reports
