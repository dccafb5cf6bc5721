#pragma once
// A report layout: its page, description lines, data sources and bands. Layouts are
// values: they copy and compare; the file format (reports/format/) reads and writes them.
#include "reports/model/band.h"

#include <QSizeF>
#include <QStringList>

#include <list>
#include <vector>

namespace trevo::reports {

// A4 paper, portrait or landscape, with margins in millimetres.
struct PageSetup {
    bool landscape = false;
    double leftMm = 20, topMm = 15, rightMm = 15, bottomMm = 15;

    QSizeF sizeMm() const { return landscape ? QSizeF(297, 210) : QSizeF(210, 297); }
    // The width between the margins, which is the width of every band.
    double bodyWidthMm() const { return sizeMm().width() - leftMm - rightMm; }
    friend bool operator==(const PageSetup&, const PageSetup&) = default;
};

// A table the report reads, by its file name alone; the program says in which folder.
// The detail band's source gives the rows; any other source gives its first record.
struct DataSource {
    QString name;     // the alias elements use
    QString fileName; // e.g. "AUSWERTU.DBF"
    QString filter;   // e.g. "BEZEICHNUN='DATUM'" in the engine's filter language; "" for all
    QString order;    // a field whose index orders the records; "" for the order of the file
    friend bool operator==(const DataSource&, const DataSource&) = default;
};

struct Layout {
    QStringList description; // what the report shows, for lists of reports
    PageSetup page;
    int copies = 1;
    std::vector<DataSource> sources;
    std::list<Band> bands; // in the order of BandKind

    const DataSource* source(QStringView name) const; // without regard to case
    Band* band(BandKind kind);
    const Band* band(BandKind kind) const;
    // The band of that kind; a new empty one, put in its place, when there is none.
    Band& addBand(BandKind kind);
    Element* element(QStringView name);
    const Element* element(QStringView name) const;
    // The element of that name when it is of class T (LabelElement, TextElement, ...).
    template <class T>
    T* find(QStringView name)
    {
        Element* e = element(name);
        return e ? e->as<T>() : nullptr;
    }
    Band* bandOf(const Element& e);
    // The source of the detail band, or null when there is no detail band.
    const DataSource* detailSource() const;

    friend bool operator==(const Layout&, const Layout&) = default;
};

} // namespace trevo::reports
