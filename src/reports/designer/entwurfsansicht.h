#pragma once
// The designer's page: the bands stacked as they print, each under a caption strip, in
// true size times the zoom, drawn by the report renderer (entwurfsbild.h).
//
// Mouse: a click selects an element (Strg or Umschalt adds or removes it), dragging moves
// the selection, the handles of a single selected element resize it, dragging the lower
// edge of a band changes its height, dragging over the empty band selects the elements
// the frame touches; a click on a caption or on the empty band selects the band, outside
// the bands the page. With a grid, moves go in steps of the grid and dragged edges snap
// to it.
// Keys: the arrows move the selection by the grid (1 mm without grid), with Strg by
// 0.1 mm; with Umschalt they change its size; Tab and Umschalt+Tab step through the
// elements; Enter (like a double click) goes to the element's main property in the
// panel; Esc clears the selection.
#include "reports/designer/entwurf.h"
#include "reports/designer/entwurfsbild.h"

#include <QWidget>

#include <optional>

namespace trevo::reports::designer {

class EntwurfsAnsicht : public QWidget {
    Q_OBJECT
public:
    EntwurfsAnsicht(Entwurf& entwurf, engine::Database& db, QWidget* parent = nullptr);

    void setZoom(double zoom);
    double zoom() const { return zoom_; }
    void setRaster(double mm); // 0: no grid
    double raster() const { return raster_; }
    RenderHooks& hooks() { return zeichner_.hooks(); }

    // Geometry, in pixels of this widget.
    double pxProMm() const;
    QPointF bandUrsprung(BandKind kind) const; // top left corner of the band's area
    QRectF elementRechteck(ElementRef ref) const;
    QRectF beschriftung(BandKind kind) const; // the caption strip
    // The band under a point and the point in the band's millimetres.
    std::optional<BandKind> bandBei(QPointF px, QPointF* mm = nullptr) const;
    std::optional<ElementRef> elementBei(QPointF px) const;
    QSize sizeHint() const override;

    static constexpr int kopfPx = 18;
    static constexpr int randPx = 12;

signals:
    // A double click on an element, or Enter: its main property is to be edited.
    void bearbeiten();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    enum class Modus { Nichts, Verschieben, Groesse, Bandhoehe, Rahmen };
    struct BandLage {
        BandKind kind;
        double kopfY;   // top of the caption
        double flaecheY; // top of the band's area
        double hoehePx;
    };
    std::vector<BandLage> lagen() const;
    QRectF papier() const;
    double snap(double mm) const;
    std::optional<int> griffBei(QPointF px) const;
    std::vector<QRectF> griffe(const QRectF& r) const;
    std::optional<BandKind> bandkanteBei(QPointF px) const;
    void ziehen(QPointF px);
    void groesseZiehen(QRectF& box, QPointF d) const;
    void malen(QPainter& p);
    void auswahlMalen(QPainter& p);
    void rahmenWaehlen(bool hinzu);
    void schritt(int richtung);

    Entwurf& entwurf_;
    EntwurfsZeichner zeichner_;
    double zoom_ = 1;
    double raster_ = 1;

    Modus modus_ = Modus::Nichts;
    Zustand vorher_;
    QPointF druckPx_;
    QPointF aktuellPx_;
    ElementRef gegriffen_;
    int griff_ = 0;
    BandKind rahmenBand_ = BandKind::Detail;
    bool rahmenHinzu_ = false;
};

} // namespace trevo::reports::designer
