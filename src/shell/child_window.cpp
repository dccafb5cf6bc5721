#include "shell/child_window.h"

#include "shell/shell_services.h"

namespace trevo::shell {

ChildWindow::ChildWindow(ShellServices& shell, QWidget* parent) : QWidget(parent), shell_(shell) {}

void ChildWindow::setMenus(const QList<QMenu*>& menus)
{
    menus_ = menus;
    emit menusChanged();
}

void ChildWindow::Lotsenbefehl(int) {}

void ChildWindow::FormActivate() {}

void ChildWindow::closeRequested()
{
    shell_.FensterZurueck();
}

} // namespace trevo::shell
