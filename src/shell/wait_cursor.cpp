#include "shell/wait_cursor.h"

#include <QApplication>
#include <QCursor>

namespace trevo::shell {

namespace {
bool active = false;
}

void setHourglass(bool on)
{
    if (on == active) return;
    active = on;
    if (on)
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QApplication::restoreOverrideCursor();
}

bool hourglassOn()
{
    return active;
}

} // namespace trevo::shell
