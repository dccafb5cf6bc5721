// trevo-druck ORDNER REPORTDATEI [--pdf DATEI] [--kopien N]: prints a report layout over
// the tables of a data folder without a screen, on the default printer or into a PDF
// file. A bare REPORTDATEI lies in ORDNER (its name matched without regard to case).
// Errors go in German to standard error with exit code 1.
#include "arguments.h"
#include "output.h"

#include "engine/database.h"
#include "reports/report.h"

#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>
#include <exception>

using namespace trevo;

namespace {

constexpr const char* usageText =
    "Aufruf: trevo-druck ORDNER REPORTDATEI [--pdf DATEI] [--kopien N]\n"
    "  Druckt den Report REPORTDATEI über die Tabellen des Datenordners ORDNER auf dem\n"
    "  Standarddrucker. REPORTDATEI ohne Ordner liegt in ORDNER.\n"
    "  --pdf DATEI   schreibt den Report in die PDF-Datei, statt ihn zu drucken\n"
    "  --kopien N    Anzahl der Exemplare (1 bis 99); ohne Angabe druckt der Drucker so viele,\n"
    "                wie der Report vorsieht, die PDF-Datei enthält eines\n";

int fail(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    return 1;
}

int run(const drucktool::Arguments& a)
{
    engine::Database db;
    reports::Report report(db, db.session());
    const std::string folder = QFileInfo(a.folder).absoluteFilePath().toStdString() + "/";
    report.setFolderFinder([folder](const std::string&) { return folder; });
    if (!report.load(drucktool::layoutFilePath(a))) return fail(report.errorText());
    const drucktool::Outcome done = a.pdfPath.isEmpty() ? drucktool::printOnDefaultPrinter(report, a.copies)
                                                        : drucktool::writePdfFile(report, a.pdfPath, a.copies);
    if (!done.ok) return fail(done.text);
    std::printf("%s\n", done.text.toLocal8Bit().constData());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    const drucktool::ParseResult parsed = drucktool::parseArguments(args);
    if (!parsed.arguments) {
        if (!parsed.error.isEmpty()) fail(parsed.error);
        std::fputs(usageText, stderr);
        return 1;
    }
    if (!QFileInfo(parsed.arguments->folder).isDir())
        return fail(QStringLiteral("Der Datenordner %1 wurde nicht gefunden.").arg(parsed.arguments->folder));

    // Reports are laid out and painted without a screen. The application sees no
    // arguments, so that none of ours is taken for one of Qt's.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int appArgc = 1;
    QGuiApplication app(appArgc, argv);
    try {
        return run(*parsed.arguments);
    } catch (const std::exception& e) {
        return fail(QStringLiteral("Fehler: ") + QString::fromUtf8(e.what()));
    }
}
