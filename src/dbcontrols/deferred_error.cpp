#include "dbcontrols/deferred_error.h"

#include "dbcontrols/application.h"
#include "dbcontrols/command_guard.h"

#include "engine/dataset/data_set.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTimer>

#include <utility>

namespace trevo::controls {

namespace {

QStringList& queued()
{
    static QStringList texts;
    return texts;
}

void showQueued()
{
    const QStringList texts = std::exchange(queued(), {});
    for (const QString& text : texts) {
        try {
            Application::presentError(text);
        } catch (...) {
            // The error box itself failed; nothing more can be shown.
        }
    }
}

} // namespace

void reportLater(const QString& text)
{
    if (queued().contains(text)) return;
    queued().append(text);
    if (queued().size() > 1) return; // the turn that shows them is already asked for
    if (QCoreApplication* app = QCoreApplication::instance())
        QTimer::singleShot(0, app, showQueued);
    else
        showQueued();
}

void reportCurrentErrorLater()
{
    try {
        throw;
    } catch (const engine::Aborted&) {
        // A rule ended the operation on purpose and said why itself.
    } catch (...) {
        reportLater(currentErrorText());
    }
}

} // namespace trevo::controls
