// Generated club data loaded both as dBASE tables and into SQLite, and a few hundred
// generated SELECT statements (joins, ORs of conjunctions, grouping, DISTINCT,
// aggregates over NULLs, ORDER BY, LEFT JOIN) run on both: the rows must agree, in
// order where ORDER BY fixes it.
#include "sql_fixture.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <random>
#include <chrono>

using namespace trevo::engine;
using namespace trevo::engine::sqltest;

namespace {

struct Column {
    const char* name;
    char type; // N, C, D, L
    int length;
    int decimals;
};

struct Table {
    const char* name;
    const char* alias;
    std::vector<Column> columns;
};

const std::vector<Table> kTables = {
    {"KEGLER", "g", {{"NUMMER", 'N', 10, 0}, {"NAME", 'C', 20, 0}, {"MITGLIED", 'L', 1, 0}, {"FUNKTION", 'N', 5, 0}}},
    {"TERMINE", "t", {{"NUMMER", 'N', 10, 0}, {"DATUM", 'D', 8, 0}, {"PREISLISTE", 'N', 5, 0}, {"BEITRAG", 'N', 8, 2}}},
    {"KEGLTERM", "k", {{"NUMMER", 'N', 10, 0}, {"TERMIN", 'N', 10, 0}, {"KEGLER", 'N', 10, 0}, {"ABSCHNITT", 'N', 5, 0}}},
    {"SPIELKEG", "s", {{"NUMMER", 'N', 10, 0}, {"KEGLERNR", 'N', 10, 0}, {"ABSCHNITT", 'N', 5, 0}, {"BETRAG", 'N', 8, 2}, {"TERMIN", 'N', 10, 0}}},
    {"SONSTYPE", "y", {{"NUMMER", 'N', 10, 0}, {"BEZEICHNUN", 'C', 20, 0}, {"EINZELPREI", 'N', 8, 2}, {"MITTELWERT", 'L', 1, 0}, {"PREISLISTE", 'N', 5, 0}, {"GUELTIG", 'N', 2, 0}}},
    {"SONSTKEG", "o", {{"NUMMER", 'N', 10, 0}, {"KEGLERNR", 'N', 10, 0}, {"TYP", 'N', 10, 0}, {"ANZAHL", 'N', 5, 0}, {"TERMIN", 'N', 10, 0}}},
    {"FUNKTION", "f", {{"NUMMER", 'N', 10, 0}, {"BEZEICHNUN", 'C', 20, 0}}},
};

// Joins between tables: (table a, column a, table b, column b).
struct Edge {
    int a;
    const char* ca;
    int b;
    const char* cb;
};
const std::vector<Edge> kEdges = {
    {1, "NUMMER", 2, "TERMIN"},   {0, "NUMMER", 2, "KEGLER"},     {3, "KEGLERNR", 2, "NUMMER"},
    {5, "KEGLERNR", 2, "NUMMER"}, {5, "TYP", 4, "NUMMER"},        {1, "PREISLISTE", 4, "PREISLISTE"},
    {5, "TERMIN", 1, "NUMMER"},   {0, "FUNKTION", 6, "NUMMER"},
};

const char* const kNames[] = {"Meier", "Huber", "Schulz", "Becker", "Wagner", "Koch", "Bauer", "Richter", "Klein", "Wolf"};

class Differential : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(sqlite3_open(":memory:", &lite_), SQLITE_OK);
        // SQLite's LIKE ignores the case of ASCII letters, as ours ignores the case of
        // all letters: the generated patterns are ASCII.
        generate();
    }
    void TearDown() override { sqlite3_close(lite_); }

    void exec(const std::string& s)
    {
        char* err = nullptr;
        ASSERT_EQ(sqlite3_exec(lite_, s.c_str(), nullptr, nullptr, &err), SQLITE_OK) << (err ? err : "") << "\n" << s;
    }

    Value randomValue(const Column& c, int row)
    {
        std::uniform_int_distribution<int> pct(0, 99);
        const bool nullable = std::string(c.name) != "NUMMER" && std::string(c.name) != "NAME";
        if (nullable && pct(rng_) < 8) return Value::null();
        const std::string n = c.name;
        auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); };
        if (n == "NUMMER") return Value::number(row + 1);
        if (c.type == 'C') return Value::text(kNames[pick(0, 9)] + std::string(pick(0, 3) ? "" : "son"));
        if (c.type == 'L') return Value::logical(pick(0, 1) == 1);
        if (c.type == 'D') return Value::date(daysFromCivil(2000, 1, 1) + pick(0, 700));
        if (c.decimals) return Value::number(pick(0, 800) / 100.0);
        if (n == "TERMIN") return Value::number(pick(1, 40));
        if (n == "KEGLER") return Value::number(pick(1, 30));
        if (n == "KEGLERNR") return Value::number(pick(1, 400));
        if (n == "TYP") return Value::number(pick(1, 15));
        if (n == "PREISLISTE") return Value::number(pick(1, 3));
        if (n == "FUNKTION") return Value::number(pick(1, 4));
        if (n == "GUELTIG") return Value::number(pick(1, 2));
        return Value::number(pick(1, 6));
    }

    void generate()
    {
        const int sizes[] = {30, 40, 300, 600, 15, 450, 3};
        for (size_t t = 0; t < kTables.size(); ++t) {
            const Table& tab = kTables[t];
            std::vector<FieldDef> fields;
            std::string create = std::string("CREATE TABLE ") + tab.name + " (";
            for (size_t i = 0; i < tab.columns.size(); ++i) {
                const Column& c = tab.columns[i];
                fields.push_back({c.name, c.type, static_cast<uint8_t>(c.length), static_cast<uint8_t>(c.decimals)});
                create += std::string(i ? ", " : "") + c.name + (c.type == 'C' ? " TEXT" : " NUMERIC");
            }
            exec(create + ")");
            std::vector<Record> rows;
            exec("BEGIN");
            for (int r = 0; r < sizes[t]; ++r) {
                Record rec;
                std::string insert = std::string("INSERT INTO ") + tab.name + " VALUES (";
                for (size_t i = 0; i < tab.columns.size(); ++i) {
                    Value v = randomValue(tab.columns[i], r);
                    insert += std::string(i ? ", " : "") + liteLiteral(v);
                    rec.push_back(std::move(v));
                }
                exec(insert + ")");
                rows.push_back(std::move(rec));
            }
            exec("COMMIT");
            f_.table(std::string(tab.name) + ".DBF", fields, rows);
        }
    }

    static std::string liteLiteral(const Value& v)
    {
        switch (v.type()) {
        case ValueType::Null: return "NULL";
        case ValueType::Number: return canonicalNumber(v.number());
        case ValueType::Text: return "'" + v.text() + "'";
        case ValueType::Date: return std::to_string(v.date());
        case ValueType::Logical: return v.logical() ? "1" : "0";
        }
        return "NULL";
    }

    static std::string canonicalNumber(double d)
    {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.4f", std::round(d * 10000) / 10000 + 0.0);
        if (std::string(buf) == "-0.0000") return "0.0000";
        return buf;
    }

    static std::string canonical(const Value& v)
    {
        switch (v.type()) {
        case ValueType::Null: return "NULL";
        case ValueType::Number: return canonicalNumber(v.number());
        case ValueType::Text: return v.text().empty() ? "NULL" : v.text(); // a blank field reads as NULL
        case ValueType::Date: return canonicalNumber(v.date());
        case ValueType::Logical: return canonicalNumber(v.logical() ? 1 : 0);
        }
        return "?";
    }

    std::vector<std::string> liteRows(const std::string& sql)
    {
        sqlite3_stmt* st = nullptr;
        std::vector<std::string> out;
        if (sqlite3_prepare_v2(lite_, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
            ADD_FAILURE() << "SQLite: " << sqlite3_errmsg(lite_) << "\n" << sql;
            return out;
        }
        while (sqlite3_step(st) == SQLITE_ROW) {
            std::string line;
            for (int i = 0; i < sqlite3_column_count(st); ++i) {
                if (i) line += "|";
                switch (sqlite3_column_type(st, i)) {
                case SQLITE_NULL: line += "NULL"; break;
                case SQLITE_INTEGER:
                case SQLITE_FLOAT: line += canonicalNumber(sqlite3_column_double(st, i)); break;
                default: line += reinterpret_cast<const char*>(sqlite3_column_text(st, i));
                }
            }
            out.push_back(line);
        }
        sqlite3_finalize(st);
        return out;
    }

    std::vector<std::string> ourRows(const std::string& sql)
    {
        std::vector<std::string> out;
        for (const auto& row : f_.run(sql).rows) {
            std::string line;
            for (size_t i = 0; i < row.size(); ++i) line += (i ? "|" : "") + canonical(row[i]);
            out.push_back(line);
        }
        return out;
    }

    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    std::string constantFor(const Column& c)
    {
        if (c.type == 'C') return "'" + std::string(kNames[pick(0, 9)]) + "'";
        if (c.type == 'L') return pick(0, 1) ? "TRUE" : "FALSE";
        if (c.type == 'D') return std::to_string(daysFromCivil(2000, 1, 1) + pick(0, 700));
        if (c.decimals) return canonicalNumber(pick(0, 800) / 100.0);
        const std::string n = c.name;
        if (n == "NUMMER" || n == "KEGLERNR") return std::to_string(pick(1, 60));
        if (n == "TERMIN") return std::to_string(pick(1, 40));
        if (n == "KEGLER") return std::to_string(pick(1, 30));
        if (n == "TYP") return std::to_string(pick(1, 15));
        return std::to_string(pick(1, 4));
    }

    // A pattern for the names: a prefix, a part anywhere, single-character wildcards,
    // in the names' case, in lower or in upper case.
    std::string likePattern()
    {
        const std::string name = kNames[pick(0, 9)];
        std::string p;
        switch (pick(0, 3)) {
        case 0: p = name.substr(0, 2) + "%"; break;
        case 1: p = "%" + name.substr(1, 2) + "%"; break;
        case 2: p = "_" + name.substr(1, 2) + "%"; break;
        default: p = "%" + name.substr(name.size() - 2) + (pick(0, 1) ? "" : "son"); break;
        }
        const int letterCase = pick(0, 2);
        for (char& ch : p) ch = letterCase == 1 ? static_cast<char>(std::tolower(static_cast<unsigned char>(ch)))
                                : letterCase == 2 ? static_cast<char>(std::toupper(static_cast<unsigned char>(ch)))
                                                  : ch;
        return p;
    }

    std::string column(int t, const Column& c) { return std::string(kTables[t].alias) + "." + c.name; }

    const Column& randomColumn(int t) { return kTables[t].columns[pick(0, static_cast<int>(kTables[t].columns.size()) - 1)]; }

    std::string predicate(const std::vector<int>& tables, int depth = 0)
    {
        const int t = tables[pick(0, static_cast<int>(tables.size()) - 1)];
        const Column& c = randomColumn(t);
        const std::string col = column(t, c);
        const int kind = pick(0, depth < 2 ? 9 : 6);
        static const char* const ops[] = {"=", "<>", "<", "<=", ">", ">="};
        switch (kind) {
        case 0: case 1: case 2: return col + " " + ops[pick(0, 5)] + " " + constantFor(c);
        case 3: return col + (pick(0, 1) ? " IS NULL" : " IS NOT NULL");
        case 4:
            if (c.type == 'L') return col + " = " + constantFor(c);
            return col + (pick(0, 2) ? " IN (" : " NOT IN (") + constantFor(c) + ", " + constantFor(c) + ")";
        case 5:
            if (c.type == 'C') return col + (pick(0, 1) ? " LIKE '" : " NOT LIKE '") + likePattern() + "'";
            if (c.type == 'L') return "NOT " + col;
            return col + " BETWEEN " + constantFor(c) + " AND " + constantFor(c);
        case 6: return col + " = " + constantFor(c);
        case 7: return "(" + predicate(tables, depth + 1) + " OR " + predicate(tables, depth + 1) + ")";
        case 8: return "NOT (" + predicate(tables, depth + 1) + ")";
        default: return "(" + predicate(tables, depth + 1) + " AND " + predicate(tables, depth + 1) + ")";
        }
    }

    // A connected set of tables with the join conditions between them.
    void joinTables(std::vector<int>& tables, std::vector<std::string>& joins)
    {
        tables = {pick(0, 5)};
        const int wanted = pick(1, 4);
        for (int tries = 0; tries < 30 && static_cast<int>(tables.size()) < wanted; ++tries) {
            const Edge& e = kEdges[pick(0, static_cast<int>(kEdges.size()) - 1)];
            const bool hasA = std::count(tables.begin(), tables.end(), e.a) > 0;
            const bool hasB = std::count(tables.begin(), tables.end(), e.b) > 0;
            if (hasA == hasB) continue;
            tables.push_back(hasA ? e.b : e.a);
            joins.push_back(std::string(kTables[e.a].alias) + "." + e.ca + " = " + kTables[e.b].alias + "." + e.cb);
        }
    }

    std::string generateQuery(bool& ordered)
    {
        std::vector<int> tables;
        std::vector<std::string> joins;
        joinTables(tables, joins);
        std::vector<std::string> conds = joins;
        // The shapes of the evaluation queries: a join condition inside an OR of conjunctions.
        if (!conds.empty() && pick(0, 3) == 0) {
            const std::string j = conds.back();
            conds.back() = "((" + j + " AND " + predicate(tables, 2) + ") OR (" + j + " AND " + predicate(tables, 2) + "))";
        }
        const int filters = pick(0, 3);
        for (int i = 0; i < filters; ++i) conds.push_back(predicate(tables));

        std::vector<std::string> outputs;
        std::string select;
        std::string tail;
        const int shape = pick(0, 2);
        if (shape == 0) { // grouped
            const int t = tables[pick(0, static_cast<int>(tables.size()) - 1)];
            const std::string key = column(t, randomColumn(t));
            const int u = tables[pick(0, static_cast<int>(tables.size()) - 1)];
            const Column& c = randomColumn(u);
            const std::string arg = column(u, c);
            const bool numeric = c.type == 'N';
            std::vector<std::string> aggs = {"COUNT(*)", "COUNT(" + arg + ")", "COUNT(DISTINCT " + arg + ")",
                                             "MIN(" + arg + ")", "MAX(" + arg + ")"};
            if (numeric) {
                aggs.push_back("SUM(" + arg + ")");
                aggs.push_back("AVG(" + arg + ")");
                aggs.push_back("SUM(DISTINCT " + arg + ")");
            }
            outputs.push_back(key);
            const int n = pick(1, 3);
            for (int i = 0; i < n; ++i) outputs.push_back(aggs[pick(0, static_cast<int>(aggs.size()) - 1)]);
            tail = " GROUP BY " + key;
            if (pick(0, 3) == 0) tail += " HAVING COUNT(*) > " + std::to_string(pick(1, 3));
        } else {
            const int n = pick(1, 3);
            for (int i = 0; i < n; ++i) {
                const int t = tables[pick(0, static_cast<int>(tables.size()) - 1)];
                outputs.push_back(column(t, randomColumn(t)));
            }
            if (shape == 1) select = "DISTINCT ";
        }
        for (size_t i = 0; i < outputs.size(); ++i) select += (i ? ", " : "") + outputs[i];

        std::string from;
        for (size_t i = 0; i < tables.size(); ++i)
            from += std::string(i ? ", " : "") + kTables[tables[i]].name + " " + kTables[tables[i]].alias;
        std::string where;
        for (size_t i = 0; i < conds.size(); ++i) where += (i ? " AND " : "") + conds[i];
        std::string sql = "SELECT " + select + " FROM " + from + (where.empty() ? "" : " WHERE " + where) + tail;
        ordered = pick(0, 1) == 1;
        if (ordered) {
            sql += " ORDER BY ";
            for (size_t i = 0; i < outputs.size(); ++i)
                sql += (i ? ", " : "") + std::to_string(i + 1) + (pick(0, 1) ? " DESC" : "");
        }
        return sql;
    }

    void compare(const std::string& sql, bool ordered)
    {
        std::vector<std::string> ours, theirs;
        try {
            auto t0 = std::chrono::steady_clock::now();
            ours = ourRows(sql);
            auto t1 = std::chrono::steady_clock::now();
            theirs = liteRows(sql);
            auto t2 = std::chrono::steady_clock::now();
            const double a = std::chrono::duration<double, std::milli>(t1 - t0).count();
            const double b = std::chrono::duration<double, std::milli>(t2 - t1).count();
            ourTime_ += a;
            liteTime_ += b;
        } catch (const std::exception& e) {
            ADD_FAILURE() << e.what() << "\n" << sql;
            return;
        }
        if (!ordered) {
            std::sort(ours.begin(), ours.end());
            std::sort(theirs.begin(), theirs.end());
        } else {
            // Rows equal in every output column may come in either order; they are
            // equal, so comparing the lists is still exact.
        }
        EXPECT_EQ(ours, theirs) << sql;
        rowsCompared_ += ours.size();
    }

    SqlFixture f_;
    sqlite3* lite_ = nullptr;
    std::mt19937 rng_{20010112};
    size_t rowsCompared_ = 0;
    double ourTime_ = 0;
    double liteTime_ = 0;
};

} // namespace

