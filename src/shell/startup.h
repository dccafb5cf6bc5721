#pragma once
// The start-up of the program after the main window exists: options, start window with
// its progress, the data module and the long-lived windows, then the maximised main
// window with the evening window in front and the guide docked at the left.
// Errors of a start step are shown (with the start window hidden meanwhile) and the
// next step follows.
#include <QString>

#include <functional>

namespace trevo::shell {

class DataModuleSeam;
class MainForm1;
class OptionsSeam;
class StartWindow;
class WindowRegistry;
struct ProgramPaths;

class Startup {
public:
    Startup(MainForm1& main, ProgramPaths& paths, OptionsSeam& options, DataModuleSeam* data,
            WindowRegistry& registry);
    ~Startup();

    // Runs the start-up; false when the program is to end at once without saving.
    bool run(int screenWidth);

    int progress() const { return progress_; }
    StartWindow* startWindow() const { return start_; }
    bool errorHandlerInstalled() const { return handlerInstalled_; }

    // The start-up error handler: the error box with the start window hidden meanwhile.
    void showStartError(const QString& text);

    // Called after each start step with its status text (tests look at the progress here).
    std::function<void(const QString&)> onStep;

    // What ending the program does after Yes: save the options into KEGELCFG.DB.
    static void saveOptions(const ProgramPaths& paths, OptionsSeam& options);

private:
    void loadOptions();
    void startStep(const QString& text);
    void advance();
    void guardedStep(const std::function<void()>& step);
    void component(const QString& name);

    MainForm1& main_;
    ProgramPaths& paths_;
    OptionsSeam& options_;
    DataModuleSeam* data_;
    WindowRegistry& registry_;
    StartWindow* start_ = nullptr;
    int progress_ = 0;
    bool handlerInstalled_ = false;
};

} // namespace trevo::shell
