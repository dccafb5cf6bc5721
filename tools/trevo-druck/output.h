#pragma once
// Where trevo-druck sends a loaded report: a PDF file or the default printer.
#include "reports/report.h"

#include <QString>

#include <optional>

namespace trevo::drucktool {

// What an output did, or why it failed, in German.
struct Outcome {
    bool ok = false;
    QString text; // what was done, or why not
};

// The PDF holds `copies` copies one after the other (one when not given).
Outcome writePdfFile(reports::Report& report, const QString& path, std::optional<int> copies);

// Prints on the default printer, the layout's number of copies unless given.
Outcome printOnDefaultPrinter(reports::Report& report, std::optional<int> copies);

} // namespace trevo::drucktool
