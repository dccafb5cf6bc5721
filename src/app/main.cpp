// Trevo: the bookkeeping program of a nine-pin bowling club.
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
#include <QTranslator>

#include <memory>

int main(int argc, char** argv)
{
    using namespace trevo::shell;
    Application app(argc, argv);
    Application::setApplicationName(QStringLiteral("Trevo"));
    Application::setApplicationVersion(QStringLiteral("1.14"));
    Application::setWindowIcon(programIcon());
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        Application::installTranslator(&qtTexts);

    ProgramPaths paths = ProgramPaths::ofProgram();
    WindowRegistry& registry = WindowRegistry::instance();
    auto mainWindow = std::make_unique<MainForm1>(registry);
    QObject::connect(mainWindow.get(), &MainForm1::programEnds, &app, &QCoreApplication::quit, Qt::QueuedConnection);

    Programm programm(*mainWindow, paths);
    int result = 0;
    {
        Startup startup(*mainWindow, paths, programm, &programm, registry);
        programm.setStartup(&startup);
        const QScreen* screen = QGuiApplication::primaryScreen();
        const bool started = startup.run(screen ? screen->geometry().width() : 800);
        programm.setStartup(nullptr);
        if (started) result = Application::exec();
    }
    // The windows go before the data module closes the tables.
    mainWindow.reset();
    return result;
}
