#pragma once
// The master-data window: one table of the data module shown as a grid with a record
// navigator, quick search, search, range filter and sort, and an entry panel below in
// which records are added, changed, copied and deleted. The registers of the program
// (members, game types, price lists, offices, appointment types, currencies, schedule,
// cash book) are windows of this kind; each states only its settings and entry fields.
// The grid, the navigator and the entry fields are the data-aware controls of dbcontrols,
// bound to the data module's data source of the window, so they follow the tables to
// another data folder by themselves.
//
// Edit modes (shell::Eingabemodus, kept in tag()) and the commands between them:
//
//   from                 command                               to
//   Blaettern            Neueingabe (menu, toolbar, guide)     Neu                 a new record
//   Blaettern            Ändern (menu, toolbar, guide)         Aendern             the current record;
//                                                                                  on an empty table a new one
//   Blaettern            Kopieren und Ändern                   KopierenUndAendern  a new record holding the
//                                                                                  current one's fields but
//                                                                                  its running number
//   Neu                  Eingabe beenden, Ja                   Neu                 stored, the next one started
//   Aendern, Kopieren..  Eingabe beenden, Ja                   Blaettern           stored
//   any edit mode        Eingabe beenden, Nein                 Blaettern           dropped
//   any edit mode        Datensatz einfügen, guide Neueingabe  unchanged           stored, the next one started
//   any edit mode        Neueingabe, Kopieren und Ändern       Neu, Kopieren...    stored first
//                        (entry menu)
//   any edit mode        Abbruch, Esc answered Ja              Blaettern           dropped
//   any edit mode        Zurück, Schließen, the close box,     Blaettern           "Daten speichern ?":
//                        the end of the program                                    Ja stores (complete or
//                                                                                  not), Nein drops;
//                                                              unchanged           Abbrechen
//   any edit mode        activation (windows that browse       Blaettern           the record stays
//                        on activation)                                            pending; the next move
//                                                                                  stores or drops it
//   any                  the tables move to another folder     Blaettern
// "Eingabe beenden" and "Datensatz einfügen" refuse an incomplete record (the name field
// empty) with "Die Daten sind nicht vollständig"; "Neueingabe" from an edit mode refuses it
// with "Die Daten sind noch nicht komplett" in windows that ask for it; the close question
// stores it as it is. "Neueingabe" while the new record of the last append is untouched
// (nothing but what the insert rules filled, such as its running number) drops it instead
// of storing an empty record. An error of the data store ends a command in the mode it was in.
//
// Grids editable in place (gridEditable): a changed cell makes its record pending in any
// mode; the next move stores it. The grid's Insert key appends a record, Ctrl+Delete asks
// "Datensatz löschen?" after the window's own checks of a delete (loeschenErlaubt and the
// reference check) and deletes.
//
// What holds in each mode:
//   Blaettern  The window made no pending record; a record left pending by an activation
//              waits for the next move. The entry fields are disabled and the entry
//              buttons hidden; the browse menus (MainMenu1) are shown, the grid has the
//              focus. Change, copy and change, "Bearbeiten", "Bereich", "Suchen" and
//              "Drucken" are enabled exactly when the table holds records (tabelleGefuellt);
//              new entry, sorting, the toolbar buttons and the entry menu are never disabled.
//   Neu, KopierenUndAendern, Aendern
//              The data set may hold a pending record (Insert or Edit), which every move,
//              append and change of order stores when it was changed and drops otherwise.
//              The entry fields (not the display fields) and the three entry buttons are
//              enabled, the entry menu (EingabeMenu) is shown, the first field has the focus.
// Every command first takes what was typed into the fields into the record
// (controls::updateRecord); errors end it in the error box.
#include "shell/child_window.h"
#include "engine/core/observers.h"
#include "engine/dataset/query_data_set.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolBar;
class QToolButton;
class QVBoxLayout;

namespace trevo::data {
class Datenquelle;
}

namespace trevo::engine {
class TableDataSet;
}

