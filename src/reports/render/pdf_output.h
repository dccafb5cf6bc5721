#pragma once
// Reports as PDF files: the same pages and the same painting as the preview and the printer.
#include "reports/data/report_data.h"
#include "reports/model/layout.h"
#include "reports/render/band_hooks.h"
#include "reports/render/display_list.h"

#include <QString>

namespace trevo::reports {

// Writes the pages (A4 in their orientation) into the file. On failure false and a
// German message.
bool writePdf(const Printout& printout, const QString& path, QString* error, const QString& title = {});

// Lays the layout out over the data and writes the PDF. Throws engine::EngineError with
// a German text on failure.
void renderToPdf(Layout& layout, ReportData& data, const QString& path, const RenderHooks& hooks = {});

} // namespace trevo::reports
