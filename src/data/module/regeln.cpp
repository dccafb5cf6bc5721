// The event rules of the data module: the rules of its own per data set, and the default
// rules installed on every event that has no rule of its own.
#include "engine/core/collation.h"
#include "data/dbtools/naechste_nummer.h"
#include "data/module/ke_data_form.h"
#include "data/module/preis_cache.h"
#include "data/store/schema.h"

namespace trevo::data {

using engine::DataSet;
using engine::TableDataSet;
using engine::Value;

namespace {

// The value as an integer the way the rules test "is 0": NULL and unreadable values are 0.
int64_t ganz(const Value& v) { return AlsGanzzahl(v).value_or(0); }

// The whole day count of a date field, 0 when it is empty.
Value tageszahl(const Value& datum) { return Value::number(datum.isDate() ? datum.date() : 0); }

// Small-number fields and their minimum values.
const std::vector<std::pair<const char*, double>> kKleinsteWerte = {{"GUELTIG", 1}};

} // namespace

void TKeDataForm::kleinsteWerte(DataSet& ds)
{
    for (const auto& [feld, wert] : kKleinsteWerte)
        if (ds.fieldIndex(feld) >= 0) ds.setValue(feld, Value::number(wert));
}

void TKeDataForm::standardNummerierung(TableDataSet& ds)
{
    const int f = ds.fieldIndex("NUMMER");
    if (f >= 0 && ganz(ds.value(f)) == 0)
        ds.setValue(f, Value::number(static_cast<double>(tools_.NaechsteNummerSQL(ds.path(), "NUMMER", 1))));
    kleinsteWerte(ds);
}

void TKeDataForm::nummerMitZwilling(DataSet& ds, TableDataSet& zwilling)
{
    if (ganz(ds.value("NUMMER")) == 0)
        ds.setValue("NUMMER", Value::number(static_cast<double>(NaechsteNummer(zwilling, "NUMMER", 1, tools_))));
    kleinsteWerte(ds);
}

void TKeDataForm::menueRegel(TableDataSet& ds)
{
    static const std::vector<std::pair<const char*, int>> fensterDerTabellen = {
        {"TerminTable1", common::Fenster::Termine},          {"KontoTable1", common::Fenster::Kegelkasse},
        {"KeglerTable1", common::Fenster::Mitglieder},           {"FunktionsTable1", common::Fenster::Aemter},
        {"SonstigeTable1", common::Fenster::Sonstige},       {"SpielartenTable1", common::Fenster::Spiele},
        {"TerminplanTable1", common::Fenster::Terminplan},   {"TermintypTable1", common::Fenster::Terminarten},
        {"WaehrungsTable1", common::Fenster::Waehrungen},
    };
    for (const auto& [name, code] : fensterDerTabellen)
        if (ds.name() == name) MenueFreigeben(code, static_cast<int64_t>(ds.recordCount()));
}

void TKeDataForm::standardRegeln(TableDataSet& ds)
{
    auto& e = ds.events;
    if (!e.afterInsert) e.afterInsert = [this, &ds](DataSet&) { standardNummerierung(ds); };
    if (!e.afterPost) e.afterPost = [this, &ds](DataSet&) { menueRegel(ds); };
    if (!e.afterDelete) e.afterDelete = [this, &ds](DataSet&) { menueRegel(ds); };
    if (!e.postError)
        e.postError = [&ds](DataSet&, const engine::EngineError&) {
            engine::Session& s = ds.session();
            if (s.inTransaction()) {
                s.rollback();
                ds.refresh();
            }
            return engine::PostErrorAction::Fail;
        };
}

void TKeDataForm::regelnEinrichten()
{
    eigeneRegeln();
    kontoRegeln(d_->KontoTable1);
    kontoRegeln(d_->KontolookupTable1);
    for (TableDataSet* t : d_->tabellen) standardRegeln(*t);

    // The participants of the current evening follow the evening record.
    terminBeobachter_ = d_->TerminTable1.subscribe([this](const engine::DataSetEvent& ev) {
        using K = engine::DataSetEvent::Kind;
        if (ev.kind != K::Scrolled && ev.kind != K::FieldChanged) return;
        if (!d_->TerminTable1.active()) return;
        const std::string nummer = d_->TerminTable1.text("NUMMER");
        if (!nummer.empty()) KeglerProTerminLaden(nummer);
    });
}

void TKeDataForm::eigeneRegeln()
{
    Datenmengen& d = *d_;
    auto terminNummer = [&d] { return d.TerminTable1.active() ? d.TerminTable1.value("NUMMER") : Value(); };

    // The evening: a new one starts the evening transaction and takes its contribution
    // and price list from the options; posting commits it, cancelling rolls it back.
    d.TerminTable1.events.afterInsert = [this, &d](DataSet& ds) {
        TerminTransaktionNeu();
        nummerMitZwilling(ds, d.TerminlookupTable1);
        if (optionen_.zahlweise == common::ProKegeltermin) ds.setValue("BEITRAG", Value::number(optionen_.beitrag));
        ds.setValue("PREISLISTE", Value::number(optionen_.aktuellePreisliste));
    };
    d.TerminTable1.events.afterPost = [this](DataSet&) {
        engine::Session& s = db_.session(kTerminsession);
        if (s.inTransaction()) s.commit();
    };
    d.TerminTable1.events.afterCancel = [this](DataSet&) {
        engine::Session& s = db_.session(kTerminsession);
        if (s.inTransaction()) s.rollback();
    };

    d.KeglerTerminTable1.events.afterInsert = [this, &d, terminNummer](DataSet& ds) {
        nummerMitZwilling(ds, d.KeglerTerminlookupTable1);
        ds.setValue("TERMIN", terminNummer());
        ds.setValue("ABSCHNITT", Value::number(aktuellerAbschnitt));
    };
    d.KeglerTerminTable1.events.calcFields = [&d](DataSet& ds) {
        const Value nr = d.KeglernamenlookupTable1.lookup("NUMMER", ds.value("KEGLER"), "MITGLIEDNR");
        const auto n = nr.isText() ? TextAlsGanzzahl(nr.text()) : std::nullopt;
        ds.setValue("Mitgliednr", n && !engine::trimRight(nr.text()).empty() ? Value::number(double(*n)) : Value());
    };
    auto teilnehmerNummer = [&d] {
        return d.KeglerTerminTable1.active() ? d.KeglerTerminTable1.value("NUMMER") : Value();
    };
    d.SpieleKeglerTable1.events.afterInsert = [this, &d, teilnehmerNummer](DataSet& ds) {
        nummerMitZwilling(ds, d.SpieleKeglerlookupTable1);
        ds.setValue("KEGLERNR", teilnehmerNummer());
    };
    d.SonstigeKeglerTable1.events.afterInsert = [this, &d, teilnehmerNummer](DataSet& ds) {
        nummerMitZwilling(ds, d.SonstigeKeglerlookupTable1);
        ds.setValue("KEGLERNR", teilnehmerNummer());
    };
    // Count times unit price, for every painted row: the prices come from the evening's
    // price list read once (a statement through Query1 like every question of the module).
    auto preise = std::make_shared<PreisCache>(db_, d.ordner, [this, &d](const std::string& anweisung) {
        abfrageOeffnen(d.Query1, anweisung);
        return d.Query1.result();
    });
    d.SonstigeKeglerTable1.events.calcFields = [&d, preise](DataSet& ds) {
        const double anzahl = ds.value("ANZAHL").toNumber();
        const std::string termin = d.TerminTable1.active() ? d.TerminTable1.text("NUMMER") : std::string();
        ds.setValue("Betrag", Value::number(anzahl * preise->einzelpreis(ds.text("TYP"), termin)));
    };

    // Price lists and their items.
    for (TableDataSet* t : {&d.SonstigeTable1, &d.SonstigeLookupTable1})
        t->events.afterInsert = [this, &d, t](DataSet& ds) {
            standardNummerierung(*t);
            ds.setValue("PREISLISTE", d.SonstigeMainTable1.active() ? d.SonstigeMainTable1.value("NUMMER") : Value());
        };
    // A new price list is in the currency of the current price list (the option that the
    // evening window keeps up to date), so that its amounts read as that currency.
    d.SonstigeMainTable1.events.afterInsert = [this, &d](DataSet& ds) {
        PreislistenTransaktionNeu();
        standardNummerierung(d.SonstigeMainTable1);
        ds.setValue("WAEHRUNG", Value::number(optionen_.gespeichert.eingabewaehrung));
    };
    d.SonstigeMainTable1.events.afterPost = [this](DataSet&) {
        engine::Session& s = db_.session(kSonstigeSession);
        if (s.inTransaction()) s.commit();
    };
    d.SonstigeMainTable1.events.afterCancel = [this](DataSet&) {
        engine::Session& s = db_.session(kSonstigeSession);
        if (s.inTransaction()) s.rollback();
    };

    // Day numbers kept beside the dates for filters.
    for (TableDataSet* t : {&d.KeglerTable1, &d.KeglernamenTable1, &d.KeglernamenlookupTable1})
        t->events.beforePost = [](DataSet& ds) { ds.setValue("GEBTAGNUM", tageszahl(ds.value("GEBURTSTAG"))); };
    d.TerminplanTable1.events.beforePost = [](DataSet& ds) { ds.setValue("TERMINNUM", tageszahl(ds.value("TERMIN"))); };

    // Accounts: a new one starts with no opening balance on 1.1.1990.
    for (TableDataSet* t : {&d.KontodefTable1, &d.KontostandTable})
        t->events.afterInsert = [this, t](DataSet& ds) {
            standardNummerierung(*t);
            if (ganz(ds.value("KONTONR")) == 0)
                ds.setValue("KONTONR", Value::number(double(tools_.NaechsteNummerSQL(t->path(), "KONTONR", 1))));
            ds.setValue("STARTSALDO", Value::number(0));
            ds.setValue("DATUM", Value::date(engine::daysFromCivil(1990, 1, 1)));
        };
    d.KontoTable1.events.calcFields = [&d](DataSet& ds) {
        ds.setValue("WaehrungStr", d.KontodefTable1.active() ? d.KontodefTable1.value("WaehrungStr") : Value());
    };
}

} // namespace trevo::data
