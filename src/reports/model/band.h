#pragma once
// The bands of a layout, in the order they print:
//
//   Title         once, on the first page below the page header
//   PageHeader    at the top of every page
//   ColumnHeader  above the detail rows on every page that holds some
//   GroupHeader   before the rows of each group (rows of equal groupField)
//   Detail        once per record of its data source
//   GroupFooter   after the rows of each group
//   Summary       once, after the last detail row
//   PageFooter    at the bottom of every page
//
// A layout holds at most one band of each kind. A band that does not fit on the rest
// of a page goes to the next one, where the page header and (among detail rows) the
// column header are repeated.
#include "reports/model/element.h"

#include <list>
#include <optional>

namespace trevo::reports {

enum class BandKind { Title, PageHeader, ColumnHeader, GroupHeader, Detail, GroupFooter, Summary, PageFooter };

struct Band {
    BandKind kind = BandKind::Detail;
    double heightMm = 10;
    QString source;     // Detail: the data source whose records it prints
    QString groupField; // GroupHeader: the field of the detail source that forms the groups
    std::list<Element> elements; // a list, so that references stay valid while elements are added

    // The element of that name (without regard to case), or null.
    Element* element(QStringView name);
    friend bool operator==(const Band&, const Band&) = default;
};

QString bandKindName(BandKind kind);
std::optional<BandKind> bandKindFromName(QStringView name);

} // namespace trevo::reports
