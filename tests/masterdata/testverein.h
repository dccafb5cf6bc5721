#pragma once
// A small club in a temporary data folder made by the installation, opened by the real
// data module; the windows reach it through the module's data access. The host of the
// module records its messages and passes its menu rule on to the members window.
#include "engine/database.h"
#include "engine/dataset/table_data_set.h"
#include "masterdata/datenzugang.h"
#include "data/dbtools/db_tools.h"
#include "masterdata/modul_zugang.h"
#include "data/module/ke_data_form.h"

#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QObject;

namespace trevo::masterdata::test {

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
    void meldung(const std::string& t) override { texte.push_back(t); }
    void bestaetigung(const std::string& t) override { texte.push_back(t); }
    void fehler(const std::string& t) override { texte.push_back(t); }
    bool fehlerFrageJaNein(const std::string& t) override
    {
        texte.push_back(t);
        return false;
    }
    std::optional<std::string> ordnerWaehlen(const std::string&) override { return std::nullopt; }
    bool startfensterSichtbar() override { return false; }
    void startfensterZeigen(bool) override {}
    bool fensterVorhanden(int code) override { return fenster && fenster(code); }
    void menuepunktFreigeben(int code, const std::string& name, bool on) override;
    void programmBeenden() override {}

    std::function<QObject*(int)> fenster; // the window of a code, when it exists
    std::vector<std::string> texte;
};

class TestVerein : public Datenzugang {
public:
    TestVerein();
    ~TestVerein() override;

    // Datenzugang, as the program's data access gives it, with a print facility to switch on.
    engine::Database& datenbank() override { return *db_; }
    engine::Session& session() override { return db_->session(); }
    std::string datenordner() const override { return folder_; }
    // Before oeffnen() the module has no data sets.
    engine::TableDataSet* tabelle(std::string_view name) override { return zugang_ ? zugang_->tabelle(name) : nullptr; }
    long anzahlDatensaetze(std::string_view name) override { return zugang_ ? zugang_->anzahlDatensaetze(name) : -1; }
    int AnzahlMitWert(const std::string& field, long number, const std::string& path) override
    {
        return zugang_ ? zugang_->AnzahlMitWert(field, number, path) : 0;
    }
    std::string FunktionsName(const std::string& number) override
    {
        return zugang_ ? zugang_->FunktionsName(number) : std::string();
    }
    bool druckenMoeglich() const override { return drucken; }
    void DruckeListe(const std::string& option, const std::string& report, const std::string& path) override
    {
        gedruckt.push_back(option + "|" + report + "|" + path);
    }

    // Writes records straight into the files; returns the new NUMMER.
    int bowler(const Bowler& b);
    int office(const std::string& name);
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
    std::string feld(int nummer, const std::string& field) const;
    std::string pfad(const std::string& file) const { return folder_ + file; }

    engine::TableDataSet& kegler() { return *tabelle("KeglerTable1"); }
    data::TKeDataForm& modul() { return *module_; }

    Host host;
    bool drucken = false;
    std::vector<std::string> gedruckt;

private:
    int naechsteNummer(const std::string& file);

    QTemporaryDir dir_, dir2_;
    std::string folder_;
    std::unique_ptr<engine::Database> db_;
    std::unique_ptr<data::TDBTools> tools_;
    common::TProgrammoptionen optionen_;
    common::Programmpfade pfade_;
    std::unique_ptr<data::TKeDataForm> module_;
    std::unique_ptr<ModulZugang> zugang_;
};

// Plugs a data access in for the lifetime of the scope.
class ZugangScope {
public:
    explicit ZugangScope(Datenzugang& z) { setDatenzugang(&z); }
    ~ZugangScope() { setDatenzugang(nullptr); }
};

} // namespace trevo::masterdata::test