TEST_F(Differential, GeneratedSelectsGiveTheRowsSqliteGives)
{
    for (int i = 0; i < 400; ++i) {
        bool ordered = false;
        const std::string sql = generateQuery(ordered);
        SCOPED_TRACE(sql);
        compare(sql, ordered);
        if (HasFailure()) break;
    }
    EXPECT_GT(rowsCompared_, 2000u);
    std::printf("%zu rows compared; our engine %.0f ms, SQLite %.0f ms\n", rowsCompared_, ourTime_, liteTime_);
}

TEST_F(Differential, LeftJoinsAndJoinSyntax)
{
    const char* const statements[] = {
        "SELECT g.NUMMER, f.BEZEICHNUN FROM KEGLER g LEFT JOIN FUNKTION f ON f.NUMMER = g.FUNKTION ORDER BY 1",
        "SELECT f.BEZEICHNUN, COUNT(g.NUMMER) FROM FUNKTION f LEFT JOIN KEGLER g ON g.FUNKTION = f.NUMMER AND "
        "g.MITGLIED = TRUE GROUP BY f.BEZEICHNUN ORDER BY 1",
        "SELECT k.NUMMER, SUM(s.BETRAG) FROM KEGLTERM k LEFT JOIN SPIELKEG s ON s.KEGLERNR = k.NUMMER WHERE k.TERMIN < 5 "
        "GROUP BY k.NUMMER ORDER BY 1",
        "SELECT k.NUMMER FROM KEGLTERM k LEFT JOIN SPIELKEG s ON s.KEGLERNR = k.NUMMER WHERE s.NUMMER IS NULL ORDER BY 1",
        "SELECT t.NUMMER, k.KEGLER, g.NAME FROM TERMINE t JOIN KEGLTERM k ON k.TERMIN = t.NUMMER JOIN KEGLER g ON "
        "g.NUMMER = k.KEGLER WHERE t.NUMMER IN (3, 7) ORDER BY 1, 2, 3",
        "SELECT COUNT(*), COUNT(BETRAG), SUM(BETRAG), MIN(BETRAG), MAX(BETRAG) FROM SPIELKEG WHERE TERMIN = 999",
        "SELECT DISTINCT y.PREISLISTE, y.GUELTIG FROM SONSTYPE y ORDER BY 2 DESC, 1",
    };
    for (const char* sql : statements) compare(sql, true);
}

