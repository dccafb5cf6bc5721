#pragma once
// Cancelling a running statement of the SQL window.
//
// While a statement runs, the window "Bitte warten ..." shows with a button "Abbrechen";
// the button or Esc asks the engine to stop (engine/core/interrupt.h). The engine looks
// for that request in its long loops and then calls back here, and only then does the
// program see its events again: at most every 100 ms, starting with the first call.
//
// Invariants while a run is on (AbbrechbarerLauf alive):
// - only the button "Abbrechen" receives clicks and keys; every other click, key, wheel
//   turn or close request is dropped, and the program's timers wait, so no command of the program can
//   start in the middle of the statement. Windows still repaint.
// - Esc anywhere in the program requests the stop.
// - a modal box that comes up meanwhile (a deferred error message) takes its clicks and
//   keys, so that it can be answered.
// - at most one run at a time; the engine's request flag is cleared when a run begins
//   and when it ends, so a late click does not stop the next statement.
#include "shell/please_wait_window.h"

#include <QElapsedTimer>
#include <QObject>

class QPushButton;

namespace trevo::shell {
class ShellServices;
}

namespace trevo::sqlwindow {

// The please-wait window with the button "Abbrechen".
class Abbruchfenster : public shell::PleaseWaitWindow {
    Q_OBJECT
public:
    explicit Abbruchfenster(QWidget* parent = nullptr);

    QPushButton* AbbrechenBtn = nullptr;
};

// One cancellable run: shows the window, the busy cursor and "Bitte warten..." in the
// main window's status bar, and lets the engine's checks see the user's request.
class AbbrechbarerLauf : public QObject {
    Q_OBJECT
public:
    AbbrechbarerLauf(shell::ShellServices& shell, Abbruchfenster& fenster);
    ~AbbrechbarerLauf() override;
    AbbrechbarerLauf(const AbbrechbarerLauf&) = delete;
    AbbrechbarerLauf& operator=(const AbbrechbarerLauf&) = delete;

    // Whether a run is on anywhere in the program.
    static bool laeuft();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Called by the engine at its checks: lets the window handle its button and Esc.
    static void pruefen();
    bool zumFenster(QObject* watched) const;

    shell::ShellServices& shell_;
    Abbruchfenster& fenster_;
    QElapsedTimer seitPruefung_;
    bool geprueft_ = false;
};

} // namespace trevo::sqlwindow
