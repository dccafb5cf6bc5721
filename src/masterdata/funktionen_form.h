#pragma once
// The offices window: the club's offices (chairman, treasurer, ...) in FUNKTION.DBF, which
// the members window offers for a member's office. An office is a number and a name.
#include "masterdata/stammdaten.h"
#include "shell/stammdaten/stammdaten_form.h"

namespace trevo::masterdata {

class TFunktionenform : public TStammdatenForm {
    Q_OBJECT
public:
    TFunktionenform(shell::ShellServices& shell, Datenzugang& zugang, Suchdialoge& dialoge, QWidget* parent = nullptr);

    static StammdatenEinstellungen einstellungenFunktionen();

    controls::DBEdit* DBEdit1 = nullptr; // NUMMER, grey
    controls::DBEdit* NameDBEdit = nullptr; // BEZEICHNUN

protected:
    QWidget* ersteEingabe() const override;
};

} // namespace trevo::masterdata
