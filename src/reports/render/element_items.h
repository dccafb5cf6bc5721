#pragma once
// What each kind of element draws, in millimetres relative to its band.
#include "reports/model/element.h"
#include "reports/render/display_list.h"
#include "reports/render/print_context.h"

#include <vector>

namespace trevo::reports {

using Items = std::vector<PageItem>;

void addFrame(Items& out, const Frame& frame, const QRectF& box);
// One line of text in the element's box (line feeds print as blanks).
void addSingleLine(Items& out, const Element& e, const QString& text);
// Word-wrapped lines from the top of the box (or aligned in it when they fit);
// returns the height they take.
double addLines(Items& out, const Element& e, const QStringList& lines);
void addGrid(Items& out, const Element& e, const GridElement& grid);
void addPicture(Items& out, const Element& e, const PictureElement& picture, const PrintContext& ctx);

} // namespace trevo::reports
