#pragma once
// The layout being edited in the designer, with its selection and its undo history.
//
// States: the layout, the selected elements and the selected band (Zustand). Every
// change goes through aendern() or uebernehmen(): the state before and after become one
// step of the undo stack, so that undo brings back the earlier state exactly, and redo
// the later one. While the mouse drags, the view shows intermediate states with zeigen()
// and hands the state from before the drag to uebernehmen() when the button is released:
// one step per drag.
//
// Invariants after every step:
//   - element names are empty or unique in the layout (without regard to case);
//   - the selection names only elements that exist, each once;
//   - every element box lies at x, y >= 0 and within the format's 1000 mm.
// The stack is clean exactly when the layout equals the one last loaded or saved.
#include "reports/model/layout.h"

#include <QObject>
#include <QUndoStack>

#include <functional>
#include <optional>
#include <vector>

namespace trevo::reports::designer {

// An element by its band and its place among the band's elements.
struct ElementRef {
    BandKind band = BandKind::Detail;
    int index = 0;
    friend bool operator==(const ElementRef&, const ElementRef&) = default;
};

struct Zustand {
    Layout layout;
    std::vector<ElementRef> auswahl;
    std::optional<BandKind> bereich; // the band whose properties show when no element is selected
};

enum class Ausrichtung { Links, Rechts, Oben, Unten, HorizontalMitte, VertikalMitte };

inline constexpr double maxLaengeMm = 1000;

class Entwurf : public QObject {
    Q_OBJECT
public:
    explicit Entwurf(QObject* parent = nullptr);

    const Layout& layout() const { return zustand_.layout; }
    const Zustand& zustand() const { return zustand_; }
    // A new layout to edit: no selection, an empty undo history, nothing changed.
    void neu(Layout layout);
    QUndoStack& undoStack() { return stack_; }
    bool geaendert() const { return !stack_.isClean(); }
    void gespeichert() { stack_.setClean(); }

    // Selection.
    const std::vector<ElementRef>& auswahl() const { return zustand_.auswahl; }
    std::optional<BandKind> bereich() const { return zustand_.bereich; }
    void waehlen(std::vector<ElementRef> refs);
    void umschalten(ElementRef ref);
    void bereichWaehlen(std::optional<BandKind> kind);
    void alleWaehlen();
    bool gewaehlt(ElementRef ref) const;
    const Element* element(ElementRef ref) const;
    static Element* element(Layout& layout, ElementRef ref);
    static const Element* element(const Layout& layout, ElementRef ref);
    // The selected element when exactly one is selected.
    const Element* einzeln() const;

    // Changes. aendern() applies the change to a copy of the layout; a change that
    // leaves the layout as it was is no step (false).
    bool aendern(const QString& text, const std::function<void(Layout&)>& change);
    bool aendernMitAuswahl(const QString& text, const std::function<void(Zustand&)>& change);
    void zeigen(Zustand zustand);                              // during a drag, no step
    bool uebernehmen(const QString& text, const Zustand& vorher); // the drag's one step

    // The selection moved or resized by millimetres, kept at x, y >= 0.
    bool verschieben(double dx, double dy);
    bool groesseAendern(double dw, double dh);
    bool setzeBox(ElementRef ref, const QRectF& box);
    // A new element on the band, selected; its name made unique from the name it brings.
    std::optional<ElementRef> hinzufuegen(BandKind band, Element element);
    bool loeschen();
    bool ausrichten(Ausrichtung wie);
    // Equal gaps between the selected elements (at least three), horizontally or vertically.
    bool verteilen(Qt::Orientation richtung);
    // Copies of the selected elements, and pasted copies (names made unique) on a band.
    std::vector<Element> kopie() const;
    bool einfuegen(BandKind band, const std::vector<Element>& elemente);

    // Bands. A failure returns the German reason and changes nothing.
    QString bereichHinzufuegen(BandKind kind, const QString& quelle = {}, const QString& gruppenfeld = {});
    QString bereichLoeschen(BandKind kind);
    bool bereichHoehe(BandKind kind, double hoeheMm);

    // A name not yet used in the layout: basis itself, else basis1, basis2, ...
    static QString freierName(const Layout& layout, const QString& basis);
    // Whether a name is free for the element (its own name counts as free).
    bool nameFrei(const QString& name, std::optional<ElementRef> fuer = std::nullopt) const;

signals:
    void layoutGeaendert();
    void auswahlGeaendert();

private:
    friend class Schritt;
    void setzen(const Zustand& zustand);
    void bereinigen(Zustand& z) const;

    Zustand zustand_;
    QUndoStack stack_;
};

// Keeps a box at x, y >= 0 and within the format's limits.
QRectF begrenzt(QRectF box);

} // namespace trevo::reports::designer

namespace trevo::reports::designer {

// Whether an element, the detail band or an expression of the layout reads the source.
bool quelleBenutzt(const Layout& layout, const QString& name);
// Whether a text may name a new data source: letters, digits and '_', not starting with
// a digit, at most 64 characters (so that expressions can name it).
bool gueltigerQuellname(const QString& name);

} // namespace trevo::reports::designer
