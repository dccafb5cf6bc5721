#include "masterdata/menue_freigabe.h"

#include <QAction>
#include <QMenu>
#include <QStringList>

namespace trevo::masterdata {

namespace {

void switchNamed(QObject& window, const QStringList& names, bool enable)
{
    auto named = [&](const QObject* o) { return names.contains(o->objectName().toLower()); };
    for (QMenu* m : window.findChildren<QMenu*>())
        if (named(m)) m->menuAction()->setEnabled(enable);
    for (QAction* a : window.findChildren<QAction*>())
        if (named(a)) a->setEnabled(enable);
}

} // namespace

void menuepunktFreigeben(QObject& window, const QString& name, bool enable)
{
    switchNamed(window, {name.toLower()}, enable);
}

void menuepunkteFreigeben(QObject& window, bool enable, bool eveningWindow)
{
    QStringList names = {"aendern1", "ndern1", "kopierenundndern1", "bearbeiten1", "suchen1", "bereich1"};
    names << (eveningWindow ? "liste1" : "drucken1");
    switchNamed(window, names, enable);
}

} // namespace trevo::masterdata
