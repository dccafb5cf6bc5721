#include "reports/render/pdf_output.h"

#include "engine/core/error.h"
#include "reports/render/painter.h"
#include "reports/render/renderer.h"

#include <QFileInfo>
#include <QPdfWriter>

namespace trevo::reports {

bool writePdf(const Printout& printout, const QString& path, QString* error, const QString& title)
{
    QPdfWriter writer(path);
    writer.setResolution(1200);
    writer.setCreator(QStringLiteral("Trevo"));
    writer.setTitle(title);
    prepareDevice(printout, writer);
    if (paintPrintout(printout, writer) && QFileInfo(path).size() > 0) return true;
    if (error) *error = QStringLiteral("Die PDF-Datei %1 kann nicht geschrieben werden.").arg(path);
    return false;
}

void renderToPdf(Layout& layout, ReportData& data, const QString& path, const RenderHooks& hooks)
{
    const Printout printout = renderReport(layout, data, hooks);
    QString error;
    const QString title = layout.description.isEmpty() ? QString() : layout.description.front();
    if (!writePdf(printout, path, &error, title)) throw engine::EngineError(error.toStdString());
}

} // namespace trevo::reports
