// Painting the designer's page.
#include "reports/designer/entwurfsansicht.h"
#include "reports/designer/namen.h"
#include "reports/render/painter.h"

#include <QPainter>
#include <QPaintEvent>

namespace trevo::reports::designer {

namespace {

const QColor auswahlFarbe(0, 90, 200);

QString beschriftungText(const Band& b)
{
    QString text = bereichsName(b.kind);
    if (b.kind == BandKind::Detail && !b.source.isEmpty()) text += QStringLiteral(" (%1)").arg(b.source);
    if (b.kind == BandKind::GroupHeader && !b.groupField.isEmpty()) text += QStringLiteral(" (%1)").arg(b.groupField);
    return text;
}

} // namespace

void EntwurfsAnsicht::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Mid));
    malen(p);
    auswahlMalen(p);
}

void EntwurfsAnsicht::malen(QPainter& p)
{
    const Layout& layout = entwurf_.layout();
    const QRectF papierPx = papier();
    const double s = pxProMm();
    p.fillRect(papierPx, Qt::white);
    const double links = randPx + layout.page.leftMm * s;
    const double breite = layout.page.bodyWidthMm() * s;
    for (const BandLage& l : lagen()) {
        const Band& band = *layout.band(l.kind);
        const bool gewaehlt = entwurf_.auswahl().empty() && entwurf_.bereich() == l.kind;
        const QRectF kopf(papierPx.left(), l.kopfY, papierPx.width(), kopfPx);
        p.fillRect(kopf, gewaehlt ? QColor(170, 195, 230) : QColor(225, 228, 235));
        p.setPen(QColor(60, 60, 60));
        p.drawText(kopf.adjusted(6, 0, -6, 0), Qt::AlignVCenter | Qt::AlignLeft, beschriftungText(band));
        const QRectF flaeche(links, l.flaecheY, breite, l.hoehePx);
        // The grid, where its points do not crowd together.
        if (raster_ > 0 && raster_ * s >= 6) {
            p.setPen(QColor(200, 200, 200));
            for (double y = 0; y <= band.heightMm; y += raster_)
                for (double x = 0; x <= layout.page.bodyWidthMm(); x += raster_)
                    p.drawPoint(QPointF(links + x * s, l.flaecheY + y * s));
        }
        p.save();
        p.translate(links, l.flaecheY);
        p.scale(zoom_, zoom_);
        Page seite;
        seite.sizeMm = QSizeF(layout.page.bodyWidthMm(), band.heightMm);
        seite.items = zeichner_.band(band);
        paintPage(seite, p);
        p.restore();
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(QColor(150, 150, 150), 1, Qt::DashLine));
        p.drawLine(QPointF(papierPx.left(), flaeche.bottom()), QPointF(papierPx.right(), flaeche.bottom()));
        p.setPen(QPen(QColor(190, 190, 190), 1, Qt::DotLine));
        p.drawLine(QPointF(links, flaeche.top()), QPointF(links, flaeche.bottom()));
        p.drawLine(QPointF(links + breite, flaeche.top()), QPointF(links + breite, flaeche.bottom()));
        int i = 0;
        for (const Element& e : band.elements) {
            const QRectF r = elementRechteck({l.kind, i++});
            p.drawRect(r);
            // A picture the program supplies shows its name until there is one.
            if (const auto* bild = e.as<PictureElement>(); bild && bild->data.isEmpty() && hooks().picture(bild->picture).isNull()) {
                p.setPen(QColor(140, 140, 140));
                p.drawText(r, Qt::AlignCenter, QStringLiteral("[Bild %1]").arg(bild->picture));
                p.setPen(QPen(QColor(190, 190, 190), 1, Qt::DotLine));
            }
        }
    }
    if (layout.bands.empty()) {
        p.setPen(QColor(90, 90, 90));
        p.drawText(papierPx.adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::AlignLeft,
                   QStringLiteral("Leerer Report: fügen Sie über das Menü „Einfügen“ Bereiche hinzu."));
    }
}

void EntwurfsAnsicht::auswahlMalen(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    for (const ElementRef& r : entwurf_.auswahl()) {
        p.setPen(QPen(auswahlFarbe, 1, Qt::SolidLine));
        p.drawRect(elementRechteck(r));
    }
    if (entwurf_.auswahl().size() == 1) {
        p.setPen(QPen(Qt::white, 1));
        p.setBrush(auswahlFarbe);
        for (const QRectF& g : griffe(elementRechteck(entwurf_.auswahl().front()))) p.drawRect(g);
        p.setBrush(Qt::NoBrush);
    }
    if (modus_ == Modus::Rahmen) {
        p.setPen(QPen(auswahlFarbe, 1, Qt::DashLine));
        p.drawRect(QRectF(druckPx_, aktuellPx_).normalized());
    }
}

} // namespace trevo::reports::designer
