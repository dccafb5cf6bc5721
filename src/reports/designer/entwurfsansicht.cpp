#include "reports/designer/entwurfsansicht.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <cmath>

namespace trevo::reports::designer {

namespace {

constexpr double griffPx = 7;
constexpr double kantePx = 3;

} // namespace

EntwurfsAnsicht::EntwurfsAnsicht(Entwurf& entwurf, engine::Database& db, QWidget* parent)
    : QWidget(parent), entwurf_(entwurf), zeichner_(db)
{
    setObjectName(QStringLiteral("Entwurf"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The view fills its scroll area at least; beside the paper it selects the page.
    connect(&entwurf_, &Entwurf::layoutGeaendert, this, [this] {
        setMinimumSize(sizeHint());
        update();
    });
    connect(&entwurf_, &Entwurf::auswahlGeaendert, this, qOverload<>(&QWidget::update));
}

void EntwurfsAnsicht::setZoom(double zoom)
{
    zoom_ = std::clamp(zoom, 0.25, 4.0);
    setMinimumSize(sizeHint());
    update();
}

void EntwurfsAnsicht::setRaster(double mm)
{
    raster_ = std::max(0.0, mm);
    update();
}

double EntwurfsAnsicht::pxProMm() const
{
    return logicalDpiX() / 25.4 * zoom_;
}

std::vector<EntwurfsAnsicht::BandLage> EntwurfsAnsicht::lagen() const
{
    std::vector<BandLage> out;
    double y = randPx;
    for (const Band& b : entwurf_.layout().bands) {
        const double hoehe = std::max(4.0, b.heightMm * pxProMm());
        out.push_back({b.kind, y, y + kopfPx, hoehe});
        y += kopfPx + hoehe;
    }
    return out;
}

QRectF EntwurfsAnsicht::papier() const
{
    const double breite = entwurf_.layout().page.sizeMm().width() * pxProMm();
    const std::vector<BandLage> l = lagen();
    const double unten = l.empty() ? randPx + kopfPx : l.back().flaecheY + l.back().hoehePx;
    return QRectF(randPx, randPx, breite, unten - randPx);
}

QSize EntwurfsAnsicht::sizeHint() const
{
    const QRectF p = papier();
    return QSize(static_cast<int>(std::ceil(p.right() + randPx)), static_cast<int>(std::ceil(p.bottom() + 3 * randPx)));
}

QPointF EntwurfsAnsicht::bandUrsprung(BandKind kind) const
{
    for (const BandLage& l : lagen())
        if (l.kind == kind) return {randPx + entwurf_.layout().page.leftMm * pxProMm(), l.flaecheY};
    return {};
}

QRectF EntwurfsAnsicht::beschriftung(BandKind kind) const
{
    for (const BandLage& l : lagen())
        if (l.kind == kind) return QRectF(papier().left(), l.kopfY, papier().width(), kopfPx);
    return {};
}

QRectF EntwurfsAnsicht::elementRechteck(ElementRef ref) const
{
    const Element* e = entwurf_.element(ref);
    if (!e) return {};
    const double s = pxProMm();
    const QPointF o = bandUrsprung(ref.band);
    return QRectF(o + e->box.topLeft() * s, e->box.size() * s);
}

std::optional<BandKind> EntwurfsAnsicht::bandBei(QPointF px, QPointF* mm) const
{
    const QRectF p = papier();
    if (px.x() < p.left() || px.x() > p.right()) return std::nullopt;
    for (const BandLage& l : lagen()) {
        if (px.y() < l.kopfY || px.y() >= l.flaecheY + l.hoehePx) continue;
        if (mm) *mm = (px - bandUrsprung(l.kind)) / pxProMm();
        return l.kind;
    }
    return std::nullopt;
}

std::optional<ElementRef> EntwurfsAnsicht::elementBei(QPointF px) const
{
    // Selected elements first, then the topmost; thin lines are hit within a few pixels.
    std::optional<ElementRef> treffer;
    for (const Band& b : entwurf_.layout().bands) {
        for (int i = 0; i < static_cast<int>(b.elements.size()); ++i) {
            const ElementRef ref{b.kind, i};
            if (!elementRechteck(ref).adjusted(-kantePx, -kantePx, kantePx, kantePx).contains(px)) continue;
            if (entwurf_.gewaehlt(ref)) return ref;
            treffer = ref;
        }
    }
    return treffer;
}

std::vector<QRectF> EntwurfsAnsicht::griffe(const QRectF& r) const
{
    const double h = griffPx / 2;
    const QPointF punkte[] = {r.topLeft(),    QPointF(r.center().x(), r.top()),    r.topRight(),
                              QPointF(r.right(), r.center().y()),                  r.bottomRight(),
                              QPointF(r.center().x(), r.bottom()), r.bottomLeft(), QPointF(r.left(), r.center().y())};
    std::vector<QRectF> out;
    for (const QPointF& p : punkte) out.emplace_back(p.x() - h, p.y() - h, griffPx, griffPx);
    return out;
}

std::optional<int> EntwurfsAnsicht::griffBei(QPointF px) const
{
    if (entwurf_.auswahl().size() != 1) return std::nullopt;
    const std::vector<QRectF> g = griffe(elementRechteck(entwurf_.auswahl().front()));
    for (int i = 0; i < static_cast<int>(g.size()); ++i)
        if (g[static_cast<size_t>(i)].adjusted(-1, -1, 1, 1).contains(px)) return i;
    return std::nullopt;
}

std::optional<BandKind> EntwurfsAnsicht::bandkanteBei(QPointF px) const
{
    const QRectF p = papier();
    if (px.x() < p.left() || px.x() > p.right()) return std::nullopt;
    for (const BandLage& l : lagen())
        if (std::abs(px.y() - (l.flaecheY + l.hoehePx)) <= kantePx) return l.kind;
    return std::nullopt;
}

double EntwurfsAnsicht::snap(double mm) const
{
    if (raster_ <= 0) return std::round(mm * 10) / 10;
    return std::round(mm / raster_) * raster_;
}

// ---- mouse ----

void EntwurfsAnsicht::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton) return;
    const QPointF px = event->position();
    const bool hinzu = event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier);
    druckPx_ = aktuellPx_ = px;
    vorher_ = entwurf_.zustand();
    if (const std::optional<int> g = griffBei(px)) {
        modus_ = Modus::Groesse;
        griff_ = *g;
        gegriffen_ = entwurf_.auswahl().front();
        return;
    }
    if (const std::optional<BandKind> kante = bandkanteBei(px); kante && !elementBei(px)) {
        modus_ = Modus::Bandhoehe;
        rahmenBand_ = *kante;
        entwurf_.bereichWaehlen(*kante);
        vorher_ = entwurf_.zustand();
        return;
    }
    if (const std::optional<ElementRef> ref = elementBei(px)) {
        if (hinzu) {
            entwurf_.umschalten(*ref);
            modus_ = Modus::Nichts;
            return;
        }
        if (!entwurf_.gewaehlt(*ref)) entwurf_.waehlen({*ref});
        vorher_ = entwurf_.zustand();
        gegriffen_ = *ref;
        modus_ = Modus::Verschieben;
        return;
    }
    QPointF mm;
    const std::optional<BandKind> band = bandBei(px, &mm);
    if (!hinzu) entwurf_.bereichWaehlen(band);
    if (band && !beschriftung(*band).contains(px)) {
        modus_ = Modus::Rahmen;
        rahmenBand_ = *band;
        rahmenHinzu_ = hinzu;
    }
}

