#pragma once
// The application object of the program and of every test of the widget layers: it installs
// the dialog service with the real boxes, and an error that escapes an event handler is
// shown in the error box instead of ending the program (while starting, by the start-up
// error handler).
#include "dbcontrols/qt_dialogs.h"

#include <QApplication>

#include <functional>

namespace trevo::controls {

class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    ~Application() override;
    bool notify(QObject* receiver, QEvent* event) override;

    // Who shows such an error; nullptr restores the plain error box.
    static void setErrorPresenter(std::function<void(const QString&)> presenter);
    static void presentError(const QString& text);

private:
    QtDialogs boxes_;
};

} // namespace trevo::controls
