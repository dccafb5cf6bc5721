// Speed of the local SQL on a club that has kept its books for 20 years (60 bowlers,
// 1,000 evenings of 20 bowlers in 3 sections: 60,000 participant rows, 300,000 game
// amounts, about 200,000 item counts), against SQLite in memory with indexes on the
// same columns (the tags of the tables) running the equivalent statements.
//
//   BM_Q1 .. BM_Q7      the evaluation queries of one evening (goal < 1 ms each)
//   BM_Q8, BM_Q9        evenings of the whole period, ranking over it (goal < 50 ms)
//   BM_Evening          every statement of one evening evaluation (goal < 20 ms)
//
// Each statement text is built anew for every run with another evening or bowler, as
// the program does. Counters: ours_us and sqlite_us per run, ratio = ours / SQLite
// (goal <= 2).
#include "engine/database.h"
#include "engine/fs/memory_file_system.h"
#include "engine/sql/sql.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

using namespace trevo::engine;

namespace {

constexpr int kBowlers = 60, kEvenings = 1000, kPerEvening = 20, kSections = 3, kGames = 5;
const std::string kFolder = "/daten/";

struct Layout {
    const char* file;
    std::vector<FieldDef> fields;
    std::vector<const char*> tags;
};

FieldDef n(const char* name, uint8_t len = 10, uint8_t dec = 0) { return {name, 'N', len, dec}; }
FieldDef c(const char* name, uint8_t len) { return {name, 'C', len, 0}; }

const std::vector<Layout> kLayouts = {
    {"TERMINE", {n("NUMMER"), {"DATUM", 'D', 8, 0}, n("BEITRAG", 10, 2), n("PREISLISTE")}, {"NUMMER"}},
    {"KEGLTERM", {n("NUMMER"), n("TERMIN"), n("KEGLER"), n("ABSCHNITT")}, {"NUMMER", "TERMIN"}},
    {"KEGLER", {n("NUMMER"), c("MITGLIEDNR", 10), c("NAME", 50), {"MITGLIED", 'L', 1, 0}}, {"NUMMER", "MITGLIEDNR", "NAME"}},
    {"SPIELKEG", {n("NUMMER"), n("KEGLERNR"), n("ABSCHNITT"), n("SPIELNR"), n("BETRAG", 10, 2), n("TERMIN")}, {"KEGLERNR", "NUMMER"}},
    {"SONSTKEG", {n("NUMMER"), n("KEGLERNR"), n("ABSCHNITT"), n("TYP"), n("ANZAHL"), n("TERMIN")}, {"KEGLERNR", "NUMMER"}},
    {"SONSTYPE", {n("NUMMER"), c("BEZEICHNUN", 50), n("EINZELPREI", 10, 2), {"MITTELWERT", 'L', 1, 0}, n("PREISLISTE"), n("GUELTIG", 2)}, {"NUMMER", "PREISLISTE"}},
};

class Club {
public:
    Club()
    {
        fs_.makeDirectory("/daten");
        sqlite3_open(":memory:", &lite_);
        fill();
    }
    ~Club() { sqlite3_close(lite_); }

    Database& db() { return db_; }
    sqlite3* lite() { return lite_; }

private:
    void exec(const std::string& s) { sqlite3_exec(lite_, s.c_str(), nullptr, nullptr, nullptr); }

