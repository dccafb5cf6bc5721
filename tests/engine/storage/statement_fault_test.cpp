// SQL statements and a three-table transaction inside one long-running session, with a
// failing write, flush or removal at every point of the statement, once or for good. Each
// statement is either reported done and present in the session and in the files, or reported
// failed and absent from both; the session goes on: its next change succeeds or, when the
// failed change could not be taken back, is refused in German until the folder is opened again.
#include "storage_fixtures.h"

#include "engine/core/error.h"
#include "engine/database.h"
#include "engine/sql/sql.h"

#include <gtest/gtest.h>

using namespace trevo::engine;
using namespace trevo::engine::test;

namespace {

const std::string folder = "/daten/";

// Every row of the three tables, sorted, as one text.
std::string dump(Database& db)
{
    std::string out;
    for (const char* table : {"KEGLTERM", "KONTO", "TERMINE"}) {
        const auto r = sql::execute(db, db.session(), std::string("SELECT * FROM ") + table + " ORDER BY NUMMER", folder);
        out += table;
        out += ":\n";
        for (const auto& row : r.rows) {
            for (const auto& v : row) out += v.toText() + "|";
            out += "\n";
        }
    }
    return out;
}

void run(Database& db, const std::string& text) { sql::execute(db, db.session(), text, folder); }

FileState baseState()
{
    MemoryFileSystem mem;
    mem.makeDirectory("/daten");
    {
        Database db(mem);
        db.session().atomically([&] {
            auto k = db.createTable(folder + "KEGLTERM.DBF", {{"NUMMER", 'N', 6, 0}, {"ABSCHNITT", 'N', 4, 0},
                                                              {"NAME", 'C', 30, 0}, {"BEMERK", 'M', 10, 0}});
            for (int i = 1; i <= 300; ++i)
                k->append({Value::number(i), Value::number(i % 7), Value::text("Kegler " + std::to_string(i)),
                           i % 3 ? Value::null() : Value::text("Bemerkung " + std::string(i % 40, 'x'))});
            auto konto = db.createTable(folder + "KONTO.DBF",
                                        {{"NUMMER", 'N', 6, 0}, {"BETRAG", 'N', 10, 2}, {"TEXT", 'M', 10, 0}});
            for (int i = 1; i <= 50; ++i)
                konto->append({Value::number(i), Value::number(i * 1.5), Value::text("Buchung " + std::to_string(i))});
            auto termine = db.createTable(folder + "TERMINE.DBF", {{"NUMMER", 'N', 6, 0}, {"DATUM", 'D', 8, 0}});
            for (int i = 1; i <= 20; ++i) termine->append({Value::number(i), Value::date(45000 + 7 * i)});
        });
    }
    return stateOf(mem);
}

using Statement = std::function<void(Database&)>;

const std::vector<std::pair<std::string, Statement>> statements = {
    {"UPDATE", [](Database& db) { run(db, "UPDATE KEGLTERM SET ABSCHNITT = ABSCHNITT + 100"); }},
    {"INSERT mit Memo",
     [](Database& db) { run(db, "INSERT INTO KONTO (NUMMER, BETRAG, TEXT) VALUES (51, 12.5, 'Neue Buchung mit Text')"); }},
    {"DELETE", [](Database& db) { run(db, "DELETE FROM KEGLTERM WHERE ABSCHNITT = 3"); }},
    {"Transaktion über drei Tabellen",
     [](Database& db) {
         Session& s = db.session();
         s.startTransaction();
         try {
             run(db, "INSERT INTO TERMINE (NUMMER, DATUM) VALUES (21, '01.02.2024')");
             run(db, "UPDATE KONTO SET BETRAG = BETRAG * 2, TEXT = 'geändert' WHERE NUMMER < 30");
             run(db, "DELETE FROM KEGLTERM WHERE NUMMER > 250");
         } catch (...) {
             s.rollback();
             throw;
         }
         s.commit();
     }},
};

const std::string marker = "INSERT INTO TERMINE (NUMMER, DATUM) VALUES (999, '24.12.2024')";

struct Expected {
    std::string before, after, beforeAndMarker, afterAndMarker;
    uint64_t writes = 0, syncs = 0;
};

Expected reference(const FileState& base, const Statement& statement)
{
    Expected e;
    {
        MemoryFileSystem mem;
        putState(mem, base);
        Database db(mem);
        run(db, marker);
        e.beforeAndMarker = dump(db);
    }
    MemoryFileSystem mem;
    putState(mem, base);
    FaultFileSystem fs(mem);
    Database db(fs);
    e.before = dump(db);
    fs.resetCounters();
    statement(db);
    e.writes = fs.writes();
    e.syncs = fs.syncs();
    e.after = dump(db);
    run(db, marker);
    e.afterAndMarker = dump(db);
    return e;
}

void sweep(PointKind kind, bool sticky, bool partly = true)
{
    const FileState base = baseState();
    for (const auto& [name, statement] : statements) {
        const Expected e = reference(base, statement);
        ASSERT_NE(e.before, e.after) << name;
        const uint64_t points = kind == PointKind::Write ? e.writes : e.syncs;
        ASSERT_GE(points, 3u) << name;
        int failed = 0, refusedAfterwards = 0;
        for (uint64_t k = 1; k <= points; ++k) {
            const std::string where = name + ", Punkt " + std::to_string(k);
            MemoryFileSystem mem;
            putState(mem, base);
            FaultFileSystem fs(mem);
            bool done = true, markerDone = true;
            {
                Database db(fs);
                ASSERT_EQ(dump(db), e.before) << where;
                fs.resetCounters();
                fs.failAt(kind, k, sticky, partly);
                try {
                    statement(db);
                } catch (const IoError&) {
                    done = false;
                    ++failed;
                }
                fs.reset();
                // The session itself shows what it reported, at once.
                ASSERT_EQ(dump(db), done ? e.after : e.before) << where;
                try {
                    run(db, marker);
                } catch (const IoError& err) {
                    markerDone = false;
                    ++refusedAfterwards;
                    EXPECT_NE(std::string(err.what()).find("neu geöffnet"), std::string::npos) << where << ": " << err.what();
                    // Refused for good, not only once.
                    EXPECT_THROW(run(db, marker), IoError) << where;
                    ASSERT_EQ(dump(db), done ? e.after : e.before) << where;
                }
                if (markerDone) ASSERT_EQ(dump(db), done ? e.afterAndMarker : e.beforeAndMarker) << where;
            }
            // The files, once the folder is opened again.
            Database reopened(fs);
            const std::string expected = done ? (markerDone ? e.afterAndMarker : e.after)
                                              : (markerDone ? e.beforeAndMarker : e.before);
            ASSERT_EQ(dump(reopened), expected) << where;
        }
        EXPECT_GT(failed, 0) << name;
        // A passing fault is always taken back at once; only a lasting one may leave the folder refused.
        if (!sticky) EXPECT_EQ(refusedAfterwards, 0) << name;
    }
}

} // namespace

TEST(StatementFault, PassingWriteErrorAtEveryPointOfEveryStatement) { sweep(PointKind::Write, false); }
TEST(StatementFault, LastingWriteErrorFromEveryPointOfEveryStatement) { sweep(PointKind::Write, true); }
// Writes failing with an I/O error before they store anything.
TEST(StatementFault, PassingIoErrorAtEveryPointOfEveryStatement) { sweep(PointKind::Write, false, false); }
TEST(StatementFault, LastingIoErrorFromEveryPointOfEveryStatement) { sweep(PointKind::Write, true, false); }
TEST(StatementFault, PassingFlushErrorAtEveryPointOfEveryStatement) { sweep(PointKind::Sync, false); }
TEST(StatementFault, LastingFlushErrorFromEveryPointOfEveryStatement) { sweep(PointKind::Sync, true); }
