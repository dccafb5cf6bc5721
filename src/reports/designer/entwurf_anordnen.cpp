// Aligning and distributing the selection, and adding and removing bands.
#include "reports/designer/entwurf.h"
#include "reports/designer/namen.h"

#include <algorithm>

namespace trevo::reports::designer {

bool Entwurf::ausrichten(Ausrichtung wie)
{
    if (auswahl().size() < 2) return false;
    std::vector<QRectF> boxen;
    for (const ElementRef& r : auswahl()) boxen.push_back(element(r)->box);
    const auto extrem = [&](auto wert, bool groesster) {
        double v = wert(boxen.front());
        for (const QRectF& b : boxen) v = groesster ? std::max(v, wert(b)) : std::min(v, wert(b));
        return v;
    };
    const QRectF& erste = boxen.front();
    return aendern(QStringLiteral("Ausrichten"), [&](Layout& l) {
        for (const ElementRef& r : auswahl()) {
            QRectF& b = element(l, r)->box;
            switch (wie) {
            case Ausrichtung::Links: b.moveLeft(extrem([](const QRectF& x) { return x.left(); }, false)); break;
            case Ausrichtung::Rechts: b.moveRight(extrem([](const QRectF& x) { return x.right(); }, true)); break;
            case Ausrichtung::Oben: b.moveTop(extrem([](const QRectF& x) { return x.top(); }, false)); break;
            case Ausrichtung::Unten: b.moveBottom(extrem([](const QRectF& x) { return x.bottom(); }, true)); break;
            case Ausrichtung::HorizontalMitte: b.moveLeft(erste.center().x() - b.width() / 2); break;
            case Ausrichtung::VertikalMitte: b.moveTop(erste.center().y() - b.height() / 2); break;
            }
            b = begrenzt(b);
        }
    });
}

bool Entwurf::verteilen(Qt::Orientation richtung)
{
    if (auswahl().size() < 3) return false;
    const bool horizontal = richtung == Qt::Horizontal;
    std::vector<ElementRef> refs = auswahl();
    const auto anfang = [&](const ElementRef& r) { return horizontal ? element(r)->box.left() : element(r)->box.top(); };
    const auto laenge = [&](const ElementRef& r) { return horizontal ? element(r)->box.width() : element(r)->box.height(); };
    std::stable_sort(refs.begin(), refs.end(), [&](const ElementRef& a, const ElementRef& b) { return anfang(a) < anfang(b); });
    double belegt = 0;
    for (const ElementRef& r : refs) belegt += laenge(r);
    const double von = anfang(refs.front());
    const double bis = anfang(refs.back()) + laenge(refs.back());
    const double luecke = (bis - von - belegt) / static_cast<double>(refs.size() - 1);
    return aendern(QStringLiteral("Verteilen"), [&](Layout& l) {
        double pos = von;
        for (const ElementRef& r : refs) {
            QRectF& b = element(l, r)->box;
            if (horizontal) b.moveLeft(pos);
            else b.moveTop(pos);
            pos += (horizontal ? b.width() : b.height()) + luecke;
            b = begrenzt(b);
        }
    });
}

QString Entwurf::bereichHinzufuegen(BandKind kind, const QString& quelle, const QString& gruppenfeld)
{
    const Layout& l = layout();
    if (l.band(kind)) return QStringLiteral("Der Bereich %1 ist schon vorhanden.").arg(bereichsName(kind));
    QString detailQuelle;
    if (kind == BandKind::Detail) {
        if (!quelle.isEmpty() && l.source(quelle)) detailQuelle = l.source(quelle)->name;
        else if (quelle.isEmpty() && !l.sources.empty()) detailQuelle = l.sources.front().name;
        if (detailQuelle.isEmpty())
            return QStringLiteral("Der Detailbereich braucht eine Datenquelle. Legen Sie zuerst bei den "
                                  "Eigenschaften der Seite eine Datenquelle an.");
    }
    if (kind == BandKind::GroupHeader) {
        if (!l.band(BandKind::Detail)) return QStringLiteral("Ein Gruppenkopf braucht einen Detailbereich.");
        if (gruppenfeld.trimmed().isEmpty()) return QStringLiteral("Ein Gruppenkopf braucht ein Gruppenfeld.");
    }
    if (kind == BandKind::GroupFooter && !l.band(BandKind::GroupHeader))
        return QStringLiteral("Ein Gruppenfuß braucht einen Gruppenkopf.");
    aendernMitAuswahl(QStringLiteral("Bereich einfügen"), [&](Zustand& z) {
        Band& b = z.layout.addBand(kind);
        b.heightMm = 10;
        b.source = detailQuelle;
        if (kind == BandKind::GroupHeader) b.groupField = gruppenfeld.trimmed();
        z.auswahl.clear();
        z.bereich = kind;
    });
    return {};
}

QString Entwurf::bereichLoeschen(BandKind kind)
{
    const Layout& l = layout();
    if (!l.band(kind)) return {};
    if (kind == BandKind::Detail && l.band(BandKind::GroupHeader))
        return QStringLiteral("Der Detailbereich kann nicht gelöscht werden, solange es einen Gruppenkopf gibt.");
    if (kind == BandKind::GroupHeader && l.band(BandKind::GroupFooter))
        return QStringLiteral("Der Gruppenkopf kann nicht gelöscht werden, solange es einen Gruppenfuß gibt.");
    aendernMitAuswahl(QStringLiteral("Bereich löschen"), [&](Zustand& z) {
        z.layout.bands.remove_if([kind](const Band& b) { return b.kind == kind; });
        z.auswahl.clear();
        z.bereich.reset();
    });
    return {};
}

} // namespace trevo::reports::designer
