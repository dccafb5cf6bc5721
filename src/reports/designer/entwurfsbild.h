#pragma once
// What the designer draws of a band: the band laid out by the report renderer itself,
// with the data in place of values shown by name: a data field as "[NAME]", the terms
// of an expression as its texts and "[FELD]", "[Seite]", "[Seitenzahl]", "[Druckdatum]",
// "[Summe FELD]", "[Anzahl]"; a memo as "[FELD]". Stretching texts keep their box.
#include "engine/database.h"
#include "reports/data/report_data.h"
#include "reports/model/band.h"
#include "reports/render/band_hooks.h"
#include "reports/render/display_list.h"
#include "reports/render/print_context.h"
#include "reports/render/totals.h"

#include <map>
#include <vector>

namespace trevo::reports::designer {

// The text an element of a kind with a text shows in the designer; empty for others.
QString entwurfsText(const Element& e);

class EntwurfsZeichner {
public:
    explicit EntwurfsZeichner(engine::Database& db);
    // Pictures supplied by name (the club's logo).
    RenderHooks& hooks() { return hooks_; }
    // The items of the band, in millimetres from its top left corner.
    std::vector<PageItem> band(const Band& band);

private:
    ReportData data_; // never opened: the designer shows no values
    Totals totals_;
    RenderHooks hooks_;
    std::map<const Element*, DecodedPicture> pictures_;
};

} // namespace trevo::reports::designer
