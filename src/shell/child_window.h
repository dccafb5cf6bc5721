#pragma once
// Base of every working window of the main window. A child window keeps its edit mode
// in tag() (0 browse, 1 new, 2 copy and change, 10 change), offers its own menus for
// merging in front of the main window's menus, and receives the guide's command codes.
#include <QList>
#include <QWidget>

class QMenu;

namespace trevo::shell {

class ShellServices;

class ChildWindow : public QWidget {
    Q_OBJECT
public:
    explicit ChildWindow(ShellServices& shell, QWidget* parent = nullptr);

    ShellServices& shell() const { return shell_; }

    int tag() const { return tag_; }
    void setTag(int mode) { tag_ = mode; }

    // The window's menus; the main window shows them in front of its own.
    const QList<QMenu*>& menus() const { return menus_; }
    void setMenus(const QList<QMenu*>& menus);

    // Guide command codes: 1 new, 10 change, 30 sort, 31 range, 32 search, 40 print list,
    // 50 to 52 evaluations. The default does nothing.
    virtual void Lotsenbefehl(int code);
    // Runs each time the window becomes the active child window.
    virtual void FormActivate();
    // The close box of the window's frame; the default goes back (FensterZurueck).
    virtual void closeRequested();

signals:
    void menusChanged();

private:
    ShellServices& shell_;
    QList<QMenu*> menus_;
    int tag_ = 0;
};

} // namespace trevo::shell
