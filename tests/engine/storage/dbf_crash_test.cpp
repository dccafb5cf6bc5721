// The crash tests once more over real dBASE tables with a memo file: appends, changes
// and deletions, in one transaction and as single posts.
#include "storage_fixtures.h"

#include "engine/core/error.h"
#include "engine/dbf/dbf_table.h"

#include <gtest/gtest.h>

using namespace trevo::engine;
using namespace trevo::engine::test;

namespace {

const std::string termine = "/daten/TERMINE.DBF", keglterm = "/daten/KEGLTERM.DBF", spielkeg = "/daten/SPIELKEG.DBF";

Record evening(int nummer, const std::string& note)
{
    return {Value::number(nummer), Value::date(45000 + nummer), Value::text(note)};
}

Record participant(int nummer, int kegler) { return {Value::number(nummer), Value::number(kegler), Value::number(1)}; }

Record amount(int nummer, double betrag) { return {Value::number(nummer), Value::number(betrag)}; }

FileState eveningTables()
{
    MemoryFileSystem mem;
    mem.makeDirectory("/daten");
    {
        Storage storage(mem);
        Session session(storage, "Default");
        session.atomically([&] {
            auto t = DbfTable::create(storage, termine,
                                      {{"NUMMER", 'N', 6, 0}, {"DATUM", 'D', 8, 0}, {"BEMERKUNG", 'M', 10, 0}});
            auto k = DbfTable::create(storage, keglterm,
                                      {{"NUMMER", 'N', 6, 0}, {"KEGLER", 'N', 6, 0}, {"ABSCHNITT", 'N', 2, 0}});
            auto s = DbfTable::create(storage, spielkeg, {{"NUMMER", 'N', 6, 0}, {"BETRAG", 'N', 8, 2}});
            for (int i = 1; i <= 3; ++i) t->append(evening(i, "Abend " + std::to_string(i)));
            for (int i = 1; i <= 20; ++i) k->append(participant(i, i % 7));
            for (int i = 1; i <= 60; ++i) s->append(amount(i, i * 0.5));
        });
    }
    return stateOf(mem);
}

void eveningTransaction(Storage& storage, Session& session)
{
    auto t = DbfTable::open(storage, termine);
    auto k = DbfTable::open(storage, keglterm);
    auto s = DbfTable::open(storage, spielkeg);
    session.startTransaction();
    session.atomically([&] { t->append(evening(4, std::string(1500, 'M'))); }); // a memo of several blocks
    session.atomically([&] {
        k->append(participant(21, 3));
        k->put(5, participant(6, 99));
    });
    session.atomically([&] {
        s->setDeleted(10, true);
        s->put(11, amount(12, 123.45));
        for (int i = 61; i <= 70; ++i) s->append(amount(i, 1.0));
    });
    session.commit();
}

} // namespace

TEST(DbfCrash, EveningTransactionOverThreeTablesAtEveryPoint)
{
    const FileState before = eveningTables();
    ASSERT_TRUE(before.count("/daten/TERMINE.DBT"));
    checkEveryCrashPoint(before, {eveningTransaction}, "/daten");

    // The after state is what the tables say it is.
    MemoryFileSystem mem;
    putState(mem, runClean(before, eveningTransaction).after);
    Storage storage(mem);
    auto t = DbfTable::open(storage, termine);
    auto s = DbfTable::open(storage, spielkeg);
    EXPECT_TRUE(t->faults().empty());
    EXPECT_EQ(t->recordCount(), 4u);
    EXPECT_EQ(t->get(3, 2).toText(), std::string(1500, 'M'));
    EXPECT_EQ(s->recordCount(), 70u);
    EXPECT_TRUE(s->isDeleted(10));
}

TEST(DbfCrash, SinglePostsAtEveryPoint)
{
    const FileState before = eveningTables();
    const std::vector<Change> posts = {
        [](Storage& storage, Session& session) {
            auto t = DbfTable::open(storage, termine);
            session.atomically([&] { t->append(evening(4, "neu")); });
        },
        [](Storage& storage, Session& session) {
            auto t = DbfTable::open(storage, termine);
            session.atomically([&] { t->put(0, evening(1, std::string(700, 'x'))); });
        },
        [](Storage& storage, Session& session) {
            auto s = DbfTable::open(storage, spielkeg);
            session.atomically([&] { s->setDeleted(0, true); });
        },
    };
    checkEveryCrashPoint(before, posts, "/daten");
}

TEST(DbfCrash, FailedPostOnFullDiskLeavesTheTableAsBefore)
{
    const FileState before = eveningTables();
    int failures = 0;
    for (uint64_t k = 1; k <= 20; ++k) {
        MemoryFileSystem mem;
        putState(mem, before);
        FaultFileSystem fs(mem);
        Storage storage(fs);
        Session session(storage, "Default");
        auto t = DbfTable::open(storage, termine);
        fs.failAt(PointKind::Write, k);
        bool failed = false;
        try {
            session.atomically([&] { t->append(evening(4, std::string(2000, 'y'))); });
        } catch (const IoError&) {
            failed = true;
        }
        if (!failed) break; // the post needs fewer write points
        ++failures;
        EXPECT_EQ(t->recordCount(), 3u) << k; // the table re-read its restored files
        EXPECT_TRUE(stateOf(mem) == before) << k << ": " << differences(stateOf(mem), before);
        session.atomically([&] { t->append(evening(4, "zweiter Versuch")); });
        EXPECT_EQ(t->recordCount(), 4u);
        EXPECT_EQ(t->get(3, 2).toText(), "zweiter Versuch");
    }
    EXPECT_GE(failures, 5); // journal, table, memo file, their sizes, the cold mark
}
