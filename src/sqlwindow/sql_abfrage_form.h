#pragma once
// The SQL window (code 29): a statement typed or loaded into the memo runs against the
// table files; a query's rows show in the grid, and a statement that changes tables says
// how many records it changed. Table names that are no full paths are file names in the
// program's working folder (the data folder is not put in front of them).
//
// The query Query1 is closed before every run and opened only with the rows of a
// successful query: after an error the grid is empty and the memo keeps the statement.
// The window stays open with its statement and rows when "Schließen" goes back.
// A running statement can be cancelled ("Abbrechen" or Esc, abbruch.h); it then changes
// nothing. Notices of the engine about a statement (a damaged table read) show in a
// warning box and in the status line.
#include "data/module/datenquelle.h"
#include "engine/dataset/query_data_set.h"
#include "shell/child_window.h"

#include <QString>

#include <functional>
#include <string>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class QToolBar;

namespace trevo::controls {
class DBGrid;
class DBNavigator;
} // namespace trevo::controls

namespace trevo::shell::stammdaten {
class Datenzugang;
}

namespace trevo::sqlwindow {

class Abbruchfenster;

class TSQLAbfrageForm : public shell::ChildWindow {
    Q_OBJECT
public:
    TSQLAbfrageForm(shell::ShellServices& shell, shell::stammdaten::Datenzugang& zugang, QWidget* parent = nullptr);
    ~TSQLAbfrageForm() override;

    // "&Abfrage starten": the rows of the statement in the grid.
    void AbfrageStartenClick();
    // "SQL-Befehl /ExecSQL)": the statement runs without showing rows.
    void ExecSQLClick();
    void TextLadenClick();
    void TextSpeichernClick();
    void SchliessenClick();

    // The folder in which table names without a folder are looked up; ends in '/'.
    static std::string arbeitsordner();

    QToolBar* ToolBar1 = nullptr;
    controls::DBNavigator* DBNavigator1 = nullptr;
    QPushButton* SchliessenBtn = nullptr;
    QLabel* AnweisungenLabel = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QLabel* ErgebnisLabel = nullptr;
    controls::DBGrid* DBGrid1 = nullptr;
    QPushButton* AbfrageStartenBtn = nullptr;
    QPushButton* TextLadenBtn = nullptr;
    QPushButton* TextSpeichernBtn = nullptr;
    QPushButton* ExecSQLBtn = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    // "Bitte warten ..." with "Abbrechen" while a statement runs.
    Abbruchfenster* Wartefenster = nullptr;

    engine::QueryDataSet& query() { return Query1; }

    // Coming to the front, the window takes the focus back: to the control that had it
    // last, at first to the memo.
    void FormActivate() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void aufbauen();
    QWidget* werkzeugleiste();
    QWidget* knopfleiste();
    // Closes the query, runs the memo's statement and, for a query shown, opens it with
    // the rows. Errors reach the caller (the command guard shows them).
    void ausfuehren(bool zeilenZeigen);
    void abfrageSchliessen();
    // The button whose key (Alt + its letter) was pressed; the window's own buttons come
    // before the menus of the main window and its guide while the focus is here.
    QPushButton* knopfZuTaste(const QEvent* event) const;
    std::string anweisung() const;
    int spaltenbreite(const engine::FieldDef& spalte) const;
    QString dateiordner() const;

    shell::stammdaten::Datenzugang& zugang_;
    engine::QueryDataSet Query1;
    data::Datenquelle DataSource1{"DataSource1"};
    QString letzterOrdner_;
};

} // namespace trevo::sqlwindow
