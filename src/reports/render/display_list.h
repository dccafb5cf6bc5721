#pragma once
// A laid-out report: per page the list of what to draw, in millimetres from the top
// left corner of the paper. The renderer makes it once; the painter (painter.h) draws
// it on the preview, the printer or a PDF alike.
#include "reports/model/style.h"

#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <variant>
#include <vector>

namespace trevo::reports {

// One line of text, aligned in its box; nothing of it shows left or right of the clip.
struct TextRun {
    QRectF box;
    QString text;
    TextStyle style;
    double clipLeftMm = 0, clipRightMm = 0; // the horizontal extent of the element
};

struct LineItem {
    QPointF from, to;
    double widthMm = 0.3;
    QColor colour;
};

struct RectItem {
    QRectF box;
    double widthMm = 0.3; // 0: no outline
    QColor colour;
    QColor fill; // invalid: not filled
};

struct ImageItem {
    QRectF box; // already fitted to the element's box
    QImage image;
};

// Formatted text (HTML) laid out at the renderer's measuring resolution in the box's
// width; the box shows the part that starts skipMm below the text's top (the rest of a
// text that began on the page before).
struct RichTextItem {
    QRectF box;
    QString html;
    TextStyle style;
    double skipMm = 0;
};

using PageItem = std::variant<TextRun, LineItem, RectItem, ImageItem, RichTextItem>;

struct Page {
    QSizeF sizeMm;
    bool landscape = false;
    std::vector<PageItem> items;
};

struct Printout {
    std::vector<Page> pages;
    int copies = 1;
};

} // namespace trevo::reports