namespace trevo::controls {
class DBCheckBox;
class DBEdit;
class DBGrid;
class DBLookupComboBox;
class DBMemo;
class DBNavigator;
class EntryKeys;
} // namespace trevo::controls

namespace trevo::shell::stammdaten {

class Datenzugang;
class Suchdialoge;

struct Sortieroption {
    QString text;      // "Mitgliedsnummer"
    std::string index; // "MITGLIEDNR"
};

// What a window of the pattern states about itself.
struct StammdatenEinstellungen {
    QString caption;
    int fensterCode = 0;                // the window's code (the data module's menu rule)
    std::string dataSourceName;         // "KeglerDataSource1": what the window shows
    std::string dataSetName;            // "KeglerTable1": the data set behind it
    QString notOpenMessage;             // shown when the table is not open at creation
    std::string nameField;              // a record is complete when this field is not empty
    QString quickSearchLabel = QStringLiteral(" Nummer suchen  ");
    std::vector<Sortieroption> sortOptions;
    std::vector<std::string> gridColumns;
    int entryPanelHeight = 200;
    QString insertButtonText = QStringLiteral("Datensatz einfügen");
    bool searchNext = false;            // "Weitersuchen" on the toolbar
    QString rangeHint = QStringLiteral("Bereich"); // empty: the range button has no hint
    std::string referenceField;         // delete refused while this field of ...
    std::string referenceFile;          // ... this file holds the record's NUMMER
    std::string printOption, printDefault; // report of "Liste"
    std::string lookupToRefresh;        // data set re-read after browse and delete
    bool browseOnActivate = false;      // activation switches to browse
    bool incompleteCheckOnNew = false;  // "Neueingabe" refuses while the record is incomplete
    bool importItem = false;            // "&Importieren" in the "&Eingabe" menu
    bool gridEditable = false;          // cells are changed in place (not the running number)
    QString deleteQuestion = QStringLiteral("Datensatz löschen ?");
    std::string printFile;              // the table "Liste" prints over; empty: the window's
};

class TStammdatenForm : public shell::ChildWindow {
    Q_OBJECT
public:
    TStammdatenForm(shell::ShellServices& shell, Datenzugang& zugang, Suchdialoge& dialoge,
                    StammdatenEinstellungen settings, QWidget* parent = nullptr);
    ~TStammdatenForm() override;

    const StammdatenEinstellungen& einstellungen() const { return einstellungen_; }
    // The table behind the window's data source; null when there is none.
    engine::TableDataSet* tabelle() const;
    Suchdialoge& suchdialoge() const { return dialoge_; }

    // Commands, as the user gives them (see the table of modes above).
    void Neueingabe1Click();
    void NeuerSatzButtonClick();
    void ndern1Click();
    void Kopierenundndern1Click();
    void OKBtnClick();
    void CancelBtnClick();
    void Lschen2Click();
    void Sortierung1Click();
    void Bereich1Click();
    void Suchen1Click();
    void ToolButton1Click();
    void Liste1Click();
    void CloseBtnClick();
    void ToolButton4Click();
    void SchnellsuchEdit1Change(const QString& text);

    void Lotsenbefehl(shell::Lotsencode code) override;
    void FormActivate() override;
    void closeRequested() override;
    void tabelleGefuellt(bool hatDatensaetze) override;
    bool programmendeErlaubt() override;

    // Asks the data module's menu rule about the window's table (it answers through
    // tabelleGefuellt).
    void MenueFreigebenTabelle();
    // On: the entry buttons and fields, the entry menu, the first field focused.
    // Off: browse, the browse menu, the grid focused.
    void ModusSchalten(bool on);
    // Whether the current (or pending) record's name field holds text.
    bool komplett() const;

