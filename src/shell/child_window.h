#pragma once
// Base of every working window of the main window. A child window keeps its edit mode
// in tag(), offers its own menus for merging in front of the main window's menus, and
// receives the guide's command codes.
//
// Edit modes (the values the mode had in the stored layouts and that the guide relies on):
//   Blaettern (0)           browsing; no record is being entered
//   Neu (1)                 new records; after each stored record the next one starts
//   KopierenUndAendern (2)  a copy of another record is being entered
//   Aendern (10)            the current record is being changed
// Invariant: a window not in Blaettern may hold typed data that is not stored yet; it is
// never closed, and the program never ends, without the window's close question.
#include <QList>
#include <optional>
#include <QWidget>

class QMenu;

namespace trevo::shell {

class ShellServices;

enum class Eingabemodus : int { Blaettern = 0, Neu = 1, KopierenUndAendern = 2, Aendern = 10 };

// Command codes the guide window and the evening window send to data windows.
enum class Lotsencode : int {
    Neueingabe = 1,
    Aendern = 10,
    Sortieren = 30,
    Bereich = 31,
    Suchen = 32,
    Liste = 40,
    AuswertungTermin = 50,
    AuswertungZeitraum = 51,
    Rangfolge = 52,
};

// The code of a number, nothing for numbers that are no command.
std::optional<Lotsencode> lotsencode(int number);

class ChildWindow : public QWidget {
    Q_OBJECT
public:
    explicit ChildWindow(ShellServices& shell, QWidget* parent = nullptr);

    ShellServices& shell() const { return shell_; }
    Eingabemodus tag() const { return tag_; }
    void setTag(Eingabemodus mode) { tag_ = mode; }
    bool imEingabemodus() const { return tag_ != Eingabemodus::Blaettern; }

    // The window's menus; the main window shows them in front of its own.
    const QList<QMenu*>& menus() const { return menus_; }
    void setMenus(const QList<QMenu*>& menus);

    // A command of the guide; the default does nothing.
    virtual void Lotsenbefehl(Lotsencode code);
    // Runs each time the window becomes the active child window.
    virtual void FormActivate();
    // The close box of the window's frame; the default goes back (FensterZurueck).
    virtual void closeRequested();
    // The data module tells whether the window's table holds records; the window enables
    // its menu items by its own rule. The default does nothing.
    virtual void tabelleGefuellt(bool hatDatensaetze);
    // Asked before the program ends. A window in an edit mode asks its close question
    // ("Daten speichern ?" with Yes, No and Cancel), stores or drops the entry, and
    // returns false for Cancel, which keeps the program running. The default allows it.
    virtual bool programmendeErlaubt();

signals:
    void menusChanged();

private:
    ShellServices& shell_;
    QList<QMenu*> menus_;
    Eingabemodus tag_ = Eingabemodus::Blaettern;
};

} // namespace trevo::shell