    void fill()
    {
        std::map<std::string, std::shared_ptr<DbfTable>> t;
        Session& s = db_.session();
        std::map<std::string, sqlite3_stmt*> insert;
        exec("BEGIN");
        s.atomically([&] {
            for (const auto& l : kLayouts) {
                t[l.file] = db_.createTable(kFolder + l.file + ".DBF", l.fields);
                std::string create = std::string("CREATE TABLE ") + l.file + "(";
                std::string values;
                for (size_t i = 0; i < l.fields.size(); ++i) {
                    create += std::string(i ? "," : "") + l.fields[i].name;
                    values += i ? ",?" : "?";
                }
                exec(create + ")");
                for (const char* tag : l.tags)
                    exec(std::string("CREATE INDEX ") + l.file + "_" + tag + " ON " + l.file + "(" + tag + ")");
                sqlite3_prepare_v2(lite_, (std::string("INSERT INTO ") + l.file + " VALUES (" + values + ")").c_str(), -1,
                                   &insert[l.file], nullptr);
            }
        });
        auto add = [&](const char* file, const Record& r) {
            t[file]->append(r);
            sqlite3_stmt* st = insert[file];
            for (size_t i = 0; i < r.size(); ++i) {
                const Value& v = r[i];
                if (v.isNumber()) sqlite3_bind_double(st, static_cast<int>(i + 1), v.number());
                else if (v.isDate()) sqlite3_bind_int(st, static_cast<int>(i + 1), v.date());
                else if (v.isLogical()) sqlite3_bind_int(st, static_cast<int>(i + 1), v.logical() ? 1 : 0);
                else if (v.isText()) sqlite3_bind_text(st, static_cast<int>(i + 1), v.text().c_str(), -1, SQLITE_TRANSIENT);
                else sqlite3_bind_null(st, static_cast<int>(i + 1));
            }
            sqlite3_step(st);
            sqlite3_reset(st);
        };
        auto num = [](double v) { return Value::number(v); };
        std::mt19937 rng(2024);
        s.startTransaction();
        s.atomically([&] {
            for (int i = 1; i <= kBowlers; ++i)
                add("KEGLER", {num(i), Value::text(std::to_string(100 + i)), Value::text("Kegler " + std::to_string(i)),
                               Value::logical(i % 7 != 0)});
            for (int i = 1; i <= 40; ++i)
                add("SONSTYPE", {num(i), Value::text("Posten " + std::to_string(i)), num(0.5 * (i % 6 + 1)),
                                 Value::logical(i % 3 == 0), num(1 + (i - 1) / 10), num(i % 5 == 0 ? 2 : 1)});
            int row = 0, game = 0, item = 0;
            const int32_t start = daysFromCivil(2004, 1, 7);
            for (int e = 1; e <= kEvenings; ++e) {
                add("TERMINE", {num(e), Value::date(start + 7 * e), num(5), num(1 + (e - 1) / 250)});
                for (int sec = 1; sec <= kSections; ++sec) {
                    for (int b = 0; b < kPerEvening; ++b) {
                        ++row;
                        add("KEGLTERM", {num(row), num(e), num(1 + (b * 7 + e) % kBowlers), num(sec)});
                        for (int g = 1; g <= kGames; ++g)
                            add("SPIELKEG", {num(++game), num(row), num(sec), num(g), num(static_cast<double>(rng() % 300) / 100), num(e)});
                        const int items = row % 3 == 0 ? 4 : 3;
                        for (int i = 0; i < items; ++i)
                            add("SONSTKEG", {num(++item), num(row), num(sec), num(10 * ((e - 1) / 250) + 1 + rng() % 10),
                                             num(1 + rng() % 4), num(e)});
                    }
                }
            }
        });
        s.commit();
        exec("COMMIT");
        for (auto& [k, st] : insert) sqlite3_finalize(st);
    }

