// A simulated power loss at every write and sync point of a commit, followed by
// recovery through a new storage: every file is exactly as before or as after.
#include "storage_fixtures.h"

#include "core/error.h"

#include <gtest/gtest.h>

using namespace trevo::engine;
using namespace trevo::engine::test;

namespace {

const CrashMode allModes[] = {CrashMode::DropUnsynced, CrashMode::TornWrite, CrashMode::KeepUnsynced};

// Runs the steps one after another with a crash at every point. A crash after step i
// returned must leave exactly the state after step i or after step i+1.
void checkEveryCrashPoint(const FileState& before, const std::vector<Change>& steps, const std::string& dir)
{
    std::vector<FileState> states = {before};
    std::vector<uint64_t> doneAt; // points passed when each step returned
    {
        MemoryFileSystem mem;
        putState(mem, before);
        FaultFileSystem fs(mem);
        Storage storage(fs);
        Session session(storage, "Terminsession1");
        for (const Change& step : steps) {
            step(storage, session);
            doneAt.push_back(fs.points());
            FileState now = stateOf(mem);
            ASSERT_NE(now, states.back()) << "a step that changes nothing proves nothing";
            states.push_back(now);
        }
    }
    const uint64_t total = doneAt.back() + 1; // the storage's clean-up at the end is a point too
    for (CrashMode mode : allModes) {
        std::set<FileState> seen;
        for (uint64_t k = 1; k <= total; ++k) {
            MemoryFileSystem mem;
            putState(mem, before);
            FaultFileSystem fs(mem);
            fs.crashAt(k, mode);
            try {
                Storage storage(fs);
                Session session(storage, "Terminsession1");
                for (const Change& step : steps) step(storage, session);
            } catch (const SimulatedCrash&) {
            }
            size_t done = 0;
            while (done < doneAt.size() && doneAt[done] < k) ++done;
            const auto allowed = [&](const FileState& state) {
                return state == states[done] || (done + 1 < states.size() && state == states[done + 1]);
            };
            FaultFileSystem again(mem);
            const FileState state = recovered(again, mem, dir);
            ASSERT_TRUE(allowed(state)) << "crash at point " << k << " of " << total << " after " << done
                                        << " steps, mode " << static_cast<int>(mode);
            // The journal is cold now: opening the folder once more changes nothing.
            EXPECT_TRUE(recovered(mem, dir) == state);
            seen.insert(state);
            // A second power loss while the journal is rolled back changes nothing either.
            for (uint64_t j = 1; j <= again.points(); ++j) {
                MemoryFileSystem mem2;
                putState(mem2, before);
                FaultFileSystem fs2(mem2);
                fs2.crashAt(k, mode);
                try {
                    Storage storage(fs2);
                    Session session(storage, "Terminsession1");
                    for (const Change& step : steps) step(storage, session);
                } catch (const SimulatedCrash&) {
                }
                FaultFileSystem during(mem2);
                during.crashAt(j, mode);
                try {
                    recovered(during, mem2, dir);
                } catch (const SimulatedCrash&) {
                }
                ASSERT_TRUE(allowed(recovered(mem2, dir)))
                    << "crash at point " << k << ", then at point " << j << " of the recovery";
            }
        }
        EXPECT_EQ(seen.size(), states.size());
    }
}

} // namespace

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

TEST(StorageCrash, CommitCostsThreeSyncsAndNothingInsideATransaction)
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
    EXPECT_EQ(fs.syncs(), 3u); // journal, file, journal marked cold

    fs.resetCounters();
    session.startTransaction();
    for (int i = 0; i < 1000; ++i) session.atomically([&] { put(*a, 10000 + 10 * i, "0123456789"); });
    EXPECT_EQ(fs.points(), 0u);
    session.commit();
    EXPECT_EQ(fs.syncs(), 3u);
    EXPECT_EQ(stateOf(mem).at("/daten/TERMINE.DBF").size(), 20000u);
}
