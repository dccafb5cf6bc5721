#pragma once
// The evaluation window (code 100, caption "Auswerten"): made at start-up and kept for the
// whole run. It runs the three evaluations for the evening window (shell::Auswertungsdienst),
// shows the rows of AUSWERTU.DBF in a read-only grid under a header page per evaluation,
// prints the page's report and books an evening's total into the cash book.
//
// Panels: "Bitte warten ..." is in front while a computation runs (toolbar hidden), the
// result panel afterwards (toolbar shown). A request cancelled, a period without evenings
// or an error before the computation proper leave the waiting panel in front. The header
// page chosen by an evaluation stays until the next one; the rows stay in the result
// tables until the next evaluation empties them, also while the window is closed.
#include "evaluation/kern/auswertung.h"
#include "shell/child_window.h"
#include "shell/fensterdienste.h"

#include <functional>

class QLabel;
class QPushButton;
class QStackedWidget;

namespace trevo::controls {
class DBGrid;
class DBNavigator;
} // namespace trevo::controls

namespace trevo::shell::stammdaten {
class Datenzugang;
}

namespace trevo::evaluation {

class TDateQueryDlg_Auswertung;

class TAuswerteForm2 : public shell::ChildWindow, public shell::Auswertungsdienst {
    Q_OBJECT
public:
    // The options are read anew for every evaluation.
    using Optionenquelle = std::function<Auswertungsoptionen()>;

    TAuswerteForm2(shell::ShellServices& shell, shell::stammdaten::Datenzugang& zugang, Optionenquelle optionen,
                   QWidget* parent = nullptr);
    ~TAuswerteForm2() override;

    // shell::Auswertungsdienst
    void AuswertungTermin(const std::string& terminNummer) override;
    void AuswertungZeitraum() override;
    void AuswertungRangfolge() override;

    // Maximised, the grid focused (so the window stays the active one of the main window).
    void FormActivate() override;

    // Commands.
    void DruckenBtnClick();
    void SchliessenBtnClick();
    void VerrechnenBtnClick();

    // The header pages.
    enum Seite { Start = 0, Termin = 1, Zeitraum = 2, Rangfolge = 3 };
    int seite() const;
    bool wartet() const; // the panel "Bitte warten ..." is in front

    // The last evening evaluation, which the booking uses.
    const Terminergebnis& letzterTermin() const { return termin_; }

    // Components.
    QWidget* ToolBar1 = nullptr;
    controls::DBNavigator* DBNavigator1 = nullptr;
    QPushButton* DruckenBtn = nullptr;
    QPushButton* SchliessenBtn = nullptr;
    QStackedWidget* Panels = nullptr;
    QWidget* WartePanel = nullptr;
    QWidget* ErgebnisPanel = nullptr;
    QStackedWidget* Kopf = nullptr;
    QLabel* GesamtbetragLabel = nullptr;
    QPushButton* VerrechnenBtn = nullptr;
    QLabel* ZeitraumtitelLabel1 = nullptr;
    QLabel* RangfolgeTitelLabel = nullptr;
    controls::DBGrid* DBGrid1 = nullptr;

private:
    void aufbauen();
    QWidget* kopfseite(const QString& titel, QWidget* inhalt);
    // Grid columns all shown, the waiting panel in front without toolbar, the page chosen.
    void beginnen(Seite seite, bool rangfolge = false);
    // The result panel and the toolbar in front.
    void ergebnisZeigen();
    Auswertung auswertung();
    // The request dialog of the page; false when it was not confirmed (the window went back).
    bool anfragen(TDateQueryDlg_Auswertung& dlg, int seite, int nummer);
    QString zeitraumText(const TDateQueryDlg_Auswertung& dlg) const;

    shell::stammdaten::Datenzugang& zugang_;
    Optionenquelle optionen_;
    Terminergebnis termin_;
};

} // namespace trevo::evaluation
