#include "dbcontrols/command_guard.h"

#include "dbcontrols/application.h"

#include "engine/core/error.h"
#include "engine/dataset/data_set.h"

#include <new>

namespace trevo::controls {

QString errorText(const std::exception& e)
{
    if (dynamic_cast<const std::bad_alloc*>(&e)) return QStringLiteral("Nicht genügend Arbeitsspeicher");
    const QString text = QString::fromUtf8(e.what());
    return text.isEmpty() ? QStringLiteral("Unbekannter Fehler") : text;
}

QString currentErrorText()
{
    try {
        throw;
    } catch (const std::exception& e) {
        return errorText(e);
    } catch (...) {
        return QStringLiteral("Unbekannter Fehler");
    }
}

bool runGuarded(const std::function<void()>& command)
{
    try {
        command();
        return true;
    } catch (const engine::Aborted&) {
        return false; // a rule ended the command on purpose and said why itself
    } catch (...) {
        const QString text = currentErrorText();
        try {
            Application::presentError(text);
        } catch (...) {
            // The error box itself failed; nothing more can be shown.
        }
        return false;
    }
}

} // namespace trevo::controls
