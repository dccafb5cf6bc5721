// Speed of the evaluations on a club that has kept its books for 20 years (60 bowlers,
// 1,000 evenings), made by the demo builder into a temporary folder:
//
//   BM_AuswertungTermin/<quelle>    one evening, result tables written (goal < 20 ms)
//   BM_AuswertungZeitraum/<quelle>  one bowler over every evening (goal < 250 ms)
//   BM_AuswertungRangfolge/<quelle> every bowler by an item over every evening (goal < 30 ms)
//
// <quelle> 0 reads the rows through the tables' indexes, as the program does; 1 runs every
// statement through the SQL engine exactly as it is written, for comparison.
#include "data/store/demo_club.h"
#include "engine/database.h"
#include "evaluation/kern/auswertung.h"
#include "evaluation/kern/sql_daten.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
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
        std::fprintf(stderr, "Democlub: %zu Kegler, %zu Abende, %zu Teilnahmen in %s\n",
                     made.rowCounts.at("KEGLER.DBF"), abende, made.rowCounts.at("KEGLTERM.DBF"), folder.c_str());
    }
};

Club& club()
{
    static Club c;
    return c;
}

evaluation::Auswertung auswertung(const benchmark::State& state)
{
    Club& c = club();
    std::shared_ptr<evaluation::Auswertungsdaten> daten;
    if (state.range(0) == 1) daten = std::make_shared<evaluation::SqlDaten>(c.db, c.db.session(), c.folder);
    return evaluation::Auswertung(c.db, c.db.session(), c.folder, {}, daten);
}

void BM_AuswertungTermin(benchmark::State& state)
{
    const std::string termin = std::to_string(club().abende / 2);
    for (auto _ : state) {
        evaluation::Terminergebnis e;
        auswertung(state).AuswertungTermin(termin, e);
        benchmark::DoNotOptimize(e.gesamtbetrag);
    }
}

void BM_AuswertungZeitraum(benchmark::State& state)
{
    for (auto _ : state) {
        evaluation::Zeitraumergebnis e;
        auswertung(state).AuswertungZeitraum("1.1.1900", "1.1.2100", 3, e);
        if (e.termine != club().abende) state.SkipWithError("nicht jeder Abend ausgewertet");
    }
}

void BM_AuswertungRangfolge(benchmark::State& state)
{
    for (auto _ : state) {
        evaluation::Rangergebnis e;
        auswertung(state).AuswertungRangfolge("1.1.1900", "1.1.2100", 2, e);
        benchmark::DoNotOptimize(e.zeilen);
    }
}

} // namespace

BENCHMARK(BM_AuswertungTermin)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_AuswertungZeitraum)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_AuswertungRangfolge)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
