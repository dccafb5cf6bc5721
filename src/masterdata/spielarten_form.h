#pragma once
// The game types window: the games the club plays in SPIELE.DBF, each a running number, a
// name and a description. What a bowler owes for a game is typed per evening, so a game
// type carries no amount. Evenings refer to game types by number, yet a game type is
// deleted without looking for them.
#include "masterdata/stammdaten.h"
#include "shell/stammdaten/stammdaten_form.h"

namespace trevo::masterdata {

class TSpielartenform : public TStammdatenForm {
    Q_OBJECT
public:
    TSpielartenform(shell::ShellServices& shell, Datenzugang& zugang, Suchdialoge& dialoge, QWidget* parent = nullptr);

    static StammdatenEinstellungen einstellungenSpielarten();

    controls::DBEdit* DBEdit1 = nullptr;     // NUMMER, grey
    controls::DBEdit* NameDBEdit2 = nullptr; // NAME
    controls::DBMemo* DBMemo1 = nullptr;     // BEMERKUNGE

protected:
    QWidget* ersteEingabe() const override;
    // The game list of the print facility (its own report option over SPIELE.DBF).
    void listeDrucken() override;
};

} // namespace trevo::masterdata
