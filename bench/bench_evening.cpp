// Speed of the evening window on a club that has kept its books for 20 years (60 bowlers,
// about 1,000 evenings), made by the demo builder into a temporary folder and opened by the
// data module the way the program opens it:
//
//   BM_AbschnittSpeichern   a section of 12 participants with 4 games and 5 item counts
//                           each replaces what the section had stored (goal < 20 ms)
//   BM_AbschnittLaden       the entry grids filled with that section: participant columns,
//                           game amounts and item counts (goal < 20 ms)
//   BM_Abschnittswechsel    the window switches between two such sections while the
//                           evening is being changed: store one, load the other (goal < 40 ms)
//   BM_Gitterseite          the evening window made, brought to the front of the main window
//                           and painted with its grid page over every evening (goal < 100 ms)
//
// Before the first of them the time of the first "Ändern" of the run is printed: the first
// load of a section also builds what the SQL engine keeps of the tables.
#include "common/fenster/window_codes.h"
#include "common/options/programmoptionen.h"
#include "common/options/programmpfade.h"
#include "data/dbtools/db_tools.h"
#include "data/module/data_module_host.h"
#include "data/module/datenmengen.h"
#include "data/module/ke_data_form.h"
#include "data/store/demo_club.h"
#include "dbcontrols/db_grid.h"
#include "engine/database.h"
#include "engine/dataset/table_data_set.h"
#include "engine/sql/sql.h"
#include "evenings/abend_daten.h"
#include "evenings/abschnitt.h"
#include "evenings/eingabegitter.h"
#include "evenings/registrierung.h"
#include "evenings/terminform.h"
#include "shell/child_window.h"
#include "shell/main_window.h"
#include "shell/stammdaten/datenmodul_zugang.h"
#include "shell/stammdaten/registrierung.h"
#include "shell/window_registry.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

using namespace trevo;

namespace {

constexpr int kTeilnehmer = 12, kSpiele = 4, kPosten = 5;

// The demo club opened by the data module; the windows reach it through this data access.
class Verein : public shell::stammdaten::DatenmodulZugang, public data::DataModuleHost {
public:
    Verein()
    {
        data::DemoOptions options;
        options.years = 20;
        options.bowlers = 60;
        const data::DemoResult made = data::createDemoClub(db_, folder_, options);
        std::fprintf(stderr, "Democlub: %zu Kegler, %zu Abende, %zu Teilnahmen, %zu Spiele, %zu Posten\n",
                     made.rowCounts.at("KEGLER.DBF"), made.rowCounts.at("TERMINE.DBF"),
                     made.rowCounts.at("KEGLTERM.DBF"), made.rowCounts.at("SPIELKEG.DBF"),
                     made.rowCounts.at("SONSTKEG.DBF"));
        pfade_ = common::Programmpfade::ausProgrammordner(folder_);
        modul_ = std::make_unique<data::TKeDataForm>(db_, tools_, optionen_, pfade_, *this);
        if (!modul_->TabellenOeffnen()) throw std::runtime_error("Tabellen nicht geöffnet");
        modul_->d().SonstigeMainTable1.first();
    }

    // Data access.
    engine::Database& datenbank() override { return db_; }
    std::string datenordner() const override { return folder_; }
    common::TProgrammoptionen* programmoptionen() override { return &optionen_; }

    // Host of the data module.
    bool startfensterSichtbar() override { return false; }
    void startfensterZeigen(bool) override {}
    bool fensterVorhanden(int code) override { return fenster && fenster(code); }
    void tabelleGefuellt(int code, bool hatDatensaetze) override
    {
        if (shell::ChildWindow* w = fenster ? fenster(code) : nullptr) w->tabelleGefuellt(hatDatensaetze);
    }
    void programmBeenden() override {}

