#pragma once
// Shared by the report tests: a data folder with the demo club and evening results,
// a results layout built in code, and the text of PDF files.
#include "engine/database.h"
#include "reports/model/layout.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <ostream>
#include <string>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace trevo::reports::test {

// A data folder with the demo club; AUSWERTU.DBF holds one result row per bowler
// (amounts with cents), WERTETAB.DBF the evening's date, title and place. Without
// bowlers: a new, empty data folder.
struct ClubFolder {
    explicit ClubFolder(int bowlers = 18);
    QTemporaryDir dir;
    engine::Database db;
    std::string folder;
    QStringList names;     // NAME of the rows of AUSWERTU.DBF in the order of NUMMER
    long long totalCents = 0; // the sum of SUMME over all rows

    void addResult(int nummer, const QString& name, double spiele, double sonstiges, double beitrag);
    void addValue(int nummer, const char* bezeichnung, const QString& wert);
    std::string path(const char* fileName) const { return folder + fileName; }
};

// A results list: page header with title and "Seite n von m", column header, one
// detail row per AUSWERTU.DBF record, summary with sums and count, page footer.
Layout resultsLayout();
// An element with box (mm) and data.
Element element(const QString& name, QRectF box, ElementData data);

// The text of a PDF file as `pdftotext -layout` gives it; fails the test when it cannot run.
QString pdfText(const QString& pdfPath);
// Pages of pdftotext output (separated by form feeds).
QStringList pdfPages(const QString& pdfPath);
// Writes PNG images of the PDF's pages with pdftoppm (prefix-1.png, ...) when the
// environment names a folder in TREVO_REPORT_PNG_DIR.
void keepPng(const QString& pdfPath, const QString& prefix);

// German amount text of cents: 123456 -> "1.234,56".
QString euros(long long cents);

} // namespace trevo::reports::test
