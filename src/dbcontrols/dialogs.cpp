#include "dbcontrols/dialogs.h"

#include "dbcontrols/qt_dialogs.h"

namespace trevo::controls {

namespace {
Dialogs* installed = nullptr;
}

Dialogs& dialogs()
{
    static QtDialogs qtBoxes;
    return installed ? *installed : qtBoxes;
}

void setDialogs(Dialogs* service)
{
    installed = service;
}

DialogsScope::DialogsScope(Dialogs& service) : previous_(installed)
{
    installed = &service;
}

DialogsScope::~DialogsScope()
{
    installed = previous_;
}

} // namespace trevo::controls
