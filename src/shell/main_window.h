#pragma once
// The main window: the multiple-document frame with the teal workspace, the menus
// "Extras", "Fenster" and "Hilfe" (the active child window's menus merged in front),
// the status bar with four panels and the clock, the window codes with their history,
// the please-wait indication and the dock place of the guide window at the left.
#include "shell/shell_services.h"
#include "shell/window_history.h"

#include <QMainWindow>

#include <functional>
#include <map>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;

namespace trevo::shell {

class HelpWindow;
class Kalenderform;
class LotsenDlg;
class PleaseWaitWindow;
class WindowRegistry;

class MainForm1 : public QMainWindow, public ShellServices {
    Q_OBJECT
public:
    explicit MainForm1(WindowRegistry& registry, QWidget* parent = nullptr);
    ~MainForm1() override;

    // ShellServices
    void FensterAktivieren(int code) override;
    void FensterZurueck() override;
    void BitteWarten(int mode) override;
    void FilterAnzeige(bool on) override;
    void setStatusText(int panel, const QString& text) override;
    QString DatumWaehlen() override;
    void LotseZeigen() override;
    void Hilfe(const QString& helpFile, int topic) override;
    void ProgrammBeenden() override;
    ChildWindow* Fensterobjekt(int code) override;

    // Creates the window of a code when it does not exist yet, without activating it.
    ChildWindow* Fenstererzeugen(int code);
    // Brings an existing window to the front without touching the history.
    void bringToFront(int code);

    WindowHistory& history() { return history_; }
    ChildWindow* activeChild() const { return current_; }
    // The code of the active child window, 0 when there is none.
    int activeCode() const;
    QMdiArea* workspace() const { return workspace_; }
    QString statusText(int panel) const;

    // Start-up: the guide created, shown and docked at the left, 200 pixels wide.
    void dockGuide();
    LotsenDlg* guide() const { return guide_; }
    // Width of the left dock panel (0 while nothing is docked or shown there).
    int dockPanelWidth() const;

    Kalenderform* calendar();
    HelpWindow* helpWindow() const { return help_; }
    PleaseWaitWindow* pleaseWaitWindow() const { return pleaseWait_; }

    // Main window creation: the warning for screens narrower than 800 pixels and the
    // scaling of the status panels by width / 800.
    void adaptToScreen(int screenWidth);
    // Fills the screen (maximised).
    void maximize();

    // Runs after Yes to "Programm beenden ?", before the program ends (saves the options).
    void setEndHandler(std::function<void()> handler) { endHandler_ = std::move(handler); }
    bool ending() const { return ending_; }

    // Menu actions by their text (without '&'), for the guide and tests.
    QAction* menuAction(const QString& text) const;
    void updateMenuAvailability();
    // The menu items that activate a window, with the window's code.
    const std::map<QAction*, int>& windowActions() const { return windowActions_; }

signals:
    // Yes was answered to "Programm beenden ?" and the options are saved.
    void programEnds();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool entriesSettled();
    void buildMenus();
    void buildStatusBar();
    void mergeMenus();
    void setCurrent(ChildWindow* window);
    void showAbout();
    void setGuideWidth();
    void setUpPrinter();
    QMdiSubWindow* frameOf(ChildWindow* window) const;

    WindowRegistry& registry_;
    QMdiArea* workspace_ = nullptr;
    QMenu* extrasMenu_ = nullptr;
    QMenu* fensterMenu_ = nullptr;
    QMenu* hilfeMenu_ = nullptr;
    std::map<QAction*, int> windowActions_;
    QAction* reportsAction_ = nullptr;
    std::map<QAction*, QString> backupActions_;
    QAction* autoBackupAction_ = nullptr;
    QLabel* panels_[4] = {};
    QTimer* clock_ = nullptr;
    PleaseWaitWindow* pleaseWait_ = nullptr;
    LotsenDlg* guide_ = nullptr;
    Kalenderform* calendar_ = nullptr;
    HelpWindow* help_ = nullptr;
    std::map<int, ChildWindow*> windows_;
    ChildWindow* current_ = nullptr;
    WindowHistory history_;
    std::function<void()> endHandler_;
    bool ending_ = false;
    bool settling_ = false; // windows are asked before the program ends
};

} // namespace trevo::shell
