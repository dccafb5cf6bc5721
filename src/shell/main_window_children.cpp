// The main window's child windows: creating them by code, bringing them to the front
// with the window history, closing them, and asking every window in an edit mode
// before the program ends.
#include "shell/main_window.h"

#include "common/dialogs/dialogs.h"
#include "common/fenster/window_codes.h"
#include "dbcontrols/command_guard.h"
#include "shell/child_window.h"
#include "shell/guide_window.h"
#include "shell/help_window.h"
#include "shell/window_registry.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace trevo::shell {

// ---- child windows ----

ChildWindow* MainForm1::Fensterobjekt(int code)
{
    const auto it = windows_.find(common::effectiveWindowCode(code));
    return it == windows_.end() ? nullptr : it->second;
}

int MainForm1::activeCode() const
{
    for (const auto& [code, window] : windows_)
        if (window == current_) return code;
    return 0;
}

QMdiSubWindow* MainForm1::frameOf(ChildWindow* window) const
{
    return window ? qobject_cast<QMdiSubWindow*>(window->parentWidget()) : nullptr;
}

ChildWindow* MainForm1::Fenstererzeugen(int code)
{
    const int target = common::effectiveWindowCode(code);
    if (ChildWindow* existing = Fensterobjekt(target)) return existing;
    ChildWindow* window = registry_.createWindow(target, *this);
    if (!window) return nullptr;
    windows_[target] = window;
    QMdiSubWindow* frame = workspace_->addSubWindow(window);
    frame->setWindowIcon(windowIcon());
    frame->installEventFilter(this);
    connect(window, &ChildWindow::menusChanged, this, [this, window] {
        if (window == current_) mergeMenus();
    });
    frame->showMaximized();
    return window;
}

void MainForm1::setCurrent(ChildWindow* window)
{
    if (!window || window == current_) return;
    current_ = window;
    mergeMenus();
    // A window asked before the program ends is only shown; its activation would leave
    // the edit mode that the question is about.
    if (settling_) return;
    controls::runGuarded([window] { window->FormActivate(); });
}

void MainForm1::bringToFront(int code)
{
    ChildWindow* window = Fensterobjekt(code);
    QMdiSubWindow* frame = frameOf(window);
    if (!frame) return;
    frame->showMaximized();
    workspace_->setActiveSubWindow(frame);
    frame->raise();
    setCurrent(window);
}

void MainForm1::FensterAktivieren(int code)
{
    ChildWindow* before = current_;
    ChildWindow* window = Fenstererzeugen(code);
    if (!window) return; // no window of this code in the program
    bringToFront(code);
    history_.activated(code, window == before);
}

void MainForm1::FensterZurueck()
{
    if (history_.stepBack()) {
        close();
        if (ending_) return;
    }
    bringToFront(history_.target());
}

bool MainForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Close && !ending_) {
        if (auto* frame = qobject_cast<QMdiSubWindow*>(watched)) {
            event->ignore();
            if (auto* window = qobject_cast<ChildWindow*>(frame->widget()))
                controls::runGuarded([window] { window->closeRequested(); });
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- ending ----

// Every window in an edit mode is brought to the front and asked its close question
// before the program ends; Cancel (or an error while storing) keeps the program running.
bool MainForm1::entriesSettled()
{
    for (const auto& [code, window] : windows_) {
        if (!window->imEingabemodus()) continue;
        settling_ = true;
        bringToFront(code);
        settling_ = false;
        bool allowed = false;
        const bool ran = controls::runGuarded([&allowed, w = window] { allowed = w->programmendeErlaubt(); });
        if (!ran || !allowed) return false;
    }
    return true;
}

void MainForm1::ProgrammBeenden()
{
    close();
}

void MainForm1::closeEvent(QCloseEvent* event)
{
    if (ending_) {
        event->accept();
        return;
    }
    if (!entriesSettled() || !common::dialogs().yesNo(QStringLiteral("Programm beenden ?"))) {
        event->ignore();
        return;
    }
    ending_ = true;
    if (endHandler_) controls::runGuarded(endHandler_);
    event->accept();
    if (guide_) guide_->hide();
    if (help_) help_->hide();
    emit programEnds();
}

} // namespace trevo::shell
