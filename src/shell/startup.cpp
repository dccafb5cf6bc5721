#include "shell/startup.h"

#include "dbcontrols/application.h"
#include "shell/child_window.h"
#include "dbcontrols/command_guard.h"
#include "common/dialogs/dialogs.h"
#include "shell/main_window.h"
#include "shell/please_wait_window.h"
#include "shell/program_paths.h"
#include "shell/setup_form.h"
#include "shell/start_window.h"
#include "shell/startup_seams.h"
#include "shell/wait_cursor.h"
#include "common/fenster/window_codes.h"
#include "shell/window_registry.h"

#include <QFileInfo>

namespace trevo::shell {

namespace {
const QString missingConfig = QStringLiteral("Die Konfigurationsdatenbank KEGELCFG.DB fehlt");
}

Startup::Startup(MainForm1& main, ProgramPaths& paths, OptionsSeam& options, DataModuleSeam* data,
                 WindowRegistry& registry)
    : main_(main), paths_(paths), options_(options), data_(data), registry_(registry)
{
}

Startup::~Startup()
{
    if (handlerInstalled_) controls::Application::setErrorPresenter(nullptr);
    delete start_;
}

void Startup::showStartError(const QString& text)
{
    const bool visible = start_ && start_->isVisible();
    if (visible) start_->hide();
    const bool hourglass = hourglassOn();
    setHourglass(false);
    common::dialogs().error(text);
    setHourglass(hourglass);
    if (visible) {
        start_->show();
        paintNow(start_);
    }
}

void Startup::guardedStep(const std::function<void()>& step)
{
    try {
        step();
    } catch (...) {
        showStartError(controls::currentErrorText());
    }
}

void Startup::startStep(const QString& text)
{
    start_->StartSchritt(text);
}

void Startup::advance()
{
    progress_ += 12;
    start_->setProgress(progress_);
    if (onStep) onStep(start_->stepText());
}

void Startup::component(const QString& name)
{
    guardedStep([this, &name] { registry_.runCommand(name); });
}

void Startup::loadOptions()
{
    options_.setDefaults();
    const QString file = paths_.configFile();
    if (!QFileInfo::exists(file)) {
        common::dialogs().message(missingConfig);
        return;
    }
    guardedStep([this, &file] { options_.load(file); });
    const QString folder = options_.setupValues().datenordner;
    if (!folder.isEmpty()) paths_.dataFolder = folder.endsWith('/') ? folder : folder + '/';
}

void Startup::saveOptions(const ProgramPaths& paths, OptionsSeam& options)
{
    const QString file = paths.configFile();
    if (!QFileInfo::exists(file)) {
        common::dialogs().message(missingConfig);
        return;
    }
    options.save(file);
}

bool Startup::run(int screenWidth)
{
    // The main window's creation steps, then the start-up error handler.
    main_.adaptToScreen(screenWidth);
    controls::Application::setErrorPresenter([this](const QString& text) { showStartError(text); });
    handlerInstalled_ = true;
    main_.setEndHandler([&paths = paths_, &options = options_] { saveOptions(paths, options); });
    main_.updateMenuAvailability();

    loadOptions();

    setHourglass(true);
    start_ = new StartWindow;
    centreOnScreen(start_);
    start_->show();
    paintNow(start_);

    startStep(QStringLiteral("Datenbankfunktionen"));
    advance();
    if (data_) guardedStep([this] { data_->createTools(); });

    startStep(QStringLiteral("Datenbank öffnen"));
    advance();
    bool goOn = true;
    if (data_) guardedStep([this, &goOn] { goOn = data_->create(paths_); });
    if (!goOn) {
        delete start_;
        start_ = nullptr;
        setHourglass(false);
        return false;
    }

    startStep(QStringLiteral("Druckfunktion"));
    advance();
    component(Komponente::Druckdialog);

    startStep(QStringLiteral("Reportgenerator"));
    advance();
    component(Komponente::Reportgenerator);

    startStep(QStringLiteral("Suchfunktionen"));
    advance();
    component(Komponente::Suchdialog);
    advance();
    component(Komponente::Bereichsdialog);
    advance();
    component(Komponente::SuchenErsetzenDialog);
    guardedStep([this] { main_.calendar(); });

    startStep(QStringLiteral("Termine"));
    advance();
    guardedStep([this] { main_.Fenstererzeugen(common::Fenster::Auswerten); });
    guardedStep([this] { main_.Fenstererzeugen(common::Fenster::Termine); });

    delete start_;
    start_ = nullptr;
    setHourglass(false);

    if (!main_.isMaximized()) main_.maximize();
    main_.history().reset(common::Fenster::Termine);
    main_.bringToFront(common::Fenster::Termine);
    if (options_.showGuideAtStart()) guardedStep([this] { main_.dockGuide(); });
    if (data_) guardedStep([this] { data_->positionPriceList(options_.currentPriceList()); });

    controls::Application::setErrorPresenter(nullptr);
    handlerInstalled_ = false;
    return true;
}

} // namespace trevo::shell
