#pragma once
// The master-data window: one table of the data module shown as a grid with a record
// navigator, quick search, search, range filter and sort, and an entry panel below in
// which records are added, changed, copied and deleted. The registers of the program
// (members, game types, price lists, offices, appointment types, currencies, schedule,
// cash book) are windows of this kind; each states only its settings and entry fields.
//
// The edit mode lives in tag(): 0 browse, 1 new records (after each stored record the
// next one starts), 2 a copy of another record, 10 the current record changed. While the
// mode is not 0 the data set may hold a pending record, which the data-set rule stores
// (when changed) or drops whenever the data set appends, moves or changes its order.
#include "shell/child_window.h"
#include "engine/core/observers.h"
#include "engine/dataset/query_data_set.h"

#include <QList>
#include <QString>

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

namespace trevo::engine {
class TableDataSet;
}

namespace trevo::controls {
class EntryKeys;
}

namespace trevo::masterdata {

namespace bindung {
class Auswahlfeld;
class Datengitter;
class Eingabefeld;
class FeldBindung;
class Kontrollkaestchen;
class Memofeld;
class Navigator;
} // namespace bindung

struct Sortieroption {
    QString text;      // "Mitgliedsnummer"
    std::string index; // "MITGLIEDNR"
};

// What a window of the pattern states about itself.
struct StammdatenEinstellungen {
    QString caption;
    std::string dataSetName;            // "KeglerTable1"
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
};

class TStammdatenForm : public shell::ChildWindow {
    Q_OBJECT
public:
    TStammdatenForm(shell::ShellServices& shell, StammdatenEinstellungen settings, QWidget* parent = nullptr);
    ~TStammdatenForm() override;

    const StammdatenEinstellungen& einstellungen() const { return settings_; }
    // The window's data set; null when the data module has none of that name.
    engine::TableDataSet* tabelle() const { return table_; }

    // Commands, as the user gives them: pending control texts are taken over first, and
    // errors of the data store end the command in the error box.
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

    void Lotsenbefehl(int code) override;
    void FormActivate() override;
    void closeRequested() override;

    // The menu rule: change, copy, edit, range, search and print items follow whether
    // the table holds records.
    void MenueFreigeben(long count);
    void MenueFreigebenTabelle();
    // On: the entry buttons and fields, the entry menu, the first field focused.
    // Off: browse, mode 0, the browse menu, the grid focused.
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
    bindung::Navigator* DBNavigator2 = nullptr;
    QPushButton* BitBtn2 = nullptr; // "&Schließen"
    QLabel* Schnellsuchlabel = nullptr;
    QLineEdit* SchnellsuchEdit1 = nullptr;
    bindung::Datengitter* DBGrid1 = nullptr;
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
    // The entry panel's area for the window's own fields (the entry buttons sit beside it).
    QWidget* eingabeflaeche() const { return fieldArea_; }
    // Entry fields on the entry panel, bound to the window's data set. All but the check
    // box carry the field keys (Esc, Enter, arrows, page keys).
    bindung::Eingabefeld* eingabefeld(const std::string& field, const char* name);
    // The grey, read-only running number; the entry mode leaves it disabled.
    bindung::Eingabefeld* nummernanzeige(const std::string& field, const char* name);
    bindung::Memofeld* memofeld(const std::string& field, const char* name);
    bindung::Kontrollkaestchen* kontrollkaestchen(const std::string& field, const QString& text, const char* name);
    bindung::Auswahlfeld* auswahlfeld(const std::string& field, const char* name, const std::string& sourceName,
                                      const std::string& keyField, std::vector<std::string> listFields,
                                      QStringList titles);

    // Creation, called by the window's constructor once its fields exist.
    void FormCreate();

    // The field the entry starts in.
    virtual QWidget* ersteEingabe() const = 0;
    // Runs at the end of every mode switch.
    virtual void nachModuswechsel(bool on) { (void)on; }
    // Runs after each new record was appended (by new record, insert next and copy).
    virtual void nachAnfuegen() {}

    // Runs a command: pending control texts first, errors shown in the error box.
    void befehl(const std::function<void()>& command);
    // Binds the window and its controls to the data module's data set of its name again
    // when the one it showed went (the tables moved to another data folder).
    void tabelleBinden();

private:
    void buildToolbars(QVBoxLayout* panel);
    void buildEntryPanel();
    void buildMenus();
    QToolButton* toolButton(QToolBar* bar, const char* name, const QString& hint, int icon,
                            void (TStammdatenForm::*handler)());
    void addField(QWidget* control, bindung::FeldBindung* binding, bool keys, bool display);
    void uebernehmen();
    void switchMode(bool on, bool quiet);
    void focusFirst();
    void appendNew();
    void refreshLookup();
    void gotoHit();

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

    StammdatenEinstellungen settings_;
    engine::TableDataSet* table_ = nullptr;
    QWidget* fieldArea_ = nullptr;
    controls::EntryKeys* keys_ = nullptr;
    struct Field {
        QWidget* control;
        bindung::FeldBindung* binding;
        bool display;
    };
    std::vector<Field> fields_;
    struct Lookup {
        bindung::Auswahlfeld* control;
        std::string source;
    };
    std::vector<Lookup> lookups_;
    engine::Subscription tableWatch_;
    bool tableGone_ = false;
};

} // namespace trevo::masterdata
