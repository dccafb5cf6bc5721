#include "dbcontrols/application.h"

#include "dbcontrols/command_guard.h"
#include "common/dialogs/dialogs.h"

namespace trevo::controls {

namespace {
std::function<void(const QString&)>& presenter()
{
    static std::function<void(const QString&)> p;
    return p;
}
} // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    common::setDialogs(&boxes_);
}

Application::~Application()
{
    common::setDialogs(nullptr);
}

void Application::setErrorPresenter(std::function<void(const QString&)> p)
{
    presenter() = std::move(p);
}

void Application::presentError(const QString& text)
{
    if (presenter())
        presenter()(text);
    else
        common::dialogs().error(text);
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        const QString text = currentErrorText();
        try {
            presentError(text);
        } catch (...) {
            // The error box itself failed; nothing more can be shown.
        }
        return false;
    }
}

} // namespace trevo::controls
