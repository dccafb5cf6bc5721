#pragma once
// Lays out one band over the current records: what its elements draw, relative to the
// band's top left corner, and the height it takes (more than its own when an element
// stretches).
#include "reports/model/band.h"
#include "reports/render/display_list.h"
#include "reports/render/print_context.h"

#include <vector>

namespace trevo::reports {

struct BandOutput {
    double heightMm = 0;
    std::vector<PageItem> items;
};

// EngineError when a field or an expression cannot be read.
BandOutput layoutBand(const Band& band, const PrintContext& ctx);

void moveItem(PageItem& item, QPointF by);
// The top of an item, for splitting a band between pages.
double itemTop(const PageItem& item);
double itemBottom(const PageItem& item);

} // namespace trevo::reports