TEST_F(Differential, LikeIgnoresTheCaseOfLetters)
{
    exec("CREATE TABLE NAMEN (NUMMER NUMERIC, NAME TEXT)");
    const char* const names[] = {"Meier", "Meise", "Hameister", "MEIER", "meister", "Schneider", "SCHULZ",
                                 "Müller", "Strauß", "Mai_er", "100% Meier", "Öztürk", "x"};
    std::vector<Record> rows;
    for (int i = 0; i < static_cast<int>(std::size(names)); ++i) {
        rows.push_back({Value::number(i + 1), Value::text(names[i])});
        exec("INSERT INTO NAMEN VALUES (" + std::to_string(i + 1) + ", '" + names[i] + "')");
    }
    f_.table("NAMEN.DBF", {{"NUMMER", 'N', 10, 0}, {"NAME", 'C', 20, 0}}, rows);
    // SQLite folds ASCII letters only: an umlaut in a pattern has the case it has in
    // every name holding it (the folding of umlauts is tested with the dialect).
    const char* const patterns[] = {"%Mei%",   "%mei%",  "MEI%",    "sch%",     "%ER",   "m_ller",  "M_LLER",
                                    "%ü%",     "ÖZ%",    "%auß",    "STRAU_",   "%z%",   "_",       "%",
                                    "mai!_%",  "100!%%", "%!%%",    "%E_%",     "Ö%",    "%T_RK"};
    for (const char* p : patterns) {
        const std::string escape = std::string(p).find('!') != std::string::npos ? " ESCAPE '!'" : "";
        compare(std::string("SELECT NUMMER FROM NAMEN WHERE NAME LIKE '") + p + "'" + escape + " ORDER BY 1", true);
        compare(std::string("SELECT NUMMER FROM NAMEN WHERE NAME NOT LIKE '") + p + "'" + escape + " ORDER BY 1", true);
    }
}
