#include "reports/render/painter.h"

#include "reports/render/measure.h"
#include "reports/render/rich_text.h"

#include <QAbstractTextDocumentLayout>
#include <QPageLayout>
#include <QPrinter>

namespace trevo::reports {
namespace {

// Millimetres on the painter's device.
class Scale {
public:
    explicit Scale(const QPaintDevice& d) : x_(d.logicalDpiX() / 25.4), y_(d.logicalDpiY() / 25.4) {}
    QPointF point(QPointF mm) const { return {mm.x() * x_, mm.y() * y_}; }
    QRectF rect(const QRectF& mm) const { return {point(mm.topLeft()), point(mm.bottomRight())}; }
    double width(double mm) const { return mm * x_; }
    double x() const { return x_; }

private:
    double x_, y_;
};

Qt::Alignment alignment(const TextStyle& s)
{
    Qt::Alignment a = s.align == HAlign::Center ? Qt::AlignHCenter : s.align == HAlign::Right ? Qt::AlignRight : Qt::AlignLeft;
    return a | (s.valign == VAlign::Middle ? Qt::AlignVCenter : s.valign == VAlign::Bottom ? Qt::AlignBottom : Qt::AlignTop);
}

QPen pen(const Scale& scale, double widthMm, const QColor& colour)
{
    QPen p(colour, scale.width(widthMm));
    p.setCapStyle(Qt::SquareCap);
    p.setJoinStyle(Qt::MiterJoin);
    return p;
}

void paintText(const TextRun& t, QPainter& p, const Scale& s, const QRectF& pageRect)
{
    p.save();
    p.setClipRect(QRectF(s.point(QPointF(t.clipLeftMm, 0)), s.point(QPointF(t.clipRightMm, pageRect.height()))));
    p.setFont(fontOf(t.style));
    p.setPen(t.style.colour);
    p.drawText(s.rect(t.box), static_cast<int>(alignment(t.style) | Qt::TextSingleLine | Qt::TextDontClip), t.text);
    p.restore();
}

void paintRect(const RectItem& r, QPainter& p, const Scale& s)
{
    p.setPen(r.widthMm > 0 ? pen(s, r.widthMm, r.colour) : QPen(Qt::NoPen));
    p.setBrush(r.fill.isValid() ? QBrush(r.fill) : QBrush(Qt::NoBrush));
    p.drawRect(s.rect(r.box));
    p.setBrush(Qt::NoBrush);
}

void paintRich(const RichTextItem& r, QPainter& p, const Scale& s)
{
    auto doc = richDocument(r.html, r.style, r.box.width());
    p.save();
    p.translate(s.point(r.box.topLeft()));
    const double factor = s.x() * 25.4 / measureDpi;
    p.scale(factor, factor);
    const QRectF visible(0, 0, measureFromMm(r.box.width()), measureFromMm(r.box.height()));
    p.setClipRect(visible);
    p.translate(0, -measureFromMm(r.skipMm));
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, r.style.colour);
    context.clip = visible.translated(0, measureFromMm(r.skipMm));
    doc->documentLayout()->draw(&p, context);
    p.restore();
}

} // namespace

void paintPage(const Page& page, QPainter& painter)
{
    const Scale s(*painter.device());
    const QRectF pageRect(QPointF(0, 0), page.sizeMm);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const PageItem& item : page.items) {
        if (const auto* t = std::get_if<TextRun>(&item)) {
            paintText(*t, painter, s, pageRect);
        } else if (const auto* l = std::get_if<LineItem>(&item)) {
            if (l->widthMm <= 0) continue;
            painter.setPen(pen(s, l->widthMm, l->colour));
            painter.drawLine(s.point(l->from), s.point(l->to));
        } else if (const auto* r = std::get_if<RectItem>(&item)) {
            paintRect(*r, painter, s);
        } else if (const auto* i = std::get_if<ImageItem>(&item)) {
            painter.drawImage(s.rect(i->box), i->image);
        } else if (const auto* rich = std::get_if<RichTextItem>(&item)) {
            paintRich(*rich, painter, s);
        }
    }
}

void prepareDevice(const Printout& printout, QPagedPaintDevice& device)
{
    if (auto* printer = dynamic_cast<QPrinter*>(&device)) {
        printer->setFullPage(true);
        printer->setCopyCount(printout.copies);
    }
    const bool landscape = !printout.pages.empty() && printout.pages.front().landscape;
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
}

bool paintPrintout(const Printout& printout, QPagedPaintDevice& device)
{
    QPainter painter;
    if (!painter.begin(&device)) return false;
    for (size_t i = 0; i < printout.pages.size(); ++i) {
        if (i > 0 && !device.newPage()) return false;
        paintPage(printout.pages[i], painter);
    }
    return painter.end();
}

} // namespace trevo::reports
