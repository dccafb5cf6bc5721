#pragma once
// Shared by the tests of the shipped layouts: a layout file printed from a data folder as
// the print facility does it, and checks that a page shows everything it lays out.
#include "reports/render/display_list.h"

#include "engine/database.h"

#include <QDate>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <string>

namespace trevo::reports::test {

// The layout file of that name, written into the folder by vorlagenAnlegen and printed
// over the folder's tables on 01.04.2024: DATUMQRLABEL holds that date, as the program
// sets it before evaluations, and the picture LOGO is the given image (none when null).
struct Druck {
    Druck(engine::Database& db, const std::string& folder, const QString& fileName, const QImage& logo = {});
    QTemporaryDir out;
    QString pdf;
    QString error;      // empty when the layout loaded and printed
    bool dateLabel = false; // whether the layout has the text label DATUMQRLABEL
    Printout printout;
    QStringList pages;  // the text of each page, runs of blanks as one
    QString all() const { return pages.join(u'\n'); }
};

// Text with every run of blanks made one blank.
QString squeezed(QString s);

// Faults of a printout, one line each: a text wider than its box (so that it is cut
// off), or anything outside the printable part of the paper between the margins.
QStringList layoutFaults(const Printout& printout, double leftMm, double rightMm, double topMm, double bottomMm);

// A small coloured picture in place of a club's logo.
QImage testLogo();

} // namespace trevo::reports::test
