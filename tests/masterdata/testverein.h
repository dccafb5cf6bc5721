#pragma once
// A small club in a temporary data folder: the members table and its neighbours as the
// data module keeps them (order, numbering on insert, GEBTAGNUM before post, the menu
// rule after post and delete), offered to the windows through the data access.
#include "database.h"
#include "dataset/table_data_set.h"
#include "datenzugang.h"

#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <string>
#include <vector>

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

class TestVerein : public Datenzugang {
public:
    TestVerein();
    ~TestVerein() override;

    // Datenzugang
    engine::Database& datenbank() override { return *db_; }
    engine::Session& session() override { return db_->session(); }
    std::string datenordner() const override { return folder_; }
    engine::TableDataSet* tabelle(std::string_view name) override;
    long anzahlDatensaetze(std::string_view dataSetName) override;
    int AnzahlMitWert(const std::string& field, long number, const std::string& path) override;
    std::string FunktionsName(const std::string& number) override;
    bool druckenMoeglich() const override { return drucken; }
    void DruckeListe(const std::string& option, const std::string& report, const std::string& path) override
    {
        gedruckt.push_back(option + "|" + report + "|" + path);
    }

    // Writes records straight into the files (before the data sets are opened or while
    // they are not editing); returns the new NUMMER.
    int bowler(const Bowler& b);
    int office(const std::string& name);
    // A participant row of an evening for the bowler.
    void teilnahme(int bowlerNumber, int evening = 1);

    // Opens the data sets (KeglerTable1 in the order NAME).
    void oeffnen();

    // The records as the file on disk holds them now, read by a database of its own.
    std::vector<engine::Record> dateiInhalt(const std::string& file) const;
    // The stored fields of the members table by name, for the record with that NUMMER.
    std::string feld(int nummer, const std::string& field) const;
    std::string pfad(const std::string& file) const { return folder_ + file; }

    engine::TableDataSet& kegler() { return *kegler_; }

    // The data module's menu rule after post and delete: the members window's enabling.
    std::function<void(long)> menueRegel;
    bool drucken = false;
    std::vector<std::string> gedruckt;

private:
    void anlegen();
    int naechsteNummer(const std::string& file);

    QTemporaryDir dir_;
    std::string folder_;
    std::unique_ptr<engine::Database> db_;
    std::unique_ptr<engine::TableDataSet> kegler_, keglernamenLookup_, funktionen_;
};

// Plugs a data access in for the lifetime of the scope.
class ZugangScope {
public:
    explicit ZugangScope(Datenzugang& z) { setDatenzugang(&z); }
    ~ZugangScope() { setDatenzugang(nullptr); }
};

} // namespace trevo::masterdata::test
