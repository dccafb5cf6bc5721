#pragma once
// The appointment types window: the kinds of club dates (bowling evening, outing, general
// meeting, ...) in TERMINTY.DBF, each a running number and a description.
#include "masterdata/stammdaten.h"
#include "shell/stammdaten/stammdaten_form.h"

namespace trevo::masterdata {

class TTerminartenform : public TStammdatenForm {
    Q_OBJECT
public:
    TTerminartenform(shell::ShellServices& shell, Datenzugang& zugang, Suchdialoge& dialoge,
                     QWidget* parent = nullptr);

    static StammdatenEinstellungen einstellungenTerminarten();

    controls::DBEdit* DBEdit1 = nullptr;     // NUMMER, grey
    controls::DBEdit* NameDBEdit2 = nullptr; // BESCHREIBU

protected:
    QWidget* ersteEingabe() const override;
};

} // namespace trevo::masterdata
