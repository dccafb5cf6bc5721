#pragma once
// The other-items window: the price lists of SONSTYP0.DBF (date, currency, amount) in a
// grid on top with the list's fields below it, and the items of the current list
// (SONSTYPE.DBF: drinks, fees, penalty pieces with their price per piece, whether they
// enter the averages and who pays) in the grid and entry panel below. The window is the
// master-data pattern over the items; the price list is entered alongside.
//
// A new price list and the items entered with it form one transaction of the data module
// (the price-list session): appending the list starts it, storing the list commits it with
// its items, dropping the list rolls everything back.
//
// States of the price list while the window enters (on top of the pattern's edit modes):
//   Browse  no list is being entered (browse mode, or a list already stored in this entry)
//   Insert  a new list: its transaction is open and holds the items stored meanwhile
//   Edit    the current list is being changed (change, new item)
// Invariants:
//   - The pending item always belongs to the current list. Before the list moves, is
//     stored or dropped, the item is settled first (so that no item lands in another
//     list's transaction or outlives a dropped list).
//   - When the entry ends, no list stays pending: "Eingabe beenden" answered Ja stores it
//     with the item; the other ways out (Nein, "Abbruch", Esc, the close question answered
//     Nein) drop the item and settle the list by what it holds: a new list that nobody
//     touched and that holds no item is dropped, a new list holding anything and a changed
//     list are stored, an unchanged list goes back to browse. So nothing typed into a list is lost, no
//     transaction stays open after the entry, and the program's end finds no half list.
//   - The evening window hears of every stored list and every deleted item
//     (shell::SonstigeAuffrischung), when it exists.
#include "masterdata/stammdaten.h"
#include "shell/stammdaten/stammdaten_form.h"

#include "engine/core/value.h"

#include <vector>

class QLabel;

namespace trevo::masterdata {

class TSonstigeform : public TStammdatenForm {
    Q_OBJECT
public:
    TSonstigeform(shell::ShellServices& shell, Datenzugang& zugang, Suchdialoge& dialoge, QWidget* parent = nullptr);

    static StammdatenEinstellungen einstellungenSonstige();

    // The price lists (SonstigeMainTable1); null when the data module has none.
    engine::TableDataSet* preislisten() const;

    // Commands of the window beyond the pattern's (the items' new, change, copy, save,
    // cancel, delete and search are the pattern's commands over the item table).
    void NeueingabePreisliste1Click();
    void NeuePreisliste1Click() { NeueingabePreisliste1Click(); }
    void Aendern1Click() { ndern1Click(); }
    void Preislistel1Click();
    void EingabebeendenBitBtn1Click() { OKBtnClick(); }
    void EingabeAbbruchBitBtn1Click() { CancelBtnClick(); }

    // The price-list panel.
    QWidget* EingabemainPanel1 = nullptr;
    controls::DBGrid* DBGrid2 = nullptr;
    controls::DBEdit* DBEdit1 = nullptr; // NUMMER of the list, grey
    controls::DBEdit* Datumedit = nullptr;
    controls::DBLookupComboBox* Waehrungsedit = nullptr;
    controls::DBEdit* WaehrungStrEdit = nullptr; // grey
    controls::DBEdit* Beitragedit = nullptr;
    // The item panel.
    controls::DBEdit* EditNummer = nullptr; // grey
    controls::DBEdit* NameDBEdit = nullptr;
    controls::DBEdit* PreisEdit = nullptr;
    controls::DBEdit* Gueltigedit = nullptr;
    controls::DBCheckBox* Mittelwertedit = nullptr;
    // Menu items of the window's own.
    QAction* NeueingabePreisliste1 = nullptr; // browse menu
    QAction* Preislistel1 = nullptr;          // "&Preisliste löschen"
    QAction* NeuePreisliste1 = nullptr;       // entry menu
    QAction* Preislistendern1 = nullptr;      // "P&reisliste ändern"

protected:
    QWidget* ersteEingabe() const override;
    void nachModuswechsel(bool on) override;
    void vorAendern() override;
    void vorAnfuegen() override;
    void datensatzAbgeschlossen(bool gespeichert) override;
    void nachLoeschen() override;
    void eingabenUebernehmen() override;

private:
    void preislistenpanelBauen();
    void preislistenzeileBauen(QWidget* zeile);
    void detailfelderBauen();
    void menuesAnpassen();
    void formateSetzen();
    void tabulatorfolge();

    void neuePreisliste();
    void preislisteLoeschen();
    // The grid's Insert key on the price lists: a new list, the pending item settled first.
    void preislisteImGitterAnfuegen();
    // Whether the current list may go (no evening refers to it), saying why not.
    bool preislistePruefen();
    // The current list with all its items, together or not at all.
    void preislisteEntfernen();
    // A new price list, remembered as the window appended it.
    void preislisteAnfuegen();
    // The pending price list put into edit (a new one appended when there is none).
    void preislisteBearbeiten();
    // The pending item, then the pending list, settled as described above; whether a list
    // was stored.
    bool preislisteAbschliessen(bool speichern);
    // The pending item before the list moves: an untouched new one dropped, else stored
    // when changed.
    void detailAbschliessen();
    bool unberuehrtePreisliste();
    // The evening window follows the changed items.
    void abendAuffrischen();

    engine::Subscription listenquelle_, detailquelle_;
    std::vector<engine::Value> listeAngefuegt_;
};

} // namespace trevo::masterdata
