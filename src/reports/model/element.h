#pragma once
// The elements of a band. Every element has a name (unique in its layout when given),
// a box in millimetres relative to the top left corner of its band, a text style and a
// frame; what it shows depends on its kind:
//
//   Label       a fixed text
//   Field       the text of a field of a data source, in a display format
//   Expr        an expression (expression.h): page numbers, dates, sums, joined texts
//   RichText    a memo field shown with its formatting (HTML or RTF; else plain text)
//   Text        plain lines of text, word-wrapped in the box (set by the program)
//   Line        a line from the top left to the bottom right corner of the box
//   Rect        a rectangle, optionally filled
//   Picture     image bytes kept in the layout, or a picture the program supplies by name
//   Grid        a ruled table of empty rows under column titles, for tallies by hand
//
// RichText and Text with stretch set grow downwards (and their band with them) when
// their text needs more room than the box.
#include "reports/model/style.h"

#include <QByteArray>
#include <QRectF>
#include <QStringList>

#include <optional>
#include <variant>
#include <vector>

namespace trevo::reports {

enum class ElementKind { Label, Field, Expr, RichText, Text, Line, Rect, Picture, Grid };

struct LabelElement {
    QString text;
    friend bool operator==(const LabelElement&, const LabelElement&) = default;
};

// Display formats are those of the data sets (engine/dataset/field_text.h): "0.00",
// "#,##0.00", "dd.mm.yyyy", "Ja;Nein"; empty shows the field as the table holds it.
struct FieldElement {
    QString source, field, format;
    bool bound() const { return !source.isEmpty() && !field.isEmpty(); }
    friend bool operator==(const FieldElement&, const FieldElement&) = default;
};

struct ExprElement {
    QString expression;
    QString format; // for the numbers and dates among the terms
    friend bool operator==(const ExprElement&, const ExprElement&) = default;
};

struct RichTextElement {
    QString source, field;
    bool stretch = true;
    friend bool operator==(const RichTextElement&, const RichTextElement&) = default;
};

struct TextElement {
    QStringList lines;
    bool stretch = true;
    friend bool operator==(const TextElement&, const TextElement&) = default;
};

// Lines and rectangles draw in the colour of the element's style.
struct LineElement {
    double widthMm = 0.3;
    friend bool operator==(const LineElement&, const LineElement&) = default;
};

struct RectElement {
    double widthMm = 0.3;
    QColor fill; // invalid: not filled
    friend bool operator==(const RectElement&, const RectElement&) = default;
};

struct PictureElement {
    QByteArray data; // the encoded image (PNG, JPEG, BMP)
    QString picture; // when data is empty: the name under which the program supplies one
    bool keepAspect = true;
    friend bool operator==(const PictureElement&, const PictureElement&) = default;
};

struct GridColumn {
    QString title;
    double widthMm = 0; // 0: an equal share of the width the other columns leave
    friend bool operator==(const GridColumn&, const GridColumn&) = default;
};

// A title row is drawn when any column has a title; the rows below share the rest of
// the box's height.
struct GridElement {
    int rows = 10;
    std::vector<GridColumn> columns;
    double lineWidthMm = 0.2;
    bool hasTitles() const;
    friend bool operator==(const GridElement&, const GridElement&) = default;
};

using ElementData = std::variant<LabelElement, FieldElement, ExprElement, RichTextElement, TextElement, LineElement,
                                 RectElement, PictureElement, GridElement>;

struct Element {
    QString name;
    QRectF box; // mm, relative to the band
    TextStyle style;
    Frame frame;
    ElementData data;

    ElementKind kind() const { return static_cast<ElementKind>(data.index()); }
    template <class T>
    T* as() { return std::get_if<T>(&data); }
    template <class T>
    const T* as() const { return std::get_if<T>(&data); }
    friend bool operator==(const Element&, const Element&) = default;
};

// The name of a kind as the layout file writes it ("label", "field", ...), and back.
QString kindName(ElementKind kind);
std::optional<ElementKind> kindFromName(QStringView name);

} // namespace trevo::reports
