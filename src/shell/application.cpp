#include "shell/application.h"

#include "dbcontrols/command_guard.h"
#include "dbcontrols/dialogs.h"

namespace trevo::shell {

namespace {
std::function<void(const QString&)>& presenter()
{
    static std::function<void(const QString&)> p;
    return p;
}
} // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

void Application::setErrorPresenter(std::function<void(const QString&)> p)
{
    presenter() = std::move(p);
}

void Application::presentError(const QString& text)
{
    if (presenter())
        presenter()(text);
    else
        controls::dialogs().error(text);
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        const QString text = controls::currentErrorText();
        controls::runGuarded([&text] { presentError(text); });
        return false;
    }
}

} // namespace trevo::shell
