// A simulated power loss at every write and sync point of a commit, followed by
// recovery through a new storage: every file is exactly as before or as after.
#include "storage_fixtures.h"

#include "engine/core/error.h"

#include <gtest/gtest.h>

using namespace trevo::engine;
using namespace trevo::engine::test;

TEST(StorageCrash, TransactionOverThreeFilesAtEveryPoint)
{
    const FileState before = threeFiles();
    const Reference ref = runClean(before, transactionOverThreeFiles);
    EXPECT_NE(ref.after, before);
    EXPECT_EQ(ref.after.at("/daten/SPIELKEG.DBF"), std::string(38, 'c') + "xyz");
    EXPECT_EQ(ref.after.at("/daten/KEGLTERM.DBT").size(), 9000u);
    checkEveryCrashPoint(before, {transactionOverThreeFiles}, "/daten");
}

TEST(StorageCrash, CreatedAndRemovedFilesAtEveryPoint)
{
    FileState before = threeFiles();
    before["/daten/ALT.TMP"] = std::string(5000, 'o');
    const Change change = [](Storage& storage, Session& session) {
        session.startTransaction();
        session.atomically([&] {
            auto n = storage.create("/daten/NEU.DBF");
            put(*n, 0, std::string(7000, 'n'));
        });
        session.atomically([&] { storage.remove("/daten/alt.tmp"); });
        session.atomically([&] { put(*storage.open("/daten/TERMINE.DBF"), 0, "Kopf"); });
        session.commit();
    };
    const Reference ref = runClean(before, change);
    EXPECT_TRUE(ref.after.count("/daten/NEU.DBF"));
    EXPECT_FALSE(ref.after.count("/daten/ALT.TMP"));
    checkEveryCrashPoint(before, {change}, "/daten");
}

TEST(StorageCrash, SingleOperationsAtEveryPoint)
{
    const FileState before = threeFiles();
    // Three operations outside a transaction: each one is durable on its own.
    const std::vector<Change> steps = {
        [](Storage& storage, Session& session) {
            auto a = storage.open("/daten/TERMINE.DBF");
            session.atomically([&] {
                put(*a, 0, "eins");
                put(*a, 8000, "eins");
            });
        },
        [](Storage& storage, Session& session) {
            auto b = storage.open("/daten/KEGLTERM.DBT");
            auto c = storage.open("/daten/SPIELKEG.DBF");
            session.atomically([&] {
                put(*b, 2990, std::string(100, '2'));
                c->resize(0);
            });
        },
        [](Storage& storage, Session& session) {
            session.atomically([&] { put(*storage.create("/daten/DREI.DBF"), 0, "drei"); });
        },
    };
    checkEveryCrashPoint(before, steps, "/daten");
}

TEST(StorageCrash, CommitCostsTwoSyncsAndNothingInsideATransaction)
{
    const FileState before = threeFiles();
    MemoryFileSystem mem;
    putState(mem, before);
    FaultFileSystem fs(mem);
    Storage storage(fs);
    Session session(storage, "S");
    auto a = storage.open("/daten/TERMINE.DBF");
    session.atomically([&] { put(*a, 0, "x"); }); // the first commit also flushes the folder entry
    fs.resetCounters();
    session.atomically([&] { put(*a, 1, "y"); });
    EXPECT_EQ(fs.syncs(), 2u); // journal, file; the cold mark needs no flush

    fs.resetCounters();
    session.startTransaction();
    for (int i = 0; i < 1000; ++i) session.atomically([&] { put(*a, 10000 + 10 * i, "0123456789"); });
    EXPECT_EQ(fs.points(), 0u);
    session.commit();
    EXPECT_EQ(fs.syncs(), 2u);
    EXPECT_EQ(stateOf(mem).at("/daten/TERMINE.DBF").size(), 20000u);
}

TEST(StorageCrash, OpeningAFileOfTheFolderRollsBackItsJournal)
{
    const FileState before = threeFiles();
    MemoryFileSystem mem;
    putState(mem, before);
    FaultFileSystem fs(mem);
    try {
        Storage storage(fs);
        Session session(storage, "Terminsession1");
        auto a = storage.open("/daten/TERMINE.DBF");
        auto c = storage.open("/daten/SPIELKEG.DBF");
        session.startTransaction();
        session.atomically([&] {
            put(*a, 0, "neu");
            c->resize(10);
            put(*storage.create("/daten/NEU.DBF"), 0, "neu");
        });
        fs.crashAt(7, CrashMode::KeepUnsynced); // inside the file writes
        session.commit();
        FAIL();
    } catch (const SimulatedCrash&) {
    }
    ASSERT_FALSE(stateOf(mem) == before); // the crash left the files half changed
    Storage storage(mem);
    EXPECT_FALSE(storage.exists("/daten/NEU.DBF")); // asking already rolls back
    EXPECT_EQ(textOf(*storage.open("/daten/SPIELKEG.DBF")), before.at("/daten/SPIELKEG.DBF"));
    EXPECT_TRUE(stateOf(mem) == before) << differences(stateOf(mem), before);
}