    MemoryFileSystem fs_;
    Database db_{fs_};
    sqlite3* lite_ = nullptr;
};

Club& club()
{
    static Club c;
    return c;
}

// A table reference as the program writes it, and as SQLite needs it.
std::string ref(bool ours, const char* table, const char* alias)
{
    if (ours) return "\"" + kFolder + table + ".DBF\"" + alias;
    return std::string(table) + " " + alias;
}

std::string join(std::initializer_list<std::string> lines)
{
    std::string s;
    for (const auto& l : lines) s += (s.empty() ? "" : "\r\n") + l;
    return s;
}

std::string q1(bool o, int e) { return join({"SELECT KEGLER", "FROM", ref(o, "KEGLTERM", ""), "WHERE", "TERMIN=" + std::to_string(e), "GROUP BY KEGLER"}); }
std::string q2(bool o, int e, int b, int s)
{
    return join({"SELECT KEGLER", "FROM", ref(o, "KEGLTERM", ""), "WHERE", "TERMIN=" + std::to_string(e), "AND",
                 "KEGLER=" + std::to_string(b), "AND", "ABSCHNITT=" + std::to_string(s), "GROUP BY KEGLER"});
}
std::string q3(bool o, int e)
{
    return join({"SELECT DISTINCT COUNT(KEGLER)ANZAHL, ABSCHNITT", "FROM", ref(o, "KEGLTERM", ""), "WHERE",
                 "TERMIN=" + std::to_string(e), "GROUP BY ABSCHNITT", "ORDER BY ABSCHNITT"});
}
std::string q4(bool o, int e)
{
    return join({"SELECT \"SPIELKEGXDBF\".\"ABSCHNITT\"ABSCHNITT,SUM(\"SPIELKEGXDBF\".\"BETRAG\")SUMME", "FROM",
                 ref(o, "TERMINE", "TerminXDBF") + ",", ref(o, "KEGLTERM", "KeglTermXDBF") + ",", ref(o, "SPIELKEG", "SPIELKEGXDBF"),
                 "WHERE", "\"TERMINXDBF\".\"NUMMER\"=" + std::to_string(e), "AND",
                 "\"TERMINXDBF\".\"NUMMER\"=\"KEGLTERMXDBF\".\"TERMIN\"", "AND",
                 "\"SPIELKEGXDBF\".\"KEGLERNR\"=\"KEGLTERMXDBF\".\"NUMMER\"", "GROUP BY \"SPIELKEGXDBF\".\"ABSCHNITT\""});
}
std::string q5(bool o, int e)
{
    return join({"SELECT \"SONSTIGEKEGXDBF\".\"ABSCHNITT\"ABSCHNITT,SUM(\"SONSTIGEKEGXDBF\".\"ANZAHL\")SUMME,",
                 "SUM(\"SONSTIGEKEGXDBF\".\"ANZAHL\"*\"SONSTIGEXDBF\".\"EINZELPREI\")GESBETRAG", "FROM",
                 ref(o, "TERMINE", "TerminXDBF") + ",", ref(o, "KEGLTERM", "KeglTermXDBF") + ",",
                 ref(o, "SONSTKEG", "SONSTIGEKEGXDBF") + ",", ref(o, "SONSTYPE", "SONSTIGEXDBF"), "WHERE",
                 "\"TERMINXDBF\".\"NUMMER\"=" + std::to_string(e), "AND", "\"TERMINXDBF\".\"NUMMER\"=\"KEGLTERMXDBF\".\"TERMIN\"",
                 "AND", "((\"SONSTIGEKEGXDBF\".\"KEGLERNR\"=\"KEGLTERMXDBF\".\"NUMMER\"", "AND", "\"SONSTIGEXDBF\".\"GUELTIG\"=1)",
                 "OR", "(\"SONSTIGEKEGXDBF\".\"KEGLERNR\"<>\"KEGLTERMXDBF\".\"NUMMER\"", "AND",
                 "\"SONSTIGEKEGXDBF\".\"TERMIN\"=\"TERMINXDBF\".\"NUMMER\"", "AND", "\"SONSTIGEXDBF\".\"GUELTIG\"=2))", "AND",
                 "\"SONSTIGEKEGXDBF\".\"TYP\"=\"SONSTIGEXDBF\".\"NUMMER\"", "AND",
                 "\"TERMINXDBF\".\"PREISLISTE\"=\"SONSTIGEXDBF\".\"PREISLISTE\"", "AND", "\"SONSTIGEXDBF\".\"MITTELWERT\"=TRUE",
                 "GROUP BY \"SONSTIGEKEGXDBF\".\"ABSCHNITT\""});
}
std::string q6(bool o, int e, int b)
{
    return join({"SELECT \"SPIELKEGXDBF\".\"KEGLERNR\"KEGLER,SUM(\"SPIELKEGXDBF\".\"BETRAG\")SUMME", "FROM",
                 ref(o, "TERMINE", "TerminXDBF") + ",", ref(o, "KEGLTERM", "KeglTermXDBF") + ",", ref(o, "SPIELKEG", "SPIELKEGXDBF"),
                 "WHERE", "\"TERMINXDBF\".\"NUMMER\"=" + std::to_string(e), "AND",
                 "\"TERMINXDBF\".\"NUMMER\"=\"KEGLTERMXDBF\".\"TERMIN\"", "AND",
                 "\"SPIELKEGXDBF\".\"KEGLERNR\"=\"KEGLTERMXDBF\".\"NUMMER\"", "AND",
                 "\"KEGLTERMXDBF\".\"KEGLER\"=" + std::to_string(b), "GROUP BY \"SPIELKEGXDBF\".\"KEGLERNR\""});
}
std::string q7(bool o, int e, int b)
{
    const std::string bs = std::to_string(b);
    return join({"SELECT \"TerminXDBF\".\"NUMMER\",SUM(\"SONSTKEGXDBF\".\"ANZAHL\"*\"SONSTIGEXDBF\".\"EINZELPREI\")SUMME", "FROM",
                 ref(o, "TERMINE", "TerminXDBF") + ",", ref(o, "KEGLTERM", "KeglTermXDBF") + ",", ref(o, "SONSTKEG", "SonstKegXDBF") + ",",
                 ref(o, "SONSTYPE", "SONSTIGEXDBF"), "WHERE", "\"TERMINXDBF\".\"NUMMER\"=" + std::to_string(e), "AND",
                 "\"TERMINXDBF\".\"NUMMER\"=\"KEGLTERMXDBF\".\"TERMIN\"", "AND", "((\"KEGLTERMXDBF\".\"KEGLER\"=" + bs, "AND",
                 "\"SONSTKEGXDBF\".\"KEGLERNR\"=\"KEGLTERMXDBF\".\"NUMMER\"", "AND", "\"SONSTIGEXDBF\".\"GUELTIG\"=1)", "OR",
                 "(\"KEGLTERMXDBF\".\"KEGLER\"<>" + bs, "AND", "\"SONSTKEGXDBF\".\"KEGLERNR\"=\"KEGLTERMXDBF\".\"NUMMER\"", "AND",
                 "\"SONSTIGEXDBF\".\"GUELTIG\"=2))", "AND", "\"SONSTKEGXDBF\".\"TYP\"=\"SONSTIGEXDBF\".\"NUMMER\"", "AND",
                 "\"TERMINXDBF\".\"PREISLISTE\"=\"SONSTIGEXDBF\".\"PREISLISTE\"", "GROUP BY \"TerminXDBF\".\"NUMMER\""});
}
// The whole period; SQLite compares day numbers where our statement has date texts.
std::string period(bool o, const char* column)
{
    const std::string from = o ? "\"01.01.2004\"" : std::to_string(daysFromCivil(2004, 1, 1));
    const std::string to = o ? "\"31.12.2024\"" : std::to_string(daysFromCivil(2024, 12, 31));
    return std::string(column) + ">=" + from + " AND " + column + "<=" + to;
}
std::string q8(bool o, int)
{
    return join({"SELECT NUMMER,DATUM,PREISLISTE,BEITRAG", "FROM", ref(o, "TERMINE", "TerminXDBF"), "WHERE", period(o, "DATUM"),
                 "ORDER BY \"TerminXDBF\".\"DATUM\""});
}
std::string q9(bool o, int t)
{
    return join({"SELECT SUM(\"SONSTIGEKEGXDBF\".\"ANZAHL\")SUMME,", "\"KEGLTERMXDBF\".\"KEGLER\",\"KEGLERXDBF\".\"NAME\"", "FROM",
                 ref(o, "TERMINE", "TerminXDBF") + ",", ref(o, "KEGLTERM", "KeglTermXDBF") + ",",
                 ref(o, "SONSTKEG", "SONSTIGEKEGXDBF") + ",", ref(o, "KEGLER", "KEGLERXDBF"), "WHERE",
                 period(o, "\"TerminXDBF\".\"DATUM\""), "AND", "\"TERMINXDBF\".\"NUMMER\"=\"KEGLTERMXDBF\".\"TERMIN\"", "AND",
                 "\"SONSTIGEKEGXDBF\".\"KEGLERNR\"=\"KEGLTERMXDBF\".\"NUMMER\"", "AND", "\"SONSTIGEKEGXDBF\".\"TYP\"=" + std::to_string(t),
                 "AND", "\"KEGLERXDBF\".\"NUMMER\"=\"KEGLTERMXDBF\".\"KEGLER\"",
                 "GROUP BY \"KEGLTERMXDBF\".\"KEGLER\",\"KEGLERXDBF\".\"NAME\"", "ORDER BY SUMME DESC"});
}

size_t runOurs(const std::string& text)
{
    Database& db = club().db();
    return sql::execute(db, db.session(), text, kFolder).rows.size();
}

size_t runSqlite(const std::string& text)
{
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(club().lite(), text.c_str(), -1, &st, nullptr) != SQLITE_OK) std::abort();
    size_t rows = 0;
    while (sqlite3_step(st) == SQLITE_ROW) ++rows;
    sqlite3_finalize(st);
    return rows;
}