    // Layout (names of the window's components).
    QWidget* GitterPanel = nullptr;
    QWidget* ToolBar1 = nullptr;
    QToolBar* ToolBar3 = nullptr;
    QToolBar* ToolBar2 = nullptr;
    QToolBar* Schnellsuchtoolbar = nullptr;
    QToolButton* ToolButton5 = nullptr;  // "Zurück"
    QToolButton* ToolButton10 = nullptr; // "Neuer Datensatz"
    QToolButton* ToolButton11 = nullptr; // "Daten ändern"
    QToolButton* ToolButton13 = nullptr; // "Sortierung"
    QToolButton* BereichToolButton = nullptr;
    QToolButton* ToolButton14 = nullptr; // "Suchen"
    QToolButton* ToolButton1 = nullptr;  // "Weitersuchen"
    QToolButton* ToolButton4 = nullptr;  // "Lotse"
    controls::DBNavigator* DBNavigator2 = nullptr;
    QPushButton* BitBtn2 = nullptr; // "&Schließen"
    QLabel* Schnellsuchlabel = nullptr;
    QLineEdit* SchnellsuchEdit1 = nullptr;
    controls::DBGrid* DBGrid1 = nullptr;
    QWidget* EingabePanel1 = nullptr;
    QPushButton* EingabebeendenBitBtn1 = nullptr;
    QPushButton* DatensatzeinfuegenBitBtn1 = nullptr;
    QPushButton* EingabeAbbruchBitBtn1 = nullptr;

    // Menus: MainMenu1 in browse mode, EingabeMenu while entering.
    QList<QMenu*> MainMenu1, EingabeMenu;
    QMenu* Eingabe1 = nullptr;
    QMenu* Bearbeiten1 = nullptr;
    QMenu* Ansicht1 = nullptr;
    QMenu* Suchen1 = nullptr;
    QMenu* Drucken1 = nullptr;
    QAction* Neueingabe1 = nullptr;
    QAction* Kopierenundndern1 = nullptr;
    QAction* ndern1 = nullptr;
    QAction* Importieren1 = nullptr;
    QAction* Lschen2 = nullptr;
    QAction* Sortierung1 = nullptr;
    QAction* Bereich1 = nullptr;
    QAction* Liste1 = nullptr;
    QMenu* Eingabe2 = nullptr;
    QAction* Neueingabe2 = nullptr;
    QAction* Kopierenundndern2 = nullptr;

    // The result of the last search: one row per hit with its NUMMER.
    engine::QueryDataSet SuchQuery1;

protected:
    Datenzugang& zugang() const { return zugang_; }
    // The entry panel's area for the window's own fields (the entry buttons sit beside it).
    QWidget* eingabeflaeche() const { return eingabeflaeche_; }
    // Entry fields on the entry panel, bound to the window's data source. All but the check
    // box carry the field keys (Esc, Enter, arrows, page keys).
    controls::DBEdit* eingabefeld(const std::string& field, const char* name);
    // The grey, read-only running number; the entry mode leaves it disabled.
    controls::DBEdit* nummernanzeige(const std::string& field, const char* name);
    controls::DBMemo* memofeld(const std::string& field, const char* name);
    controls::DBCheckBox* kontrollkaestchen(const std::string& field, const QString& text, const char* name);
    // A choice of the records of another data source, led by an empty choice; the key field
    // of the chosen record goes into the field.
    controls::DBLookupComboBox* auswahlfeld(const std::string& field, const char* name, const std::string& sourceName,
                                            const std::string& keyField, const std::vector<std::string>& listFields,
                                            const QStringList& titles);

    // One row of the entry panel: the label and its control. The label leads the keyboard
    // to `partner` when given (a control inside a composite row), else to the control
    // itself unless that is a display-only field.
    struct Feldzeile {
        QString titel;
        QWidget* feld;
        QWidget* partner = nullptr;
    };
    // Lays the rows out one under the other on the entry panel: labels left (a memo's at
    // its top), controls left-aligned beside them, the rest of the panel empty.
    void feldzeilen(const std::vector<Feldzeile>& zeilen);

    // Creation, called by the window's constructor once its fields exist.
    void FormCreate();