void EntwurfsAnsicht::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF px = event->position();
    if (modus_ == Modus::Nichts || !(event->buttons() & Qt::LeftButton)) {
        if (const std::optional<int> g = griffBei(px))
            setCursor(*g % 4 == 1 ? Qt::SizeVerCursor : *g % 4 == 3 ? Qt::SizeHorCursor
                      : *g % 4 == 0 ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor);
        else if (bandkanteBei(px) && !elementBei(px)) setCursor(Qt::SizeVerCursor);
        else if (elementBei(px)) setCursor(Qt::SizeAllCursor);
        else unsetCursor();
        return;
    }
    ziehen(px);
}

void EntwurfsAnsicht::ziehen(QPointF px)
{
    aktuellPx_ = px;
    const QPointF d = (px - druckPx_) / pxProMm();
    Zustand z = vorher_;
    switch (modus_) {
    case Modus::Verschieben: {
        // The grid steps the distance, so that the selection keeps its own offsets.
        double dx = snap(d.x());
        double dy = snap(d.y());
        for (const ElementRef& r : z.auswahl) {
            const QRectF& b = Entwurf::element(vorher_.layout, r)->box;
            dx = std::max(dx, -b.left());
            dy = std::max(dy, -b.top());
        }
        for (const ElementRef& r : z.auswahl) {
            Element* e = Entwurf::element(z.layout, r);
            e->box = begrenzt(e->box.translated(dx, dy));
        }
        entwurf_.zeigen(z);
        break;
    }
    case Modus::Groesse: {
        Element* e = Entwurf::element(z.layout, gegriffen_);
        groesseZiehen(e->box, d);
        entwurf_.zeigen(z);
        break;
    }
    case Modus::Bandhoehe: {
        Band* b = z.layout.band(rahmenBand_);
        b->heightMm = std::clamp(snap(b->heightMm + d.y()), 0.0, maxLaengeMm);
        entwurf_.zeigen(z);
        break;
    }
    case Modus::Rahmen: update(); break;
    case Modus::Nichts: break;
    }
}