// Times a statement family over many evenings on both engines; the benchmark's own
// time is ours.
void compare(benchmark::State& state, const std::function<std::string(bool, int)>& build, int modulo)
{
    club();
    int i = 0;
    size_t rows = 0;
    for (auto _ : state) {
        const std::string text = build(true, 1 + (i++ * 37) % modulo);
        rows += runOurs(text);
    }
    const auto t0 = std::chrono::steady_clock::now();
    int n = 0;
    size_t liteRows = 0;
    for (; n < 2000; ++n) {
        liteRows += runSqlite(build(false, 1 + (n * 37) % modulo));
        if (std::chrono::steady_clock::now() - t0 > std::chrono::milliseconds(500)) {
            ++n;
            break;
        }
    }
    const double lite = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count() / n;
    const auto t1 = std::chrono::steady_clock::now();
    int m = 0;
    for (; m < n; ++m) runOurs(build(true, 1 + (m * 37) % modulo));
    const double ours = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t1).count() / m;
    state.counters["ours_us"] = ours;
    state.counters["sqlite_us"] = lite;
    state.counters["ratio"] = ours / lite;
    state.counters["rows"] = static_cast<double>(rows) / static_cast<double>(std::max<int64_t>(1, state.iterations()));
}

void BM_Q1(benchmark::State& s) { compare(s, q1, kEvenings); }
void BM_Q2(benchmark::State& s) { compare(s, [](bool o, int e) { return q2(o, e, 1 + (e * 7 + e) % kBowlers, 1 + e % 3); }, kEvenings); }
void BM_Q3(benchmark::State& s) { compare(s, q3, kEvenings); }
void BM_Q4(benchmark::State& s) { compare(s, q4, kEvenings); }
void BM_Q5(benchmark::State& s) { compare(s, q5, kEvenings); }
void BM_Q6(benchmark::State& s) { compare(s, [](bool o, int e) { return q6(o, e, 1 + (7 + e) % kBowlers); }, kEvenings); }
void BM_Q7(benchmark::State& s) { compare(s, [](bool o, int e) { return q7(o, e, 1 + (7 + e) % kBowlers); }, kEvenings); }
void BM_Q8(benchmark::State& s) { compare(s, q8, 1); }
void BM_Q9(benchmark::State& s) { compare(s, q9, 40); }

