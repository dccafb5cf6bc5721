#pragma once
// Reads report layouts from their files (ERGEBNISSE1.QR2 and the like).
//
// The file format, version 1: UTF-8 XML, all lengths in millimetres, font sizes in
// points, colours "#rrggbb", flags "true"/"false", numbers with a decimal point.
//
//   <trevo-report version="1">
//     <description><text-line>Ergebnisse eines Abends</text-line></description>
//     <page orientation="portrait" left="20" top="15" right="15" bottom="15" copies="1"/>
//     <sources>
//       <source name="AUSWERTUNG" file="AUSWERTU.DBF" order="NAME"/>
//       <source name="DATUM" file="WERTETAB.DBF" filter="BEZEICHNUN='DATUM'"/>
//     </sources>
//     <band kind="title" height="12">
//       <expression name="Titel" x="0" y="0" width="175" height="8" size="14" bold="true"
//                   align="center">"Ergebnisse vom " + DATUM.WERT</expression>
//     </band>
//     <band kind="detail" height="6" source="AUSWERTUNG">
//       <field name="Name" x="0" y="0" width="80" height="5" source="AUSWERTUNG" field="NAME"/>
//       <field name="Summe" x="140" y="0" width="35" height="5" align="right"
//              source="AUSWERTUNG" field="SUMME" format="0.00"/>
//     </band>
//   </trevo-report>
//
// The root's children, each at most once except <band>: <description>, <page>,
// <sources>, <band>. Band kinds: title, page-header, column-header, group-header (with
// group-field), detail (with source), group-footer, summary, page-footer; each kind at
// most once. Elements of a band: <label> (its text), <field> (source, field, format),
// <expression> (the expression, expression.h; format), <richtext> (source, field,
// stretch), <text> (<text-line> children; stretch), <line> and <rect> (pen, fill),
// <picture> (base64 image bytes, or picture="NAME"; keep-aspect), <grid> (rows,
// columns, pen; optional <column width="..">Title</column> children).
// Every element takes name, x, y, width, height, and the style attributes font, size,
// bold, italic, align (left|center|right), valign (top|middle|bottom), color, and
// frame (the sides, e.g. "left right" or "all"), frame-width, frame-color. Attributes
// left out take their defaults; the writer leaves out what equals the default.
//
// A file that is not such a layout is refused with a German message naming the file
// and the fault, never read in part: malformed XML, another root, another version,
// unknown elements or attributes, missing or out-of-range values, unknown data sources,
// duplicate names, faulty expressions. Sizes, counts and lengths are bounded.
#include "reports/model/layout.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace trevo::reports {

inline constexpr int layoutFormatVersion = 1;

struct LayoutReadResult {
    std::unique_ptr<Layout> layout; // null on failure
    QString error;                  // German, names the file; empty on success
    bool ok() const { return layout != nullptr; }
};

// Reads a layout from the bytes of a file; fileName only names it in messages.
LayoutReadResult readLayout(const QByteArray& bytes, const QString& fileName);

// Reads the layout file at the path. A path whose file name differs in case only from
// the file in its folder finds that file.
LayoutReadResult readLayoutFile(const QString& path);

} // namespace trevo::reports
