#include "data/module/ke_data_form.h"

#include "common/dialogs/dialogs.h"

#include "engine/core/collation.h"
#include "engine/fs/file_system.h"
#include "data/store/schema.h"

namespace trevo::data {

using engine::DataSet;
using engine::TableDataSet;
using engine::Value;

namespace {

// Data sources and the data sets behind them.
const std::vector<std::pair<const char*, const char*>>& quellenListe()
{
    static const std::vector<std::pair<const char*, const char*>> l = {
        {"TerminDataSource1", "TerminTable1"},
        {"KeglerTerminDataSource1", "KeglerProTerminQuery"},
        {"KeglerterminDataSource2", "KeglerTerminTable1"},
        {"KeglernamenDataSource1", "KeglernamenTable1"},
        {"KeglernamenlookupDataSource1", "KeglernamenlookupTable1"},
        {"KeglerDataSource1", "KeglerTable1"},
        {"SpieleproKeglerDataSource1", "SpieleKeglerTable1"},
        {"SonstigeKeglerDataSource1", "SonstigeKeglerTable1"},
        {"SonstigeDataSource1", "SonstigeTable1"},
        {"SonstigeMainDataSource1", "SonstigeMainTable1"},
        {"SpielartenDataSource1", "SpielartenTable1"},
        {"FunktionsDataSource1", "FunktionsTable1"},
        {"TerminplanDataSource1", "TerminplanTable1"},
        {"TermintypDataSource1", "TermintypTable1"},
        {"TermintypDataSource2", "TermintypTable2"},
        {"WaehrungsDataSource1", "WaehrungsTable1"},
        {"KontoDataSource1", "KontoTable1"},
        {"KontodefDataSource1", "KontodefTable1"},
        {"AuswertungsDataSource1", "AuswertungsTable1"},
        {"WerteDataSource1", "WerteTable1"},
        {"DataSource3", "SpielerProAbschnittQuery1"},
    };
    return l;
}

bool ordnerHatEintraege(engine::FileSystem& fs, const std::string& ordner)
{
    try {
        const std::string o = engine::normalizePath(ordner.empty() ? std::string(".") : ordner);
        return fs.isDirectory(o) && !fs.list(o).empty();
    } catch (const engine::EngineError&) {
        return false;
    }
}

} // namespace

TKeDataForm::TKeDataForm(engine::Database& db, TDBTools& tools, common::TProgrammoptionen& optionen,
                         common::Programmpfade& pfade, DataModuleHost& host)
    : db_(db), tools_(tools), optionen_(optionen), pfade_(pfade), host_(host)
{
    for (const auto& [quelle, menge] : quellenListe()) quellen_[quelle] = std::make_unique<Datenquelle>(quelle);
    aufbauen(common::mitTrenner(pfade_.datenordner));
}

TKeDataForm::~TKeDataForm()
{
    terminBeobachter_.reset();
    for (auto& [name, q] : quellen_) q->setzen(nullptr);
    if (d_) {
        for (TableDataSet* t : d_->tabellen) t->events = {};
    }
}

void TKeDataForm::aufbauen(const std::string& ordner)
{
    if (d_ && d_->ordner == ordner) return;
    if (d_) TabellenSchliessen();
    terminBeobachter_.reset();
    abgezogen_.clear();
    for (auto& [name, q] : quellen_) q->setzen(nullptr);
    d_.reset();
    d_ = std::make_unique<Datenmengen>(db_, ordner);
    regelnEinrichten();
    d_->TerminTable1.setRequired("DATUM", "Datum muß eingegeben werden.");
    datenquellenSetzen();
}

void TKeDataForm::datenquellenSetzen()
{
    for (const auto& [quelle, menge] : quellenListe()) quellen_[quelle]->setzen(datenmenge(menge));
}

DataSet* TKeDataForm::datenmenge(const std::string& name)
{
    for (DataSet* ds : d_->alle)
        if (ds->name() == name) return ds;
    return nullptr;
}

TableDataSet* TKeDataForm::tabelle(const std::string& name)
{
    for (TableDataSet* t : d_->tabellen)
        if (t->name() == name) return t;
    return nullptr;
}

Datenquelle& TKeDataForm::datenquelle(const std::string& name)
{
    const auto it = quellen_.find(name);
    if (it == quellen_.end()) throw engine::EngineError("Die Datenquelle '" + name + "' gibt es nicht");
    return *it->second;
}

bool TKeDataForm::ordnerPruefen()
{
    while (!ordnerHatEintraege(db_.fs(), pfade_.datenordner)) {
        const std::string frage =
            "Der Datenordner " + pfade_.datenordner + " wurde nicht gefunden !" + " Anderen Ordner auswählen ?";
        if (!common::dialogs().yesNo(QString::fromStdString(frage), common::BoxKind::Error)) return false;
        if (const auto gewaehlt = common::dialogs().chooseFolder(QString::fromStdString(pfade_.datenordner))) {
            pfade_.datenordner = common::mitTrenner(gewaehlt->toStdString());
            optionen_.gespeichert.datenordner = pfade_.datenordner;
        }
    }
    return true;
}

void TKeDataForm::gueltigPruefen()
{
    TableDataSet& t = d_->SonstigeLookupTable1;
    bool vorhanden = false;
    try {
        vorhanden = FeldInTabelle("GUELTIG", t);
    } catch (const engine::EngineError&) {
        return; // the table cannot be read: opening it reports the file
    }
    if (vorhanden) return;
    if (tools_.FeldAnfuegen("GUELTIG", t.path(), "NUMERIC(2,0)"))
        common::dialogs().confirmation(QStringLiteral("Das Datenfeld GUELTIG wurde eingefügt"));
    else
        common::dialogs().error(QStringLiteral("Das Datenfeld GUELTIG konnte nicht eingefügt werden"));
}

void TKeDataForm::gueltigNormalisieren()
{
    TableDataSet& t = d_->SonstigeLookupTable1;
    const int g = t.fieldIndex("GUELTIG");
    if (g < 0) return; // the column could not be added; that was reported
    for (t.first(); !t.eof(); t.next()) {
        const Value v = t.value(g);
        const double n = v.isNumber() ? v.number() : 0;
        if (n == 1 || n == 2) continue;
        t.edit();
        t.setValue(g, Value::number(1));
        t.post();
    }
    d_->SonstigeTable1.refresh();
}

bool TKeDataForm::TabellenOeffnen()
{
    if (!ordnerPruefen()) {
        host_.programmBeenden();
        return false;
    }
    aufbauen(common::mitTrenner(pfade_.datenordner));
    gueltigPruefen();
    TableDataSet* aktuell = nullptr;
    try {
        for (TableDataSet* t : d_->tabellen) {
            aktuell = t;
            if (!t->active()) t->open();
        }
        aktuell = &d_->SonstigeLookupTable1;
        gueltigNormalisieren();
        // The evening became current before the bowler tables were open: load its participants now.
        aktuell = &d_->TerminTable1;
        const std::string termin = d_->TerminTable1.text("NUMMER");
        if (!termin.empty()) KeglerProTerminLaden(termin);
    } catch (const engine::EngineError& e) {
        const bool sichtbar = host_.startfensterSichtbar();
        if (sichtbar) host_.startfensterZeigen(false);
        common::dialogs().message(QString::fromStdString("Fehler beim Öffnen der Datei " + aktuell->path() + "\n" + e.what()));
        if (sichtbar) host_.startfensterZeigen(true);
    }
    return true;
}

bool TKeDataForm::alleTabellenOffen()
{
    for (TableDataSet* t : d_->tabellen)
        if (!t->active()) return false;
    return true;
}

void TKeDataForm::TabellenSchliessen()
{
    for (TableDataSet* t : d_->tabellen) {
        if (!t->active()) continue;
        if (t->editing()) {
            try {
                t->post();
            } catch (const engine::EngineError& e) {
                common::dialogs().error(QString::fromUtf8(e.what()));
                t->cancel();
            }
        }
        t->close();
    }
    for (engine::QueryDataSet* q : {&d_->KeglerProTerminQuery, &d_->Query1, &d_->SpielerProAbschnittQuery1})
        q->close();
}

void TKeDataForm::TerminTransaktionNeu()
{
    engine::Session& s = db_.session(kTerminsession);
    if (s.inTransaction()) s.commit();
    s.startTransaction();
}

void TKeDataForm::PreislistenTransaktionNeu()
{
    engine::Session& s = db_.session(kSonstigeSession);
    if (s.inTransaction()) s.commit();
    s.startTransaction();
}

bool TKeDataForm::FeldInTabelle(const std::string& feld, TableDataSet& t)
{
    if (t.active()) {
        const std::string gesucht = engine::toUpperGerman(feld);
        for (const auto& f : t.table()->fields())
            if (engine::toUpperGerman(f.name) == gesucht) return true;
        return false;
    }
    return tools_.FeldPruefen(feld, engine::directoryOf(t.path()) + "/", engine::fileNameOf(t.path())) == 0;
}

bool TKeDataForm::IndexInTabelle(const std::string& name, TableDataSet& t)
{
    if (const TableSchema* schema = findTable(engine::fileNameOf(t.path())))
        for (const auto& tag : schema->tags)
            if (tag == name) return true;
    return false;
}

} // namespace trevo::data
