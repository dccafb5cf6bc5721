#include "reports/designer/entwurf.h"

#include <algorithm>

namespace trevo::reports::designer {

// One step of the undo stack: the whole state before and after.
class Schritt : public QUndoCommand {
public:
    Schritt(Entwurf& entwurf, const QString& text, Zustand vorher, Zustand nachher)
        : QUndoCommand(text), entwurf_(entwurf), vorher_(std::move(vorher)), nachher_(std::move(nachher))
    {
    }
    void undo() override { entwurf_.setzen(vorher_); }
    void redo() override { entwurf_.setzen(nachher_); }

private:
    Entwurf& entwurf_;
    Zustand vorher_, nachher_;
};

QRectF begrenzt(QRectF box)
{
    box.setWidth(std::clamp(box.width(), 0.0, maxLaengeMm));
    box.setHeight(std::clamp(box.height(), 0.0, maxLaengeMm));
    box.moveLeft(std::clamp(box.left(), 0.0, maxLaengeMm));
    box.moveTop(std::clamp(box.top(), 0.0, maxLaengeMm));
    return box;
}

Entwurf::Entwurf(QObject* parent) : QObject(parent) {}

void Entwurf::neu(Layout layout)
{
    stack_.clear();
    setzen(Zustand{std::move(layout), {}, {}});
    stack_.setClean();
}

void Entwurf::setzen(const Zustand& zustand)
{
    const bool auswahlAnders = zustand.auswahl != zustand_.auswahl || zustand.bereich != zustand_.bereich;
    zustand_ = zustand;
    bereinigen(zustand_);
    emit layoutGeaendert();
    if (auswahlAnders) emit auswahlGeaendert();
}

void Entwurf::bereinigen(Zustand& z) const
{
    std::vector<ElementRef> gueltig;
    for (const ElementRef& r : z.auswahl)
        if (element(z.layout, r) && std::find(gueltig.begin(), gueltig.end(), r) == gueltig.end()) gueltig.push_back(r);
    z.auswahl = std::move(gueltig);
    if (z.bereich && !z.layout.band(*z.bereich)) z.bereich.reset();
}

// ---- selection ----

void Entwurf::waehlen(std::vector<ElementRef> refs)
{
    Zustand z = zustand_;
    z.auswahl = std::move(refs);
    bereinigen(z);
    if (!z.auswahl.empty()) z.bereich = z.auswahl.front().band;
    if (z.auswahl == zustand_.auswahl && z.bereich == zustand_.bereich) return;
    zustand_.auswahl = z.auswahl;
    zustand_.bereich = z.bereich;
    emit auswahlGeaendert();
}

void Entwurf::umschalten(ElementRef ref)
{
    std::vector<ElementRef> refs = zustand_.auswahl;
    const auto it = std::find(refs.begin(), refs.end(), ref);
    if (it != refs.end()) refs.erase(it);
    else refs.push_back(ref);
    waehlen(std::move(refs));
}

void Entwurf::bereichWaehlen(std::optional<BandKind> kind)
{
    if (kind && !zustand_.layout.band(*kind)) kind.reset();
    if (zustand_.auswahl.empty() && zustand_.bereich == kind) return;
    zustand_.auswahl.clear();
    zustand_.bereich = kind;
    emit auswahlGeaendert();
}

void Entwurf::alleWaehlen()
{
    std::vector<ElementRef> refs;
    for (const Band& b : zustand_.layout.bands)
        for (int i = 0; i < static_cast<int>(b.elements.size()); ++i) refs.push_back({b.kind, i});
    waehlen(std::move(refs));
}

bool Entwurf::gewaehlt(ElementRef ref) const
{
    return std::find(zustand_.auswahl.begin(), zustand_.auswahl.end(), ref) != zustand_.auswahl.end();
}

Element* Entwurf::element(Layout& layout, ElementRef ref)
{
    Band* b = layout.band(ref.band);
    if (!b || ref.index < 0 || ref.index >= static_cast<int>(b->elements.size())) return nullptr;
    return &*std::next(b->elements.begin(), ref.index);
}

const Element* Entwurf::element(const Layout& layout, ElementRef ref)
{
    return element(const_cast<Layout&>(layout), ref);
}

const Element* Entwurf::element(ElementRef ref) const
{
    return element(zustand_.layout, ref);
}

const Element* Entwurf::einzeln() const
{
    return zustand_.auswahl.size() == 1 ? element(zustand_.auswahl.front()) : nullptr;
}

// ---- changes ----

bool Entwurf::aendern(const QString& text, const std::function<void(Layout&)>& change)
{
    return aendernMitAuswahl(text, [&](Zustand& z) { change(z.layout); });
}

bool Entwurf::aendernMitAuswahl(const QString& text, const std::function<void(Zustand&)>& change)
{
    Zustand nachher = zustand_;
    change(nachher);
    bereinigen(nachher);
    if (nachher.layout == zustand_.layout) {
        if (nachher.auswahl != zustand_.auswahl || nachher.bereich != zustand_.bereich) setzen(nachher);
        return false;
    }
    stack_.push(new Schritt(*this, text, zustand_, std::move(nachher)));
    return true;
}

void Entwurf::zeigen(Zustand zustand)
{
    setzen(zustand);
}

bool Entwurf::uebernehmen(const QString& text, const Zustand& vorher)
{
    if (vorher.layout == zustand_.layout) return false;
    stack_.push(new Schritt(*this, text, vorher, zustand_));
    return true;
}

bool Entwurf::verschieben(double dx, double dy)
{
    if (auswahl().empty()) return false;
    // The whole selection moves by the same distance: none of it goes past the top or left.
    for (const ElementRef& r : auswahl()) {
        const QRectF& b = element(r)->box;
        dx = std::max(dx, -b.left());
        dy = std::max(dy, -b.top());
    }
    return aendern(QStringLiteral("Verschieben"), [&](Layout& l) {
        for (const ElementRef& r : auswahl()) {
            Element* e = element(l, r);
            e->box = begrenzt(e->box.translated(dx, dy));
        }
    });
}

bool Entwurf::groesseAendern(double dw, double dh)
{
    return aendern(QStringLiteral("Größe ändern"), [&](Layout& l) {
        for (const ElementRef& r : auswahl()) {
            Element* e = element(l, r);
            e->box = begrenzt(QRectF(e->box.topLeft(), QSizeF(e->box.width() + dw, e->box.height() + dh)));
        }
    });
}

bool Entwurf::setzeBox(ElementRef ref, const QRectF& box)
{
    if (!element(ref)) return false;
    return aendern(QStringLiteral("Position ändern"), [&](Layout& l) { element(l, ref)->box = begrenzt(box); });
}

QString Entwurf::freierName(const Layout& layout, const QString& basis)
{
    const QString stamm = basis.isEmpty() ? QStringLiteral("Element") : basis;
    if (!basis.isEmpty() && !layout.element(basis)) return basis;
    QString ohneZahl = stamm;
    while (!ohneZahl.isEmpty() && ohneZahl.back().isDigit()) ohneZahl.chop(1);
    if (ohneZahl.isEmpty()) ohneZahl = stamm;
    for (int n = 1;; ++n) {
        const QString name = ohneZahl + QString::number(n);
        if (!layout.element(name)) return name;
    }
}

bool Entwurf::nameFrei(const QString& name, std::optional<ElementRef> fuer) const
{
    if (name.isEmpty()) return true;
    const Element* vorhanden = layout().element(name);
    return !vorhanden || (fuer && vorhanden == element(*fuer));
}

std::optional<ElementRef> Entwurf::hinzufuegen(BandKind band, Element e)
{
    if (!layout().band(band)) return std::nullopt;
    std::optional<ElementRef> neu;
    aendernMitAuswahl(QStringLiteral("Einfügen"), [&](Zustand& z) {
        Band* b = z.layout.band(band);
        e.name = freierName(z.layout, e.name);
        e.box = begrenzt(e.box);
        b->elements.push_back(std::move(e));
        neu = ElementRef{band, static_cast<int>(b->elements.size()) - 1};
        z.auswahl = {*neu};
        z.bereich = band;
    });
    return neu;
}

bool Entwurf::loeschen()
{
    if (auswahl().empty()) return false;
    return aendernMitAuswahl(QStringLiteral("Löschen"), [&](Zustand& z) {
        std::vector<ElementRef> refs = z.auswahl;
        // From the back, so that the places of the others stay valid.
        std::sort(refs.begin(), refs.end(), [](const ElementRef& a, const ElementRef& b) {
            return a.band != b.band ? a.band < b.band : a.index > b.index;
        });
        for (const ElementRef& r : refs) {
            Band* b = z.layout.band(r.band);
            b->elements.erase(std::next(b->elements.begin(), r.index));
        }
        z.auswahl.clear();
    });
}

std::vector<Element> Entwurf::kopie() const
{
    std::vector<Element> out;
    for (const ElementRef& r : auswahl()) out.push_back(*element(r));
    return out;
}

bool Entwurf::einfuegen(BandKind band, const std::vector<Element>& elemente)
{
    if (!layout().band(band) || elemente.empty()) return false;
    return aendernMitAuswahl(QStringLiteral("Einfügen"), [&](Zustand& z) {
        Band* b = z.layout.band(band);
        z.auswahl.clear();
        for (Element e : elemente) {
            if (!e.name.isEmpty()) e.name = freierName(z.layout, e.name);
            e.box = begrenzt(e.box);
            b->elements.push_back(std::move(e));
            z.auswahl.push_back({band, static_cast<int>(b->elements.size()) - 1});
        }
        z.bereich = band;
    });
}

bool Entwurf::bereichHoehe(BandKind kind, double hoeheMm)
{
    if (!layout().band(kind)) return false;
    return aendern(QStringLiteral("Bereichshöhe"),
                   [&](Layout& l) { l.band(kind)->heightMm = std::clamp(hoeheMm, 0.0, maxLaengeMm); });
}

} // namespace trevo::reports::designer
