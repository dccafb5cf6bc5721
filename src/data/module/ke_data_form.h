#pragma once
// The data module: the single owner of every open table of the data folder. Windows work
// on its data sets (through its data sources); its event rules number new records, fill
// links and defaults, keep derived numbers and the cash-book balance, run the evening and
// price-list transactions and switch the windows' menu items when a table becomes empty or
// non-empty. It also answers single-value questions with SQL over the table files.
#include "engine/database.h"
#include "data/dbtools/db_tools.h"
#include "data/module/data_module_host.h"
#include "data/module/datenmengen.h"
#include "data/module/datenquelle.h"
#include "common/options/programmoptionen.h"
#include "common/options/programmpfade.h"

#include <map>
#include <optional>
#include <memory>
#include <string>
#include <vector>

namespace trevo::data {

class TKeDataForm {
public:
    TKeDataForm(engine::Database& db, TDBTools& tools, common::TProgrammoptionen& optionen,
                common::Programmpfade& pfade, DataModuleHost& host);
    ~TKeDataForm();
    TKeDataForm(const TKeDataForm&) = delete;
    TKeDataForm& operator=(const TKeDataForm&) = delete;

    // Checks the data folder (asking for another one while it is missing), adds a missing
    // GUELTIG column, opens every table that is not open and normalises GUELTIG. Returns
    // false when the user chose to end the program (the host was told to end it).
    // A table that cannot be opened is reported naming the file; it and the tables after
    // it stay closed.
    bool TabellenOeffnen();
    // Posts every table in insert or edit state, then closes it.
    void TabellenSchliessen();
    // Whether every table of the module is open.
    bool alleTabellenOffen();

    // Data sets and data sources, by name ("KeglerTable1", "KeglerDataSource1").
    Datenmengen& d() { return *d_; }
    engine::DataSet* datenmenge(const std::string& name);
    engine::TableDataSet* tabelle(const std::string& name);
    Datenquelle& datenquelle(const std::string& name);

    // Transactions of the evening and of the price lists: commit an open one, start anew.
    void TerminTransaktionNeu();
    void PreislistenTransaktionNeu();

    // Menu items of a data window by the count of its table's records.
    void MenueFreigeben(int fensterCode, int64_t anzahl);
    void MenueFreigebenTabelle(int fensterCode, const std::string& datenmengenName);

    // The participants of an evening over all sections, and the participant rows per section.
    void KeglerProTerminLaden(const std::string& termin);
    void SpielerProAbschnitt(const std::string& termin);

    // Single-value questions (arguments as the windows hold them, as text).
    std::string KeglerName(const std::string& nummer);
    std::string FunktionsName(const std::string& nummer);
    std::string SonstigesName(const std::string& nummer);
    int64_t AnzahlMitWert(const std::string& feld, const std::string& nummer, const std::string& pfad);
    int64_t TeilnehmerAnzahl(const std::string& termin);
    double Einzelpreis(const std::string& sonstiges, const std::string& termin);
    std::string KeglerNameZuMitgliedsnummer(const std::string& mitgliedsnummer);
    int64_t KeglerNummerZuMitgliedsnummer(int64_t mitgliedsnummer);
    std::string TerminDatum(const std::string& termin);
    std::string PreislistenDatum(const std::string& preisliste);
    int64_t TerminWaehrung(const std::string& termin);
    std::string TerminWaehrungsKuerzel(const std::string& termin);
    std::string WaehrungsKuerzel(const std::string& waehrung);
    int64_t PreislistenWaehrung(const std::string& preisliste);
    std::string PreislistenWaehrungsKuerzel(const std::string& preisliste);
    int64_t KontoWaehrung(const std::string& konto);
    double Umrechnungsfaktor(const std::string& waehrung);
    double KontostandBerechnen(const std::string& konto);

    // The amount converted between currencies, rounded to two places. A currency without a
    // record (or without a factor) raises a German error instead of dividing by 0.
    double Umrechnen(double betrag, int64_t vonWaehrung, int64_t nachWaehrung);
    int AktuellesKonto() const { return 1; }

    bool FeldInTabelle(const std::string& feld, engine::TableDataSet& tabelle);
    bool IndexInTabelle(const std::string& name, engine::TableDataSet& tabelle);

    // Shared state: the current game section (stamped into new participant rows) and the
    // participant rows per section (entry i for section i+1) of the last SpielerProAbschnitt.
    int aktuellerAbschnitt = 1;
    std::vector<int64_t> spielerProAbschnitt;

    TDBTools& tools() { return tools_; }
    const std::string& ordner() const { return d_->ordner; }

private:
    // Building the data sets of a folder and their rules.
    void aufbauen(const std::string& ordner);
    bool ordnerPruefen();
    void gueltigPruefen();
    void gueltigNormalisieren();
    void datenquellenSetzen();
    void regelnEinrichten();
    void eigeneRegeln();
    void kontoRegeln(engine::TableDataSet& buchungen);
    void standardRegeln(engine::TableDataSet& ds);
    // Rules shared by several data sets.
    void standardNummerierung(engine::TableDataSet& ds);
    void kleinsteWerte(engine::DataSet& ds);
    void menueRegel(engine::TableDataSet& ds);
    void nummerMitZwilling(engine::DataSet& ds, engine::TableDataSet& zwilling);
    void kontostandAendern(engine::DataSet& buchung, double betrag);
    // Queries: the statement becomes the query's source and the query is opened.
    void abfrageOeffnen(engine::QueryDataSet& abfrage, const std::string& statement);
    // The first column of the first row of a single-value question; NULL for no rows.
    engine::Value einzelwert(const std::string& statement);
    std::string datei(const char* name) const;
    std::optional<double> faktor(int64_t waehrung);

    engine::Database& db_;
    TDBTools& tools_;
    common::TProgrammoptionen& optionen_;
    common::Programmpfade& pfade_;
    DataModuleHost& host_;
    std::unique_ptr<Datenmengen> d_;
    std::map<std::string, std::unique_ptr<Datenquelle>> quellen_;
    engine::Subscription terminBeobachter_;
    // Per booking data set: the amount the balance lost when the booking went into change.
    std::map<engine::DataSet*, double> abgezogen_;
};

} // namespace trevo::data
