#pragma once
// The schedule window: the club's planned appointments in TERMPLAN.DBF (date, time, a
// description taken from the appointment types, remarks) on the master-data pattern.
// It differs from the members window in these points:
//  - an appointment is complete when it has a date; leaving the date corrects a year
//    before 1930 by 100 years, and the calendar button beside it (shown while entering)
//    puts the chosen date in;
//  - the description is chosen from the appointment types: the type's text is copied,
//    so renaming a type later leaves stored appointments as they are;
//  - "Suchen" in the menu bar offers "Zeitraum" (every appointment up to N days from
//    today, no lower bound) and "Beliebiges Feld" (the pattern's search);
//  - the range filter shows a button that removes it again; the period filter does not;
//  - activation keeps the edit mode; the range button has no hint.
// Edit modes, commands and their transitions are the pattern's (stammdaten_form.h).
#include "shell/stammdaten/stammdaten_form.h"

namespace trevo::evenings {

using shell::stammdaten::Datenzugang;
using shell::stammdaten::StammdatenEinstellungen;
using shell::stammdaten::Suchdialoge;
using shell::stammdaten::TStammdatenForm;

class TTerminplanform : public TStammdatenForm {
    Q_OBJECT
public:
    TTerminplanform(shell::ShellServices& shell, Datenzugang& zugang, Suchdialoge& dialoge,
                    QWidget* parent = nullptr);

    static StammdatenEinstellungen einstellungenTerminplan();

    // "&Zeitraum": the period dialog, then the filter TERMINNUM <= N + today.
    void Zeitraum1Click();
    // "&Bereich", the range button, guide code 31: the shared range dialog over
    // TERMPLAN.DBF; an applied range shows the button that removes it.
    void BereichToolButtonClick();
    // Removes any filter, goes to the first appointment and hides itself.
    void BereichzurueckToolButtonClick();
    // The calendar: a chosen date goes into TERMIN, the focus into the date.
    void KalenderBtn1Click();

    void Lotsenbefehl(shell::Lotsencode code) override;

    controls::DBEdit* DBEdit1 = nullptr;                    // NUMMER, grey
    controls::DBEdit* Datumedit = nullptr;                  // TERMIN
    QToolButton* KalenderBtn1 = nullptr;                    // "Auswahlliste"
    controls::DBEdit* Zeitedit = nullptr;                   // ZEIT
    controls::DBLookupComboBox* Beschreibungedit = nullptr; // BESCHREIBU from TERMINTY.DBF
    controls::DBMemo* DBMemo1 = nullptr;                    // BEMERKUNGE
    QToolButton* BereichzurueckToolButton = nullptr;
    QAction* Zeitraum1 = nullptr;
    QAction* BeliebigesFeld1 = nullptr;

protected:
    QWidget* ersteEingabe() const override;
    void nachModuswechsel(bool on) override;

private:
    void felderBauen();
    void menueUndLeisteAnpassen();
    void spaltenbreitenSetzen();
    void bereichzurueckZeigen(bool on);
    void zeitraum();
    void bereich();
    QAction* bereichzurueckAktion_ = nullptr;
};

} // namespace trevo::evenings