    data::TKeDataForm& modul() { return *modul_; }
    std::function<shell::ChildWindow*(int)> fenster;

protected:
    data::TKeDataForm* datenmodul() const override { return modul_.get(); }

private:
    QTemporaryDir dir_;
    std::string folder_ = dir_.path().toStdString() + "/";
    engine::Database db_;
    data::TDBTools tools_{db_};
    common::TProgrammoptionen optionen_;
    common::Programmpfade pfade_;
    std::unique_ptr<data::TKeDataForm> modul_;
};

Verein& verein()
{
    static Verein v;
    return v;
}

long hoechste(const char* file)
{
    Verein& v = verein();
    const auto r = engine::sql::execute(v.datenbank(), v.session(),
                                        "SELECT MAX(NUMMER) FROM " + engine::sql::quoted(v.datenordner() + file),
                                        v.datenordner());
    return r.rows.empty() || r.rows[0][0].isNull() ? 0 : std::lround(r.rows[0][0].toNumber());
}

// An evening of its own at the end of the table, with 12 participants in sections 1 and 2
// and the items of its price list; its number.
long abendMitZweiAbschnitten()
{
    static long termin = 0;
    if (termin) return termin;
    Verein& v = verein();
    termin = hoechste("TERMINE.DBF") + 1;
    long teilnehmer = hoechste("KEGLTERM.DBF");
    auto run = [&](const std::string& s) {
        engine::sql::execute(v.datenbank(), v.session(), s, v.datenordner());
    };
    run("INSERT INTO " + engine::sql::quoted(v.datenordner() + "TERMINE.DBF") +
        " (NUMMER, DATUM, PREISLISTE, BEITRAG) VALUES (" + std::to_string(termin) + ", '31.12.2024', " +
        v.modul().d().SonstigeMainTable1.text("NUMMER") + ", 0)");
    for (int abschnitt = 1; abschnitt <= 2; ++abschnitt)
        for (int k = 1; k <= kTeilnehmer; ++k)
            run("INSERT INTO " + engine::sql::quoted(v.datenordner() + "KEGLTERM.DBF") +
                " (NUMMER, TERMIN, KEGLER, ABSCHNITT) VALUES (" + std::to_string(++teilnehmer) + ", " +
                std::to_string(termin) + ", " + std::to_string(k + (abschnitt - 1) * 3) + ", " +
                std::to_string(abschnitt) + ")");
    data::TKeDataForm& m = v.modul();
    m.d().TerminTable1.refresh();
    m.d().KeglerTerminTable1.refresh();
    return termin;
}

std::vector<evenings::Posten> posten()
{
    std::vector<evenings::Posten> p;
    engine::TableDataSet& liste = verein().modul().d().SonstigeTable1;
    const int nr = liste.fieldIndex("NUMMER"), name = liste.fieldIndex("BEZEICHNUN");
    for (size_t r = 0; r < liste.recordCount(); ++r)
        p.emplace_back(QString::number(std::llround(liste.rowValue(r, nr).toNumber())),
                       QString::fromStdString(liste.rowDisplayText(r, name)));
    return p;
}

// Both grids reset and given the participant columns of the section, as the window does
// before it loads what is stored.
void spalten(evenings::Eingabegitter& spiele, evenings::Eingabegitter& sonstige, const evenings::Abschnittsort& o)
{
    data::TKeDataForm& m = verein().modul();
    spiele.zuruecksetzen();
    sonstige.zuruecksetzen(posten());
    m.KeglerProTerminLaden(std::to_string(o.termin));
    evenings::teilnehmerspalten(spiele, m.d().KeglerProTerminQuery, o.abschnitt);
    evenings::teilnehmerspalten(sonstige, m.d().KeglerProTerminQuery, o.abschnitt);
}

// Every participant with an amount in each of 4 games and a count of each of 5 items.
void ausfuellen(evenings::Eingabegitter& spiele, evenings::Eingabegitter& sonstige)
{
    while (spiele.rowCount() < evenings::Eingabegitter::ersteZeile + kSpiele) spiele.spielzeileAnfuegen();
    for (int c = spiele.ersteSpalte(); c < spiele.colCount(); ++c) {
        for (int s = 0; s < kSpiele; ++s)
            spiele.setCell(c, evenings::Eingabegitter::ersteZeile + s, QStringLiteral("%1,50").arg(c + s));
        for (int p = 0; p < kPosten && evenings::Eingabegitter::ersteZeile + p < sonstige.rowCount(); ++p)
            sonstige.setCell(c + 1, evenings::Eingabegitter::ersteZeile + p, QString::number(1 + (c + p) % 3));
    }
}

void BM_AbschnittSpeichern(benchmark::State& state)
{
    Verein& v = verein();
    evenings::Abenddaten daten(v);
    const evenings::Abschnittsort ort{abendMitZweiAbschnitten(), 1};
    evenings::Eingabegitter spiele(evenings::Gitterart::Spiele), sonstige(evenings::Gitterart::Sonstige);
    spalten(spiele, sonstige, ort);
    if (spiele.colCount() - spiele.ersteSpalte() != kTeilnehmer || sonstige.rowCount() < 3 + kPosten)
        state.SkipWithError("Abschnitt nicht wie erwartet");
    ausfuellen(spiele, sonstige);
    for (auto _ : state) evenings::abschnittSpeichern(daten, spiele, sonstige, ort);
}

void BM_AbschnittLaden(benchmark::State& state)
{
    Verein& v = verein();
    evenings::Abenddaten daten(v);
    const evenings::Abschnittsort ort{abendMitZweiAbschnitten(), 1};
    evenings::Eingabegitter spiele(evenings::Gitterart::Spiele), sonstige(evenings::Gitterart::Sonstige);
    spalten(spiele, sonstige, ort);
    ausfuellen(spiele, sonstige);
    evenings::abschnittSpeichern(daten, spiele, sonstige, ort);
    for (auto _ : state) {
        spalten(spiele, sonstige, ort);
        evenings::spieleLaden(daten, spiele, ort);
        evenings::sonstigeLaden(daten, sonstige, ort);
    }
    if (spiele.cell(spiele.ersteSpalte(), 3 + kSpiele - 1).isEmpty()) state.SkipWithError("nichts geladen");
}

// The program's main window with the evening window in front.
struct Fenster {
    shell::WindowRegistry registry;
    std::unique_ptr<shell::MainForm1> main;
    evenings::TTerminform* termine = nullptr;

