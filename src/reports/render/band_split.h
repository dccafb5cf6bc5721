#pragma once
// Splitting a band that is taller than a page: the part above a cut stays, the rest
// goes on to the next page. The cut moves up to the top of a line of text or picture
// it would go through; lines, rectangles and formatted text are divided at it.
#include "reports/render/band_layout.h"

namespace trevo::reports {

// The best cut at or above `room` (relative to the band's top); `room` itself when
// moving up would leave nothing above.
double cutAbove(const BandOutput& band, double room);

// Keeps the part above the cut in `band` and returns the rest, moved up to start at 0.
BandOutput splitAt(BandOutput& band, double cut);

} // namespace trevo::reports
