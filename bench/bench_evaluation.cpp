// Speed of the evaluations on a club that has kept its books for 20 years (60 bowlers,
// 1,000 evenings), made by the demo builder into a temporary folder:
//
//   BM_AuswertungTermin/<quelle>    one evening, result tables written (goal < 20 ms)
//   BM_AuswertungZeitraum/<quelle>  one bowler over every evening (goal < 250 ms)
//   BM_AuswertungRangfolge/<quelle> every bowler by an item over every evening (goal < 30 ms)
//
// <quelle> 0 is the program's evaluation as the first one after the tables changed: the
// rows are read from the tables (each table once for a period); 2 the same evaluation
// again with unchanged tables, when the evenings read by the one before are used again;
// 1 runs every statement through the SQL engine exactly as it is written, for comparison.
//
//   BM_Abendbestand                 every evening read at once; reports the heap the stock
//                                   holds (counter "MB")
// The club is made before anything is timed. Time is wall-clock time, CPU the process's.
#include "data/store/demo_club.h"
#include "data/store/schema.h"
#include "engine/database.h"
#include "evaluation/kern/abendbestand.h"
#include "evaluation/kern/auswertung.h"
#include "evaluation/kern/sql_daten.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <malloc.h>
#include <memory>
#include <string>

using namespace trevo;

namespace {

struct Club {
    QTemporaryDir dir;
    std::string folder = dir.path().toStdString() + "/";
    engine::Database db;
    size_t abende = 0;

    Club()
    {
        data::DemoOptions options;
        options.years = 20;
        options.bowlers = 60;
        const data::DemoResult made = data::createDemoClub(db, folder, options);
        abende = made.rowCounts.at("TERMINE.DBF");
        std::fprintf(stderr, "Democlub: %zu Kegler, %zu Abende, %zu Teilnahmen, %zu Spiele, %zu Posten in %s\n",
                     made.rowCounts.at("KEGLER.DBF"), abende, made.rowCounts.at("KEGLTERM.DBF"),
                     made.rowCounts.at("SPIELKEG.DBF"), made.rowCounts.at("SONSTKEG.DBF"), folder.c_str());
    }
};

Club& club()
{
    static Club c;
    return c;
}

const char* quelle(const benchmark::State& state)
{
    switch (state.range(0)) {
    case 0: return "Tabellen, erste Auswertung";
    case 1: return "SQL-Texte";
    default: return "Tabellen, wiederholt";
    }
}

evaluation::Auswertung auswertung(const benchmark::State& state)
{
    Club& c = club();
    std::shared_ptr<evaluation::Auswertungsdaten> daten;
    if (state.range(0) == 1) daten = std::make_shared<evaluation::SqlDaten>(c.db, c.db.session(), c.folder);
    // The first evaluation after a change finds nothing kept from an earlier one.
    if (state.range(0) == 0) evaluation::Abendbestand::verwerfen(*c.db.table(c.folder + data::tables::Keglterm));
    return evaluation::Auswertung(c.db, c.db.session(), c.folder, {}, daten);
}

// Runs f once untimed (the repeated variant then finds what it kept) and then timed.
template <class F>
void messen(benchmark::State& state, F&& f)
{
    club();
    state.SetLabel(quelle(state));
    f();
    for (auto _ : state) f();
}

// The evening evaluation after a period evaluation: the repeated variant answers from the
// evenings the period read.
void BM_AuswertungTermin(benchmark::State& state)
{
    const std::string termin = std::to_string(club().abende / 2);
    if (state.range(0) == 2) {
        evaluation::Zeitraumergebnis z;
        auswertung(state).AuswertungZeitraum("1.1.1900", "1.1.2100", 3, z);
    }
    messen(state, [&] {
        evaluation::Terminergebnis e;
        auswertung(state).AuswertungTermin(termin, e);
        benchmark::DoNotOptimize(e.gesamtbetrag);
    });
}

void BM_AuswertungZeitraum(benchmark::State& state)
{
    messen(state, [&] {
        evaluation::Zeitraumergebnis e;
        auswertung(state).AuswertungZeitraum("1.1.1900", "1.1.2100", 3, e);
        if (e.termine != club().abende) state.SkipWithError("nicht jeder Abend ausgewertet");
    });
}

void BM_AuswertungRangfolge(benchmark::State& state)
{
    messen(state, [&] {
        evaluation::Rangergebnis e;
        auswertung(state).AuswertungRangfolge("1.1.1900", "1.1.2100", 2, e);
        benchmark::DoNotOptimize(e.zeilen);
    });
}

// Bytes of the heap in use now (allocations not yet freed).
size_t heapInUse() { return mallinfo2().uordblks; }

// Reading the stock of every evening, and the heap it keeps while it lives.
void BM_Abendbestand(benchmark::State& state)
{
    Club& c = club();
    namespace t = data::tables;
    const evaluation::Abendbestand::Tabellen tabellen{
        c.db.table(c.folder + t::Termine),  c.db.table(c.folder + t::Keglterm), c.db.table(c.folder + t::Spielkeg),
        c.db.table(c.folder + t::Sonstkeg), c.db.table(c.folder + t::Sonstype), &c.db.storage()};
    double mb = 0;
    for (auto _ : state) {
        const size_t vorher = heapInUse();
        const evaluation::Abendbestand bestand(tabellen);
        mb = double(heapInUse() - vorher) / (1024.0 * 1024.0);
        benchmark::DoNotOptimize(&bestand);
    }
    state.counters["MB"] = mb;
}

} // namespace

BENCHMARK(BM_Abendbestand)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_AuswertungTermin)->Arg(0)->Arg(2)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_AuswertungZeitraum)->Arg(0)->Arg(2)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_AuswertungRangfolge)->Arg(0)->Arg(2)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
