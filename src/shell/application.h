#pragma once
// The application object: an error that escapes an event handler is shown in the error
// box instead of ending the program (while starting, by the start-up error handler).
#include <QApplication>

#include <functional>

namespace trevo::shell {

class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // Who shows such an error; nullptr restores the plain error box.
    static void setErrorPresenter(std::function<void(const QString&)> presenter);
    static void presentError(const QString& text);
};

} // namespace trevo::shell
