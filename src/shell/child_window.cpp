#include "shell/child_window.h"

#include "shell/shell_services.h"

namespace trevo::shell {

std::optional<Lotsencode> lotsencode(int number)
{
    switch (number) {
    case 1: case 10: case 30: case 31: case 32: case 40: case 50: case 51: case 52:
        return static_cast<Lotsencode>(number);
    default:
        return std::nullopt;
    }
}

ChildWindow::ChildWindow(ShellServices& shell, QWidget* parent) : QWidget(parent), shell_(shell) {}

void ChildWindow::setMenus(const QList<QMenu*>& menus)
{
    menus_ = menus;
    emit menusChanged();
}

void ChildWindow::Lotsenbefehl(Lotsencode) {}

void ChildWindow::FormActivate() {}

void ChildWindow::closeRequested()
{
    shell_.FensterZurueck();
}

void ChildWindow::tabelleGefuellt(bool) {}

bool ChildWindow::programmendeErlaubt()
{
    return true;
}

} // namespace trevo::shell
