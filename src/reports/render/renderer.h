#pragma once
// Lays a layout out over its data into pages.
//
// Order of the bands: on every page the page header at the top and the page footer at
// the bottom; on the first page the title below the page header; then the column header
// and the detail rows of the detail source (with group headers and footers around
// groups of equal group field), the column header again at the top of every page that
// continues them; the summary after the last row. A band that does not fit on the
// rest of the page begins the next page; a group header moves along with the first row
// of its group; a band taller than a whole page is split between pages.
//
// Expressions that name the number of pages get it once the last page is known.
// The calls before each band (RenderHooks) run as the band is about to print.
#include "reports/data/report_data.h"
#include "reports/model/layout.h"
#include "reports/render/band_hooks.h"
#include "reports/render/display_list.h"

namespace trevo::reports {

// Opens the layout's sources in `data` and lays the report out. Throws
// engine::EngineError with a German text when a table, field or expression cannot be
// read, and whatever a call before a band throws.
Printout renderReport(Layout& layout, ReportData& data, const RenderHooks& hooks);

inline constexpr int maxPages = 10000;

} // namespace trevo::reports
