#pragma once
// The currencies window: the currencies of amounts in WAEHRUNGEN.DBF, each with its
// short sign and the factor an amount is divided by to give euros. Currency 1 (the euro)
// stays, a currency a price list names stays too, and every change is preceded by a
// warning, since evenings and accounts keep amounts in these currencies. The guide's
// commands do not reach this window.
#include "masterdata/stammdaten.h"
#include "shell/stammdaten/stammdaten_form.h"

namespace trevo::masterdata {

class TWaehrungsform : public TStammdatenForm {
    Q_OBJECT
public:
    TWaehrungsform(shell::ShellServices& shell, Datenzugang& zugang, Suchdialoge& dialoge, QWidget* parent = nullptr);

    static StammdatenEinstellungen einstellungenWaehrungen();

    void Lotsenbefehl(shell::Lotsencode code) override;

    controls::DBEdit* DBEdit1 = nullptr;        // NUMMER, grey
    controls::DBEdit* NameDBEdit2 = nullptr;    // NAME
    controls::DBEdit* KuerzelDBEdit3 = nullptr; // KUERZEL
    controls::DBEdit* FaktorDBEdit4 = nullptr;  // FAKTOR
    controls::DBMemo* DBMemo1 = nullptr;        // BEMERKUNGE

protected:
    QWidget* ersteEingabe() const override;
    void vorAendern() override;
    bool loeschenErlaubt(engine::TableDataSet& t) override;

private:
    void felderBauen();
};

} // namespace trevo::masterdata
