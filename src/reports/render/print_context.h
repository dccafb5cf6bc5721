#pragma once
// What the elements of a band see while it is laid out.
#include "reports/render/band_hooks.h"
#include "reports/render/totals.h"

#include <QChar>
#include <QImage>

#include <map>

namespace trevo::reports {

class ReportData;

// Stands for the number of pages until the last page is known; the renderer then
// puts the number in its place.
inline constexpr QChar pageCountMark = QChar(0xE000);

// A decoded picture with the bytes it came from (a call before printing may change them).
struct DecodedPicture {
    QByteArray data;
    QImage image;
};

struct PrintContext {
    const ReportData& data;
    const Totals& totals;
    const RenderHooks& hooks;
    std::map<const Element*, DecodedPicture>& pictures; // kept for the whole rendering
    int page = 1;
    bool group = false; // a group band: sums and counts of the current group
};

} // namespace trevo::reports
