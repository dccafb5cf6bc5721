// Speed of the table side on the data of a club that has kept its books for 20 years:
// about 60 bowlers, 1,000 evenings, 60,000 participant rows, 300,000 game amounts and
// 200,000 item counts, in the sixteen tables of the data folder with their tags.
//
//   BM_OpenAllTablesWithIndexes  open every table and build every tag index (goal < 0.5 s)
//   BM_OpenAllTablesOnly         the same without the indexes (the share of the table reader)
//   BM_SequentialReadOfFiles     the physical limit of the above: reading the same files
//   BM_ExactKeySearch            findKey of a cursor on KEGLERNR of the game amounts (< 2 us)
//   BM_NearestKeySearch          findNearest of a typed name beginning on KEGLER.NAME
//   BM_ScanInIndexOrder          next() through all game amounts by KEGLERNR, per record
//   BM_DetailFollowsMaster       a participant row moves, its game amounts follow
//   BM_PostOneRecord             append + post of a game amount, flushed, two indexes
//   BM_BareFsync                 the physical limit of the above: fsync of a small file
//   BM_TenThousandInTransaction  10,000 game amounts posted inside one transaction
//
// The data are generated once into a folder under the temporary folder and reused.
#include "engine/database.h"
#include "engine/dataset/table_data_set.h"
#include "engine/dbf/dbf_table.h"
#include "engine/index/cursor.h"
#include "engine/index/table_indexes.h"
#include "engine/storage/session.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

using namespace trevo::engine;

