#pragma once
// What the master-data windows and the search dialogs need from the data module: the
// database with its default session, the data folder, the module's data sources and data
// sets by name, its menu rule and a few single-value questions. The program's composition
// hands one to registrieren (registrierung.h), which passes it to every window and dialog
// it makes; tests hand in their own over the tables of a temporary data folder.
#include <string>
#include <string_view>

namespace trevo::common {
class TProgrammoptionen;
}

namespace trevo::data {
class Datenquelle;
class TKeDataForm;
} // namespace trevo::data

namespace trevo::engine {
class Database;
class Session;
class TableDataSet;
} // namespace trevo::engine

namespace trevo::shell {
class Druckdienst;
}

namespace trevo::shell::stammdaten {

class Datenzugang {
public:
    virtual ~Datenzugang() = default;

    virtual engine::Database& datenbank() = 0;
    // The default session: master-data tables and every query of the windows.
    virtual engine::Session& session() = 0;
    // The data folder, ending in the folder separator.
    virtual std::string datenordner() const = 0;

    // A data source of the module by name ("KeglerDataSource1"); the same for the whole
    // run, while the data set behind it follows the tables to another folder. nullptr
    // when the module has none of that name.
    virtual data::Datenquelle* datenquelle(std::string_view name) = 0;
    // A table data set of the module by name, without regard to case ("KeglerTable1");
    // nullptr when the module has none of that name.
    virtual engine::TableDataSet* tabelle(std::string_view name) = 0;

    // The data module's menu rule: it counts the records of the data set's file and tells
    // the window of that code whether its table holds records (ChildWindow::tabelleGefuellt).
    virtual void MenueFreigebenTabelle(int fensterCode, const std::string& dataSetName) = 0;
    // Rows of the file whose field equals the number (reference check before a delete).
    virtual int AnzahlMitWert(const std::string& field, long number, const std::string& path) = 0;
    // The office's name (BEZEICHNUN of FUNKTION.DBF) for its number given as text.
    virtual std::string FunktionsName(const std::string& number) = 0;

    // Printing a list through a report file (the window's option and its default) over a
    // table. False while the program has no print facility: the windows disable "Liste".
    virtual bool druckenMoeglich() const { return false; }
    // The program's print facility for everything beyond lists (evaluations, forms);
    // nullptr while there is none.
    virtual Druckdienst* druckdienst() const { return nullptr; }

    // The data module that exists now (nullptr before start-up made it), for windows whose
    // rules live in the module beyond its data sources (the evening's transaction and
    // section, the participants query).
    virtual data::TKeDataForm* aktuellesDatenmodul() { return nullptr; }
    // The program options of the run (current price list, input currency, rounding);
    // nullptr where there are none.
    virtual common::TProgrammoptionen* programmoptionen() { return nullptr; }
    virtual void DruckeListe(const std::string& reportOption, const std::string& defaultReport,
                             const std::string& tablePath)
    {
        (void)reportOption;
        (void)defaultReport;
        (void)tablePath;
    }
};

} // namespace trevo::shell::stammdaten