// Handles: 0 top left, 1 top, 2 top right, 3 right, 4 bottom right, 5 bottom,
// 6 bottom left, 7 left. The edges the handle holds follow the mouse, onto the grid.
void EntwurfsAnsicht::groesseZiehen(QRectF& box, QPointF d) const
{
    double links = box.left(), oben = box.top(), rechts = box.right(), unten = box.bottom();
    const int g = griff_;
    if (g == 0 || g == 6 || g == 7) links = std::min(snap(links + d.x()), rechts);
    if (g == 2 || g == 3 || g == 4) rechts = std::max(snap(rechts + d.x()), links);
    if (g == 0 || g == 1 || g == 2) oben = std::min(snap(oben + d.y()), unten);
    if (g == 4 || g == 5 || g == 6) unten = std::max(snap(unten + d.y()), oben);
    links = std::max(0.0, links);
    oben = std::max(0.0, oben);
    box = begrenzt(QRectF(QPointF(links, oben), QPointF(rechts, unten)));
}

void EntwurfsAnsicht::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    const Modus modus = modus_;
    modus_ = Modus::Nichts;
    switch (modus) {
    case Modus::Verschieben: entwurf_.uebernehmen(QStringLiteral("Verschieben"), vorher_); break;
    case Modus::Groesse: entwurf_.uebernehmen(QStringLiteral("Größe ändern"), vorher_); break;
    case Modus::Bandhoehe: entwurf_.uebernehmen(QStringLiteral("Bereichshöhe"), vorher_); break;
    case Modus::Rahmen: rahmenWaehlen(rahmenHinzu_); break;
    case Modus::Nichts: break;
    }
    update();
}

void EntwurfsAnsicht::rahmenWaehlen(bool hinzu)
{
    const QRectF rahmen = QRectF(druckPx_, aktuellPx_).normalized();
    if (rahmen.width() < 3 && rahmen.height() < 3) return;
    std::vector<ElementRef> refs = hinzu ? entwurf_.auswahl() : std::vector<ElementRef>{};
    const Band* b = entwurf_.layout().band(rahmenBand_);
    for (int i = 0; b && i < static_cast<int>(b->elements.size()); ++i) {
        const ElementRef ref{rahmenBand_, i};
        if (rahmen.intersects(elementRechteck(ref).adjusted(-0.5, -0.5, 0.5, 0.5)) && !entwurf_.gewaehlt(ref))
            refs.push_back(ref);
    }
    if (!refs.empty()) entwurf_.waehlen(refs);
}

void EntwurfsAnsicht::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (const std::optional<ElementRef> ref = elementBei(event->position())) {
        entwurf_.waehlen({*ref});
        emit bearbeiten();
    }
}

// ---- keys ----

void EntwurfsAnsicht::keyPressEvent(QKeyEvent* event)
{
    const bool fein = event->modifiers() & Qt::ControlModifier;
    const bool groesse = event->modifiers() & Qt::ShiftModifier;
    const double step = fein ? 0.1 : raster_ > 0 ? raster_ : 1;
    double dx = 0, dy = 0;
    switch (event->key()) {
    case Qt::Key_Left: dx = -step; break;
    case Qt::Key_Right: dx = step; break;
    case Qt::Key_Up: dy = -step; break;
    case Qt::Key_Down: dy = step; break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (entwurf_.auswahl().size() != 1) return QWidget::keyPressEvent(event);
        emit bearbeiten();
        return;
    case Qt::Key_Escape:
        if (entwurf_.auswahl().empty()) return QWidget::keyPressEvent(event);
        entwurf_.waehlen({});
        return;
    default: return QWidget::keyPressEvent(event);
    }
    if (entwurf_.auswahl().empty()) return QWidget::keyPressEvent(event);
    if (groesse) entwurf_.groesseAendern(dx, dy);
    else entwurf_.verschieben(dx, dy);
}

bool EntwurfsAnsicht::focusNextPrevChild(bool next)
{
    schritt(next ? 1 : -1);
    return true;
}

void EntwurfsAnsicht::schritt(int richtung)
{
    std::vector<ElementRef> alle;
    for (const Band& b : entwurf_.layout().bands)
        for (int i = 0; i < static_cast<int>(b.elements.size()); ++i) alle.push_back({b.kind, i});
    if (alle.empty()) return;
    int pos = richtung > 0 ? -1 : 0;
    if (!entwurf_.auswahl().empty()) {
        const auto it = std::find(alle.begin(), alle.end(), entwurf_.auswahl().back());
        if (it != alle.end()) pos = static_cast<int>(it - alle.begin());
    }
    const int n = static_cast<int>(alle.size());
    entwurf_.waehlen({alle[static_cast<size_t>(((pos + richtung) % n + n) % n)]});
}

} // namespace trevo::reports::designer
