#include "shell/wiring/programm.h"
#include "shell/wiring/datenordner_sperre.h"

#include "shell/child_window.h"
#include "shell/main_window.h"
#include "shell/program_paths.h"
#include "shell/start_window.h"
#include "shell/startup.h"
#include "shell/tabellenhinweise.h"

#include "common/options/optionen_laden.h"

#include <QCoreApplication>

namespace trevo::shell {

namespace {

QString q(const std::string& s)
{
    return QString::fromStdString(s);
}
} // namespace

Programm::Programm(MainForm1& main, ProgramPaths& paths, engine::FileSystem& fs)
    : main_(main), paths_(paths), db_(fs)
{
    syncPaths(paths);
}

Programm::~Programm()
{
    module_.reset(); // closes the tables before the database goes
}

void Programm::syncPaths(const ProgramPaths& paths)
{
    pfade_.programmordner = paths.programFolder.toStdString();
    pfade_.datenordner = paths.dataFolder.toStdString();
    pfade_.konfigurationsordner = paths.configFolder.toStdString();
}

// ---- options ----

void Programm::setDefaults()
{
    optionen_.standardwerte();
}

void Programm::load(const QString&)
{
    syncPaths(paths_);
    common::OptionenLaden(optionen_, pfade_, db_.storage());
}

void Programm::save(const QString&)
{
    common::OptionenSpeichern(optionen_, pfade_, db_.storage());
}

SetupValues Programm::setupValues() const
{
    SetupValues v;
    v.runden = optionen_.rundenAufZehntel;
    v.aufrunden = optionen_.durchschnittImmerAufrunden;
    v.mittelwerteFehlende = optionen_.durchschnittFuerFehlendeMitglieder;
    v.beitrag = optionen_.beitrag;
    v.zahlweise = optionen_.zahlweise;
    v.datenordner = q(optionen_.gespeichert.datenordner);
    return v;
}

void Programm::setSetupValues(const SetupValues& v)
{
    optionen_.rundenAufZehntel = v.runden;
    optionen_.durchschnittImmerAufrunden = v.aufrunden;
    optionen_.durchschnittFuerFehlendeMitglieder = v.mittelwerteFehlende;
    optionen_.beitrag = v.beitrag;
    optionen_.zahlweise = v.zahlweise;
    optionen_.gespeichert.datenordner = v.datenordner.toStdString();
}

bool Programm::showGuideAtStart() const
{
    return optionen_.gespeichert.showLotseAtStart;
}

int Programm::currentPriceList() const
{
    return optionen_.aktuellePreisliste;
}

// ---- data module ----

void Programm::createTools()
{
    if (!tools_) tools_ = std::make_unique<data::TDBTools>(db_);
}

bool Programm::create(ProgramPaths& paths)
{
    syncPaths(paths);
    createTools();
    module_ = std::make_unique<data::TKeDataForm>(db_, *tools_, optionen_, pfade_, *this);
    // The data folder is held before its tables are read; the check of the data module may
    // choose another folder, which is then held instead.
    const std::string gesperrt = pfade_.datenordner;
    bool goOn = DatenordnerSperren(db_, gesperrt) && module_->TabellenOeffnen() && !endRequested_;
    if (goOn && pfade_.datenordner != gesperrt) {
        db_.releaseFolder(gesperrt);
        goOn = DatenordnerSperren(db_, pfade_.datenordner);
    }
    paths.dataFolder = q(pfade_.datenordner);
    running_ = true;
    return goOn;
}

void Programm::reopenTables(const QString& dataFolder)
{
    if (!module_) return;
    if (!pfade_.datenordner.empty()) db_.releaseFolder(pfade_.datenordner);
    pfade_.datenordner = dataFolder.toStdString();
    module_->TabellenSchliessen();
    const bool geoeffnet = module_->TabellenOeffnen();
    paths_.dataFolder = q(pfade_.datenordner);
    if (!geoeffnet) return;
    if (!DatenordnerSperren(db_, pfade_.datenordner)) programmBeenden();
    else TabellenhinweiseZeigen(*module_, db_);
}

void Programm::positionPriceList(int number)
{
    if (!module_) return;
    engine::TableDataSet& lists = module_->d().SonstigeMainTable1;
    if (!lists.active()) return;
    lists.setIndex("NUMMER");
    lists.findKey(engine::Value::number(number));
}

// ---- host of the data module ----

bool Programm::startfensterSichtbar()
{
    return startup_ && startup_->startWindow() && startup_->startWindow()->isVisible();
}

void Programm::startfensterZeigen(bool sichtbar)
{
    StartWindow* start = startup_ ? startup_->startWindow() : nullptr;
    if (!start) return;
    start->setVisible(sichtbar);
    if (sichtbar) start->repaint();
}

bool Programm::fensterVorhanden(int fensterCode)
{
    return main_.Fensterobjekt(fensterCode) != nullptr;
}

void Programm::tabelleGefuellt(int fensterCode, bool hatDatensaetze)
{
    if (ChildWindow* window = main_.Fensterobjekt(fensterCode)) window->tabelleGefuellt(hatDatensaetze);
}

void Programm::programmBeenden()
{
    endRequested_ = true;
    // While starting, start-up ends by itself; later the program ends at once.
    if (running_) QCoreApplication::exit(0);
}

} // namespace trevo::shell