// Every statement of one evening evaluation: Q1, Q3, Q4, Q5, then per participant Q2
// for each section, Q6 and Q7.
std::vector<std::string> eveningStatements(bool o, int e)
{
    std::vector<std::string> all = {q1(o, e), q3(o, e), q4(o, e), q5(o, e)};
    for (int b = 0; b < kPerEvening; ++b) {
        const int bowler = 1 + (b * 7 + e) % kBowlers;
        for (int s = 1; s <= kSections; ++s) all.push_back(q2(o, e, bowler, s));
        all.push_back(q6(o, e, bowler));
        all.push_back(q7(o, e, bowler));
    }
    return all;
}

void BM_Evening(benchmark::State& state)
{
    club();
    int i = 0;
    for (auto _ : state)
        for (const auto& t : eveningStatements(true, 1 + (i++ * 37) % kEvenings)) runOurs(t);
    const auto t0 = std::chrono::steady_clock::now();
    const int n = 10;
    for (int k = 0; k < n; ++k)
        for (const auto& t : eveningStatements(false, 1 + (k * 37) % kEvenings)) runSqlite(t);
    const double lite = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count() / n;
    const auto t1 = std::chrono::steady_clock::now();
    for (int k = 0; k < n; ++k)
        for (const auto& t : eveningStatements(true, 1 + (k * 37) % kEvenings)) runOurs(t);
    const double ours = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t1).count() / n;
    state.counters["ours_us"] = ours;
    state.counters["sqlite_us"] = lite;
    state.counters["ratio"] = ours / lite;
    state.counters["statements"] = static_cast<double>(eveningStatements(true, 1).size());
}

} // namespace

// TREVO_EXPLAIN=1 prints the plans of the statements before the runs.
void explainAll()
{
    if (!std::getenv("TREVO_EXPLAIN")) return;
    Database& db = club().db();
    for (const auto& t : {q1(true, 5), q4(true, 5), q5(true, 5), q6(true, 5, 12), q7(true, 5, 12), q8(true, 0), q9(true, 3)})
        std::printf("%s\n", sql::execute(db, db.session(), "EXPLAIN " + t, kFolder).plan.c_str());
}
const int explained = (explainAll(), 0);

BENCHMARK(BM_Q1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Q2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Q3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Q4)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Q5)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Q6)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Q7)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Q8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Q9)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Evening)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
