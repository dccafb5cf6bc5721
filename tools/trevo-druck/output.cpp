#include "output.h"

#include "reports/render/pdf_output.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace trevo::drucktool {
namespace {

QString pagesText(size_t pages)
{
    return pages == 1 ? QStringLiteral("1 Seite") : QStringLiteral("%1 Seiten").arg(pages);
}

QString copiesText(int copies)
{
    return copies == 1 ? QStringLiteral("1 Exemplar") : QStringLiteral("%1 Exemplare").arg(copies);
}

Outcome failed(const reports::Report& report)
{
    return {false, report.errorText()};
}

} // namespace

Outcome writePdfFile(reports::Report& report, const QString& path, std::optional<int> copies)
{
    if (!report.render()) return failed(report);
    const size_t pages = report.printout().pages.size();
    const int n = copies.value_or(1);
    if (n == 1) {
        if (!report.renderToPdf(path)) return failed(report);
    } else {
        reports::Printout all = report.printout();
        for (int i = 1; i < n; ++i)
            all.pages.insert(all.pages.end(), report.printout().pages.begin(), report.printout().pages.end());
        const QStringList description = report.description();
        QString error;
        if (!reports::writePdf(all, path, &error, description.isEmpty() ? report.fileName() : description.front()))
            return {false, error};
    }
    return {true, QStringLiteral("%1 (%2) in die PDF-Datei %3 geschrieben.").arg(pagesText(pages), copiesText(n), path)};
}

Outcome printOnDefaultPrinter(reports::Report& report, std::optional<int> copies)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return {false, QStringLiteral("Es ist kein Drucker eingerichtet. Mit --pdf DATEI wird der Report als "
                                      "PDF-Datei geschrieben.")};
    if (copies) report.setCopies(*copies);
    if (!report.render()) return failed(report);
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(report.fileName());
    if (!report.print(printer)) return failed(report);
    return {true, QStringLiteral("%1 (%2) an den Drucker %3 geschickt.")
                      .arg(pagesText(report.printout().pages.size()), copiesText(report.copies()), info.printerName())};
}

} // namespace trevo::drucktool