    explicit Fenster(bool sofort = true)
    {
        Verein& v = verein();
        evenings::registrieren(registry, v, shell::stammdaten::suchdialogeRegistrieren(registry, v));
        main = std::make_unique<shell::MainForm1>(registry);
        v.fenster = [this](int c) { return main ? main->Fensterobjekt(c) : nullptr; };
        main->resize(1280, 1000);
        main->show();
        QApplication::processEvents();
        if (sofort) zeigen();
    }
    // The evening window made, brought to the front and painted.
    void zeigen()
    {
        main->FensterAktivieren(common::Fenster::Termine);
        QApplication::processEvents();
        termine = dynamic_cast<evenings::TTerminform*>(main->Fensterobjekt(common::Fenster::Termine));
    }
    ~Fenster()
    {
        verein().fenster = nullptr;
        main.reset();
    }
};

void BM_Abschnittswechsel(benchmark::State& state)
{
    const long termin = abendMitZweiAbschnitten();
    Fenster f;
    evenings::TTerminform& w = *f.termine;
    w.termine().setIndex("NUMMER");
    w.termine().findKey(engine::Value::number(double(termin)));
    // The first load of a run also builds what the SQL engine keeps of the tables.
    const auto vorher = std::chrono::steady_clock::now();
    w.ndern1Click();
    std::fprintf(stderr, "Ändern mit dem ersten Laden eines Abschnitts: %.1f ms\n",
                 std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - vorher).count());
    ausfuellen(*w.SpieleGrid1, *w.SonstigeGrid1);
    int abschnitt = 1;
    for (auto _ : state) {
        abschnitt = 3 - abschnitt;
        w.Abschnittedit->setText(QString::number(abschnitt));
        if (w.abschnitt() != abschnitt) state.SkipWithError("Abschnitt nicht gewechselt");
    }
    w.CancelBtnClick();
}

void BM_Gitterseite(benchmark::State& state)
{
    verein();
    for (auto _ : state) {
        state.PauseTiming();
        auto f = std::make_unique<Fenster>(false);
        state.ResumeTiming();
        f->zeigen();
        state.PauseTiming();
        if (!f->termine || !f->termine->Gitterpanel->isVisible()) state.SkipWithError("keine Gitterseite");
        f.reset(); // the windows go outside the measured time
        state.ResumeTiming();
    }
}

BENCHMARK(BM_AbschnittSpeichern)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AbschnittLaden)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Abschnittswechsel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Gitterseite)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int appArgc = 1;
    QApplication app(appArgc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
