// Trevo: the bookkeeping program of a nine-pin bowling club.
#include "app/fensterprobe.h"
#include "app/zusammensetzung.h"
#include "dbcontrols/application.h"
#include "shell/main_window.h"
#include "shell/program_icon.h"
#include "shell/program_paths.h"
#include "shell/startup.h"
#include "shell/window_registry.h"
#include "shell/wiring/programm.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTimer>
#include <QTranslator>

#include <memory>

namespace {

void germanTexts(QTranslator& qtTexts)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    if (qtTexts.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        trevo::controls::Application::installTranslator(&qtTexts);
}

} // namespace

int main(int argc, char** argv)
{
    using namespace trevo;
    using namespace trevo::shell;
    controls::Application app(argc, argv);
    controls::Application::setApplicationName(QStringLiteral("Trevo"));
    controls::Application::setApplicationVersion(QStringLiteral("1.14"));
    controls::Application::setWindowIcon(programIcon());
    QTranslator qtTexts;
    germanTexts(qtTexts);

    ProgramPaths paths = ProgramPaths::ofProgram();
    WindowRegistry registry;
    auto mainWindow = std::make_unique<MainForm1>(registry);
    QObject::connect(mainWindow.get(), &MainForm1::programEnds, &app, &QCoreApplication::quit, Qt::QueuedConnection);

    Programm programm(*mainWindow, paths);
    app::Zusammensetzung zusammensetzung(registry, programm, paths, *mainWindow);
    const QStringList arguments = controls::Application::arguments();
    if (arguments.contains(QStringLiteral("--fenster"))) {
        app::fensterAuflisten(registry);
        return 0;
    }
    const auto probe = app::probeCodes(arguments);
    if (probe) app::probeDialogeEinsetzen();

    int result = 0;
    {
        Startup startup(*mainWindow, paths, programm, &programm, registry);
        programm.setStartup(&startup);
        const QScreen* screen = QGuiApplication::primaryScreen();
        const bool started = startup.run(screen ? screen->geometry().width() : 800);
        programm.setStartup(nullptr);
        if (started && probe)
            QTimer::singleShot(0, mainWindow.get(), [&] {
                QCoreApplication::exit(app::fensterProbe(*mainWindow, *probe));
            });
        if (started) {
            zusammensetzung.laufBeginnt();
            result = controls::Application::exec();
            if (!probe) zusammensetzung.programmende();
        }
    }
    // The windows go before the data module closes the tables.
    mainWindow.reset();
    return result;
}
