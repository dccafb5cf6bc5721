#pragma once
// What the main window offers its child windows and the guide.
#include <QString>

class QWidget;

namespace trevo::shell {

class ChildWindow;

class ShellServices {
public:
    virtual ~ShellServices() = default;

    // Activates the window of the code: created on first use, brought to the front,
    // recorded in the window history when it was not the active child window.
    virtual void FensterAktivieren(int code) = 0;
    // Back to the previously activated window; with a short history the program ends
    // after "Programm beenden ?".
    virtual void FensterZurueck() = 0;
    // 0 switches the please-wait indication on, 1 off; other values do nothing.
    virtual void BitteWarten(int mode) = 0;
    // Status panel 1 shows that a range filter is on, or is cleared.
    virtual void FilterAnzeige(bool on) = 0;
    // Writes a short text into a status panel (0 to 3).
    virtual void setStatusText(int panel, const QString& text) = 0;
    // The calendar dialog: the chosen date as "dd.mm.yyyy", empty when not closed with OK.
    virtual QString DatumWaehlen() = 0;
    // Creates the guide window when needed and shows it.
    virtual void LotseZeigen() = 0;
    // Opens a help page: help file ("TREVO.HLP", "QRDUSER.HLP") and topic number.
    virtual void Hilfe(const QString& helpFile, int topic) = 0;
    // Closes the main window, which asks "Programm beenden ?".
    virtual void ProgrammBeenden() = 0;
    // The window of a code when it exists, else nullptr.
    virtual ChildWindow* Fensterobjekt(int code) = 0;
};

} // namespace trevo::shell