namespace {

struct Layout {
    std::string file;
    std::vector<FieldDef> fields;
    std::vector<std::string> tags;
};

FieldDef n(const char* name, uint8_t len = 10, uint8_t dec = 0) { return {name, 'N', len, dec}; }
FieldDef c(const char* name, uint8_t len) { return {name, 'C', len, 0}; }
FieldDef d(const char* name) { return {name, 'D', 8, 0}; }
FieldDef l(const char* name) { return {name, 'L', 1, 0}; }
FieldDef m(const char* name) { return {name, 'M', 10, 0}; }

const std::vector<Layout>& layouts()
{
    static const std::vector<Layout> all = {
        {"TERMINE.DBF", {n("NUMMER"), d("DATUM"), n("TEILNEHMER"), n("BEITRAG", 10, 2), n("ABSCHNITTE"), n("PREISLISTE"), m("BEMERKUNGE")}, {"NUMMER"}},
        {"KEGLTERM.DBF", {n("NUMMER"), n("TERMIN"), n("KEGLER"), n("ABSCHNITT")}, {"NUMMER", "TERMIN"}},
        {"KEGLER.DBF", {n("NUMMER"), c("MITGLIEDNR", 10), c("NAME", 50), c("VORNAME", 50), c("ALIAS", 50), l("MITGLIED"),
                        n("FUNKTION"), c("STRASSE", 50), c("PLZ", 5), c("ORT", 50), c("TEL1", 50), c("TEL2", 50),
                        c("EMAIL", 50), m("BEMERKUNGE"), c("EINTRITT", 10), d("GEBURTSTAG"), n("GEBTAGNUM")},
         {"NUMMER", "MITGLIEDNR", "NAME"}},
        {"SPIELKEG.DBF", {n("NUMMER"), n("KEGLERNR"), n("ABSCHNITT"), n("SPIELNR"), n("BETRAG", 10, 2), n("TERMIN")}, {"KEGLERNR", "NUMMER"}},
        {"SONSTKEG.DBF", {n("NUMMER"), n("KEGLERNR"), n("ABSCHNITT"), n("TYP"), n("ANZAHL"), n("TERMIN")}, {"KEGLERNR", "NUMMER"}},
        {"SONSTYPE.DBF", {n("NUMMER"), c("BEZEICHNUN", 50), n("EINZELPREI", 10, 2), l("MITTELWERT"), n("PREISLISTE"), n("GUELTIG", 2)}, {"NUMMER", "PREISLISTE"}},
        {"SONSTYP0.DBF", {n("NUMMER"), d("DATUM"), n("WAEHRUNG"), n("BEITRAG", 10, 2)}, {"NUMMER"}},
        {"SPIELE.DBF", {n("NUMMER"), c("NAME", 50), m("BEMERKUNGE")}, {"NUMMER"}},
        {"FUNKTION.DBF", {n("NUMMER"), c("BEZEICHNUN", 50)}, {"NUMMER"}},
        {"TERMPLAN.DBF", {n("NUMMER"), d("TERMIN"), c("ZEIT", 5), n("STATUS"), c("BESCHREIBU", 50), m("BEMERKUNGE"), n("TERMINNUM")}, {"NUMMER"}},
        {"TERMINTY.DBF", {n("NUMMER"), c("BESCHREIBU", 50)}, {"NUMMER", "BESCHREIBU"}},
        {"WAEHRUNGEN.DBF", {n("NUMMER"), c("NAME", 40), c("KUERZEL", 3), n("FAKTOR", 12, 6), m("BEMERKUNGE")}, {"NUMMER"}},
        {"KONTO.DBF", {n("NUMMER"), d("DATUM"), n("BETRAG", 10, 2), n("TYP"), m("BESCHREIBU"), n("KONTONR")}, {"DATUM", "NUMMER"}},
        {"KONTOINF.DBF", {n("NUMMER"), n("KONTONR"), n("WAEHRUNG"), n("STARTSALDO", 10, 2), d("DATUM"), n("KONTOSTAND", 10, 2)}, {"KONTONR", "NUMMER"}},
        {"AUSWERTU.DBF", {c("NAME", 50), n("NUMMER"), n("SPIELE", 10, 2), n("SONSTIGES", 10, 2), n("BEITRAG", 10, 2), n("SUMME", 10, 2)}, {"NUMMER"}},
        {"WERTETAB.DBF", {n("NUMMER"), c("BEZEICHNUN", 40), c("WERT", 50)}, {"BEZEICHNUN", "NUMMER"}},
    };
    return all;
}

const char* const kSurnames[] = {"Müller", "Schmidt", "Schneider", "Fischer", "Weber", "Meyer", "Wagner", "Becker",
                                 "Schulz", "Hoffmann", "Schäfer", "Koch", "Bauer", "Richter", "Klein", "Wolf",
                                 "Schröder", "Neumann", "Schwarz", "Zimmermann"};
const char* const kFirstNames[] = {"Karl", "Anna", "Bernd", "Doris", "Emil", "Frieda"};

constexpr int kBowlers = 60, kEvenings = 1000, kRowsPerEvening = 60, kGamesPerRow = 5;

Value num(double v) { return Value::number(v); }
Value txt(std::string v) { return Value::text(std::move(v)); }

void fill(Database& db, const std::string& dir)
{
    Session& s = db.session();
    std::map<std::string, std::shared_ptr<DbfTable>> t;
    s.atomically([&] {
        for (const Layout& lay : layouts()) t[lay.file] = db.createTable(dir + "/" + lay.file, lay.fields);
    });
    std::mt19937 rng(2024);
    auto batch = [&](auto&& body) {
        s.startTransaction();
        s.atomically(body);
        s.commit();
    };
    batch([&] {
        for (int i = 1; i <= kBowlers; ++i)
            t["KEGLER.DBF"]->append({num(i), txt(std::to_string(100 + i)), txt(kSurnames[i % 20]), txt(kFirstNames[i % 6]),
                                     txt(""), Value::logical(i % 7 != 0), num(i % 5), txt("Hauptstraße " + std::to_string(i)),
                                     txt("12345"), txt("Kegelhausen"), txt("0123 4567"), txt(""), txt(""), txt(""),
                                     txt("01.01.1990"), Value::date(daysFromCivil(1950 + i % 40, 1 + i % 12, 1 + i % 28)),
                                     num(daysFromCivil(1950 + i % 40, 1 + i % 12, 1 + i % 28))});
        for (int i = 1; i <= 2; ++i) t["WAEHRUNGEN.DBF"]->append({num(i), txt(i == 1 ? "Euro" : "Mark"), txt(i == 1 ? "EUR" : "DM"), num(i == 1 ? 1 : 1.95583), txt("")});
        for (int i = 1; i <= 4; ++i) t["SONSTYP0.DBF"]->append({num(i), Value::date(daysFromCivil(2000 + 5 * i, 1, 1)), num(i == 1 ? 2 : 1), num(5)});
        for (int i = 1; i <= 40; ++i)
            t["SONSTYPE.DBF"]->append({num(i), txt("Posten " + std::to_string(i)), num(0.5 * (i % 6 + 1)), Value::logical(i % 3 == 0), num(1 + (i - 1) / 10), num(1)});
        t["KONTOINF.DBF"]->append({num(1), num(1), num(1), num(100), Value::date(daysFromCivil(1990, 1, 1)), num(100)});
        for (int i = 1; i <= 10; ++i) t["SPIELE.DBF"]->append({num(i), txt("Spiel " + std::to_string(i)), txt("Regeln des Spiels")});
        for (int i = 1; i <= 5; ++i) t["FUNKTION.DBF"]->append({num(i), txt("Amt " + std::to_string(i))});
        for (int i = 1; i <= 4; ++i) t["TERMINTY.DBF"]->append({num(i), txt("Typ " + std::to_string(i))});
    });
    const int32_t start = daysFromCivil(2004, 1, 7);
    batch([&] {
        for (int e = 1; e <= kEvenings; ++e) {
            t["TERMINE.DBF"]->append({num(e), Value::date(start + 7 * e), num(20), num(5), num(3), num(1 + e / 250), txt("")});
            t["TERMPLAN.DBF"]->append({num(e), Value::date(start + 7 * e), txt("19:30"), num(1), txt("Kegelabend"), txt(""), num(start + 7 * e)});
            t["KONTO.DBF"]->append({num(e), Value::date(start + 7 * e), num(static_cast<double>(rng() % 10000) / 100), num(1), txt(""), num(1)});
        }
    });
    batch([&] {
        int row = 0, game = 0, item = 0;
        for (int e = 1; e <= kEvenings; ++e) {
            for (int r = 0; r < kRowsPerEvening; ++r) {
                ++row;
                const int section = 1 + r / 20;
                t["KEGLTERM.DBF"]->append({num(row), num(e), num(1 + (r * 7 + e) % kBowlers), num(section)});
                for (int g = 1; g <= kGamesPerRow; ++g)
                    t["SPIELKEG.DBF"]->append({num(++game), num(row), num(section), num(g), num(static_cast<double>(rng() % 300) / 100), num(e)});
                const int items = row % 3 == 0 ? 4 : 3;
                for (int i = 0; i < items; ++i)
                    t["SONSTKEG.DBF"]->append({num(++item), num(row), num(section), num(1 + rng() % 40), num(1 + rng() % 4), num(e)});
            }
        }
    });
}

// The folder with the generated tables; made on first use.
const std::string& dataFolder()
{
    static const std::string dir = [] {
        const std::string path = (std::filesystem::temp_directory_path() / "trevo-bench-20jahre").string();
        const std::string marker = path + "/FERTIG";
        if (!std::filesystem::exists(marker)) {
            std::filesystem::remove_all(path);
            std::filesystem::create_directories(path);
            Database db;
            fill(db, path);
            std::ofstream(marker) << "fertig\n";
        }
        return path;
    }();
    return dir;
}

std::string copyOf(const std::string& file)
{
    const std::string dir = (std::filesystem::temp_directory_path() / "trevo-bench-schreiben").string();
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::filesystem::copy_file(dataFolder() + "/" + file, dir + "/" + file);
    return dir + "/" + file;
}

void BM_OpenAllTablesWithIndexes(benchmark::State& state)
{
    const std::string dir = dataFolder();
    size_t entries = 0;
    for (auto _ : state) {
        Database db;
        entries = 0;
        for (const Layout& lay : layouts()) {
            auto t = db.table(dir + "/" + lay.file);
            auto& indexes = t->attachment<TableIndexes>();
            for (const std::string& tag : lay.tags) entries += indexes.byField(tag).size();
        }
        benchmark::DoNotOptimize(entries);
    }
    state.counters["Indexeinträge"] = static_cast<double>(entries);
}
BENCHMARK(BM_OpenAllTablesWithIndexes)->Unit(benchmark::kMillisecond);

void BM_OpenAllTablesOnly(benchmark::State& state)
{
    const std::string dir = dataFolder();
    for (auto _ : state) {
        Database db;
        uint64_t records = 0;
        for (const Layout& lay : layouts()) records += db.table(dir + "/" + lay.file)->recordCount();
        benchmark::DoNotOptimize(records);
    }
}
BENCHMARK(BM_OpenAllTablesOnly)->Unit(benchmark::kMillisecond);

void BM_SequentialReadOfFiles(benchmark::State& state)
{
    const std::string dir = dataFolder();
    std::vector<char> buf(1 << 20);
    size_t bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            const int fd = ::open(entry.path().c_str(), O_RDONLY);
            if (fd < 0) continue;
            ssize_t got;
            while ((got = ::read(fd, buf.data(), buf.size())) > 0) bytes += static_cast<size_t>(got);
            ::close(fd);
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_SequentialReadOfFiles)->Unit(benchmark::kMillisecond);

void BM_ExactKeySearch(benchmark::State& state)
{
    Database db;
    Cursor cursor(db.table(dataFolder() + "/SPIELKEG.DBF"));
    cursor.setOrder("KEGLERNR");
    std::mt19937 rng(1);
    std::vector<Value> keys;
    for (int i = 0; i < 4096; ++i) keys.push_back(num(1 + rng() % (kEvenings * kRowsPerEvening)));
    size_t i = 0, found = 0;
    for (auto _ : state) found += cursor.findKey(keys[i++ & 4095]);
    if (found != static_cast<size_t>(state.iterations())) state.SkipWithError("Schlüssel nicht gefunden");
}
BENCHMARK(BM_ExactKeySearch)->Unit(benchmark::kMicrosecond);

void BM_NearestKeySearch(benchmark::State& state)
{
    Database db;
    Cursor cursor(db.table(dataFolder() + "/KEGLER.DBF"));
    cursor.setOrder("NAME");
    const Value typed[] = {txt("M"), txt("Mü"), txt("Sch"), txt("Schrö"), txt("W"), txt("Z")};
    size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(cursor.findNearest(typed[i++ % 6]));
}
BENCHMARK(BM_NearestKeySearch)->Unit(benchmark::kMicrosecond);

void BM_ScanInIndexOrder(benchmark::State& state)
{
    Database db;
    Cursor cursor(db.table(dataFolder() + "/SPIELKEG.DBF"));
    cursor.setOrder("KEGLERNR");
    cursor.first();
    for (auto _ : state) {
        if (!cursor.next()) cursor.first();
    }
}
BENCHMARK(BM_ScanInIndexOrder)->Unit(benchmark::kNanosecond);

void BM_DetailFollowsMaster(benchmark::State& state)
{
    Database db;
    TableDataSet rows(db, db.session(), dataFolder() + "/KEGLTERM.DBF");
    rows.setIndex("NUMMER");
    TableDataSet games(db, db.session(), dataFolder() + "/SPIELKEG.DBF");
    games.setIndex("KEGLERNR");
    games.setMasterLink(rows, "KEGLERNR", "NUMMER");
    rows.open();
    games.open();
    size_t shown = 0;
    for (auto _ : state) {
        if (!rows.next()) rows.first();
        shown += games.recordCount();
    }
    if (shown != static_cast<size_t>(state.iterations()) * kGamesPerRow) state.SkipWithError("falsche Zahl von Spielen");
}
BENCHMARK(BM_DetailFollowsMaster)->Unit(benchmark::kMicrosecond);

void BM_PostOneRecord(benchmark::State& state)
{
    const std::string path = copyOf("SPIELKEG.DBF");
    Database db;
    TableDataSet games(db, db.session(), path);
    games.setIndex("KEGLERNR");
    games.open();
    games.tablePtr()->attachment<TableIndexes>().byField("NUMMER");
    double nummer = 1e6;
    for (auto _ : state) {
        games.append();
        games.setValue("NUMMER", num(++nummer));
        games.setValue("KEGLERNR", num(777));
        games.setValue("BETRAG", num(1.5));
        games.post();
    }
}
BENCHMARK(BM_PostOneRecord)->Unit(benchmark::kMicrosecond)->Iterations(200);

void BM_BareFsync(benchmark::State& state)
{
    const std::string path = (std::filesystem::temp_directory_path() / "trevo-bench-fsync").string();
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0644);
    char block[512] = {};
    for (auto _ : state) {
        if (::pwrite(fd, block, sizeof block, 0) != static_cast<ssize_t>(sizeof block)) state.SkipWithError("write");
        ::fsync(fd);
    }
    ::close(fd);
    std::filesystem::remove(path);
}
BENCHMARK(BM_BareFsync)->Unit(benchmark::kMicrosecond)->Iterations(200);

void BM_TenThousandInTransaction(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        const std::string path = copyOf("SPIELKEG.DBF");
        Database db;
        TableDataSet games(db, db.session(), path);
        games.setIndex("KEGLERNR");
        games.open();
        games.tablePtr()->attachment<TableIndexes>().byField("NUMMER");
        state.ResumeTiming();
        db.session().startTransaction();
        for (int i = 0; i < 10000; ++i) {
            games.append();
            games.setValue("NUMMER", num(1e6 + i));
            games.setValue("KEGLERNR", num(i % 500));
            games.setValue("BETRAG", num(2.5));
            games.post();
        }
        db.session().commit();
    }
}
BENCHMARK(BM_TenThousandInTransaction)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
