#pragma once
// A small club in a temporary data folder made by the installation, opened by the real
// data module; the windows reach it through the module's data access, handed to
// registrieren like the program's. The host of the module passes its menu rule on to
// the window of the code.
#include "engine/database.h"
#include "engine/dataset/table_data_set.h"
#include "data/dbtools/db_tools.h"
#include "shell/stammdaten/datenmodul_zugang.h"
#include "data/module/ke_data_form.h"

#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace trevo::shell {
class ChildWindow;
}

namespace trevo::test {

struct Bowler {
    Bowler(std::string name, std::string vorname = {}, std::string nr = {}, bool member = true, int office = 0,
           std::string joined = {})
        : name(std::move(name)), vorname(std::move(vorname)), mitgliedsnummer(std::move(nr)), mitglied(member),
          funktion(office), eintritt(std::move(joined))
    {
    }
    std::string name, vorname, mitgliedsnummer;
    bool mitglied = true;
    int funktion = 0; // 0: none
    std::string eintritt;
};

// The data module's side towards the windows.
class Host : public data::DataModuleHost {
public:
    bool startfensterSichtbar() override { return false; }
    void startfensterZeigen(bool) override {}
    bool fensterVorhanden(int code) override { return fenster && fenster(code); }
    void tabelleGefuellt(int code, bool hatDatensaetze) override;
    void programmBeenden() override {}

    std::function<shell::ChildWindow*(int)> fenster; // the window of a code, when it exists
};

class TestVerein : public shell::stammdaten::DatenmodulZugang {
public:
    TestVerein();
    ~TestVerein() override;

    // The data access, as the program's gives it, with a print facility to switch on.
    engine::Database& datenbank() override { return *datenbank_; }
    std::string datenordner() const override { return ordner_; }
    bool druckenMoeglich() const override { return drucken; }
    common::TProgrammoptionen* programmoptionen() override { return &optionen_; }
    void DruckeListe(const std::string& option, const std::string& report, const std::string& path) override
    {
        gedruckt.push_back(option + "|" + report + "|" + path);
    }

    // Writes records straight into the files; returns the new NUMMER.
    int bowler(const Bowler& b);
    int office(const std::string& name);
    // A record of the given fields in any file, numbered next; returns its NUMMER.
    int satz(const std::string& file, const std::vector<std::pair<std::string, engine::Value>>& fields);
    // Removes every record of the file.
    void leeren(const std::string& file);
    // A participant row of an evening for the bowler.
    void teilnahme(int bowlerNumber, int evening = 1);

    // Creates the data module, which opens every table (KeglerTable1 in the order NAME).
    void oeffnen();
    // A second, freshly installed data folder; bowler() and office() write there from now on.
    void zweiterOrdner();
    // The data module moves to the current folder (as after a change in the options).
    void ordnerUebernehmen();

    // The records as the file on disk holds them now, read by a database of its own.
    std::vector<engine::Record> dateiInhalt(const std::string& file) const;
    // A stored field of the bowler with that NUMMER, as the file holds it; "<fehlt>"
    // when there is no such bowler.
    std::string feld(int nummer, const std::string& field) const { return feldIn("KEGLER.DBF", nummer, field); }
    // The same for the record of that NUMMER in any file.
    std::string feldIn(const std::string& file, int nummer, const std::string& field) const;
    std::string pfad(const std::string& file) const { return ordner_ + file; }

    engine::TableDataSet& kegler() { return *tabelle("KeglerTable1"); }
    data::TKeDataForm& modul() { return *modul_; }

    Host host;
    bool drucken = false;
    std::vector<std::string> gedruckt;

protected:
    // Before oeffnen() there is none.
    data::TKeDataForm* datenmodul() const override { return modul_.get(); }

private:
    int naechsteNummer(const std::string& file);

    QTemporaryDir verzeichnis_, verzeichnis2_;
    std::string ordner_;
    std::unique_ptr<engine::Database> datenbank_;
    std::unique_ptr<data::TDBTools> werkzeuge_;
    common::TProgrammoptionen optionen_;
    common::Programmpfade pfade_;
    std::unique_ptr<data::TKeDataForm> modul_;
};

} // namespace trevo::test