    // The field the entry starts in.
    virtual QWidget* ersteEingabe() const = 0;
    // Runs at the end of every mode switch.
    virtual void nachModuswechsel(bool on) { (void)on; }
    // Runs after each new record was appended (by new record, insert next and copy).
    virtual void nachAnfuegen() {}
    // Runs first in every change command, before the record is put into edit.
    virtual void vorAendern() {}
    // Asked before the reference check of a delete (please-wait shown); false ends the
    // command, the window having said why.
    virtual bool loeschenErlaubt(engine::TableDataSet& t) { (void)t; return true; }

    // Runs before every append of a new record (new record, insert next, copy and the
    // next record of a series).
    virtual void vorAnfuegen() {}
    // Runs when save, cancel or the close question has stored (true) or dropped (false) the
    // window's pending record, before the window goes on (to browse or to the next record).
    virtual void datensatzAbgeschlossen(bool gespeichert) { (void)gespeichert; }
    // Runs after a record was deleted (by the menu or the grid's key).
    virtual void nachLoeschen() {}
    // "Liste": the report of the window's option over its table (or printFile).
    virtual void listeDrucken();
    // Takes what was typed into the controls into the records; the default takes the
    // window's table. Every command starts with it.
    virtual void eingabenUebernehmen();

    // Runs a command: typed texts into the record first, errors shown in the error box.
    void befehl(const std::function<void()>& command);

    // For windows with controls beyond the entry panel: a data source of the module by name
    // (nullptr when there is none), and a control made by the window on another panel that
    // the mode switch enables and disables like the entry fields (a display-only one stays
    // disabled), with the field keys when `keys` is set.
    data::Datenquelle* datenquelleNamens(const std::string& name) const { return quelle(name); }
    void steuerelementAufnehmen(QWidget* control, bool keys, bool displayOnly = false);
    // Inside a command: the mode switch (on: entry, off: browse) and the append of a new
    // record with the window's hooks.
    void eingabeSchalten(bool on) { modusWechseln(on, false); }
    void datensatzAnfuegen() { neuAnfuegen(); }
    // Whether the data set holds a new record that nobody changed since the window
    // appended it (the insert rules' values, such as the running number, do not count).
    bool unberuehrterNeuerSatz() const;
    // The window's checks before a delete: loeschenErlaubt and the reference check, each
    // saying why it refuses.
    bool loeschenPruefen(engine::TableDataSet& t);

private:
    void werkzeugleistenBauen(QVBoxLayout* panel);
    void befehlsleisteBauen();
    void navigatorleisteBauen();
    void schnellsuchleisteBauen();
    void eingabepanelBauen();
    void menuesBauen();
    QToolButton* werkzeugknopf(QToolBar* bar, const char* name, const QString& hint, int icon,
                               void (TStammdatenForm::*handler)());
    data::Datenquelle* quelle(const std::string& name) const;
    void feldAufnehmen(QWidget* steuerelement, bool tasten, bool anzeige);
    void tabelleGewechselt();
    void modusWechseln(bool on, bool quiet);
    void ersteEingabeFokussieren();
    void neuAnfuegen();
    void nachschlagetabelleAuffrischen();
    void zumTreffer();
    // The close question of an edit mode; false for Abbrechen. In browse mode it asks nothing.
    bool eingabeAbschliessen();

    void neueingabe();
    void neuerSatz();
    void aendern();
    void kopieren();
    void speichern();
    void abbrechen();
    void loeschen();
    void sortieren();
    void bereich();
    void suchen();
    void weitersuchen();
    void schliessen();
    void schnellsuche(const QString& text);

    Datenzugang& zugang_;
    Suchdialoge& dialoge_;
    StammdatenEinstellungen einstellungen_;
    data::Datenquelle* quelle_ = nullptr;
    engine::Subscription quellenBeobachter_;
    QWidget* eingabeflaeche_ = nullptr;
    controls::EntryKeys* feldtasten_ = nullptr;
    struct Feld {
        QWidget* steuerelement;
        bool anzeige;
    };
    std::vector<Feld> felder_;
    // The stored values of the record the window appended last, as the insert rules left them.
    std::vector<engine::Value> angefuegt_;
};

} // namespace trevo::shell::stammdaten
