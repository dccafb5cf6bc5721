#pragma once
// The cash book window: the bookings of the club account in KONTO.DBF on the master-data
// pattern, with the account's balance from KONTOINF.DBF shown in the entry panel. The data
// module's rules move the balance with every booking that is stored, changed, cancelled or
// deleted; "Kontostand aktualisieren" recomputes it from the files. The window differs
// from the members window in these points:
//  - a booking is complete when it has a booking date;
//  - every booking started by the window belongs to account 1, also the next one that
//    saving a new booking opens;
//  - leaving "Buchungsdatum" corrects a year before 1930 by 100 years;
//  - activation keeps the edit mode;
//  - on creation the table shows every booking (no range is remembered).
// Edit modes, commands and their transitions are the pattern's (stammdaten_form.h).
#include "shell/stammdaten/stammdaten_form.h"

namespace trevo::cashbook {

using shell::stammdaten::Datenzugang;
using shell::stammdaten::StammdatenEinstellungen;
using shell::stammdaten::Suchdialoge;
using shell::stammdaten::TStammdatenForm;

class TKontoform : public TStammdatenForm {
    Q_OBJECT
public:
    TKontoform(shell::ShellServices& shell, Datenzugang& zugang, Suchdialoge& dialoge, QWidget* parent = nullptr);

    static StammdatenEinstellungen einstellungenKonto();

    // "Kontostand &aktualisieren": the balance of the current booking's account (account 1
    // on an empty cash book) recomputed from its opening balance; order and position stay.
    void Kontostandaktualisieren1Click();

    controls::DBEdit* DBEdit1 = nullptr;            // NUMMER, grey
    controls::DBEdit* DatumDBEdit2 = nullptr;       // DATUM, "Buchungsdatum"
    controls::DBEdit* BetragDBEdit3 = nullptr;      // BETRAG
    controls::DBEdit* WaehrungDBEdit4 = nullptr;    // WaehrungStr of the booking, grey
    controls::DBMemo* DBMemo1 = nullptr;            // BESCHREIBU, "Bemerkungen"
    controls::DBEdit* KontonrDBEdit5 = nullptr;     // KONTONR, grey
    controls::DBEdit* KontostandDBEdit6 = nullptr;  // KONTOSTAND of the account, grey
    controls::DBEdit* WaehrungDBEdit7 = nullptr;    // WaehrungStr of the account, grey
    QAction* Kontostandaktualisieren1 = nullptr;

protected:
    QWidget* ersteEingabe() const override;
    void nachAnfuegen() override;

private:
    void felderBauen();
    void spaltenbreitenSetzen();
    controls::DBEdit* kontoanzeige(const std::string& field, const char* name);
    QWidget* zeile(std::initializer_list<QWidget*> teile);
    int aktuellesKonto();
};

} // namespace trevo::cashbook
