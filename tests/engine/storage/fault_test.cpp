// A full disk or a failing flush at every write and sync point of a commit before its commit
// point: the error is reported, the files and the images stay as before, and the change can be
// repeated. After the commit point (the journal's cold mark) the change is done.
#include "storage_fixtures.h"

#include "engine/core/error.h"

#include <gtest/gtest.h>

using namespace trevo::engine;
using namespace trevo::engine::test;

namespace {

const std::vector<std::string> scenarioFiles = {"/daten/TERMINE.DBF", "/daten/KEGLTERM.DBT",
                                                "/daten/SPIELKEG.DBF", "/daten/ANDERE.DBF"};

// The three-file transaction of the crash tests, with a new file besides.
void createAndChange(Storage& storage, Session& session)
{
    auto a = storage.open("/daten/TERMINE.DBF");
    auto b = storage.open("/daten/KEGLTERM.DBT");
    auto c = storage.open("/daten/SPIELKEG.DBF");
    session.startTransaction();
    session.atomically([&] { put(*storage.create("/daten/NEU.DBF"), 0, std::string(5000, 'n')); });
    session.atomically([&] {
        put(*a, 100, "Erster Abend");
        put(*a, 5000, "zweite Seite");
    });
    session.atomically([&] { put(*b, 3000, std::string(6000, 'B')); });
    session.atomically([&] { c->resize(40); });
    session.commit();
}

// Counts the points of the change alone (not the storage's clean-up afterwards).
uint64_t pointsOf(PointKind kind, const Change& change)
{
    MemoryFileSystem mem;
    putState(mem, threeFiles());
    FaultFileSystem fs(mem);
    Storage storage(fs);
    Session session(storage, "S");
    // The files are open before, as in the runs below (opening sets up the folder's lock file).
    std::vector<std::shared_ptr<FileImage>> held;
    for (const std::string& path : scenarioFiles) held.push_back(storage.open(path));
    fs.resetCounters();
    change(storage, session);
    return kind == PointKind::Write ? fs.writes() : fs.syncs();
}

void checkFailureAtEveryPoint(PointKind kind, bool sticky)
{
    const FileState before = threeFiles();
    const FileState after = runClean(before, createAndChange).after;
    const uint64_t n = pointsOf(kind, createAndChange);
    ASSERT_GT(n, 3u);
    for (uint64_t k = 1; k <= n; ++k) {
        MemoryFileSystem mem;
        putState(mem, before);
        FaultFileSystem fs(mem);
        Storage storage(fs);
        Session session(storage, "Terminsession1");
        int restored = 0;
        std::vector<std::shared_ptr<FileImage>> held; // as open tables hold their files
        for (const std::string& path : scenarioFiles) held.push_back(storage.open(path));
        held[0]->onRestored([&] { ++restored; });
        fs.failAt(kind, k, sticky);
        if (kind == PointKind::Write && k == n) {
            // The cold mark comes after the commit point: the change is done, and stays so.
            EXPECT_NO_THROW(createAndChange(storage, session));
            EXPECT_EQ(restored, 0);
            fs.reset();
            const FileState state = recovered(mem, "/daten");
            EXPECT_TRUE(state == after) << differences(state, after);
            continue;
        }
        EXPECT_THROW(createAndChange(storage, session), IoError) << "point " << k;
        EXPECT_FALSE(session.inTransaction());
        EXPECT_NO_THROW(session.rollback()); // harmless after the failed commit
        EXPECT_LE(restored, 1); // none when taking the folder's lock failed before any change
        for (size_t i = 0; i < scenarioFiles.size(); ++i)
            ASSERT_EQ(textOf(*held[i]), before.at(scenarioFiles[i])) << scenarioFiles[i] << ", point " << k;
        fs.reset();
        EXPECT_FALSE(storage.exists("/daten/NEU.DBF"));
        if (!sticky) {
            // The files were put back at once, and the same storage can repeat the change.
            ASSERT_TRUE(stateOf(mem) == before) << "point " << k << ": " << differences(stateOf(mem), before);
            createAndChange(storage, session);
            EXPECT_TRUE(stateOf(mem) == after) << differences(stateOf(mem), after);
        } else {
            // With the disk failing for good the journal puts things right when the folder is opened again.
            const FileState state = recovered(mem, "/daten");
            EXPECT_TRUE(state == before) << "point " << k << ": " << differences(state, before);
        }
    }
}

} // namespace

TEST(StorageFault, FullDiskAtEveryWritePoint) { checkFailureAtEveryPoint(PointKind::Write, false); }
TEST(StorageFault, DiskFullForGoodFromEveryWritePoint) { checkFailureAtEveryPoint(PointKind::Write, true); }
TEST(StorageFault, FailingFlushAtEverySyncPoint) { checkFailureAtEveryPoint(PointKind::Sync, false); }
TEST(StorageFault, FlushFailingForGoodFromEverySyncPoint) { checkFailureAtEveryPoint(PointKind::Sync, true); }

TEST(StorageFault, FailedSingleOperationLeavesEarlierOperationsAndReportsTheFile)
{
    MemoryFileSystem mem;
    putState(mem, threeFiles());
    FaultFileSystem fs(mem);
    Storage storage(fs);
    Session session(storage, "Default");
    auto a = storage.open("/daten/TERMINE.DBF");
    auto c = storage.open("/daten/SPIELKEG.DBF");
    session.atomically([&] { put(*a, 0, "gespeichert"); });
    const FileState afterFirst = stateOf(mem);
    fs.failAt(PointKind::Write, 3); // the lock file's counter and the journal are written, the first file write fails
    try {
        session.atomically([&] {
            put(*a, 0, "verloren");
            put(*c, 0, "verloren");
        });
        FAIL();
    } catch (const IoError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Datei '/daten/TERMINE.DBF' konnte nicht geschrieben werden: Kein Speicherplatz auf dem Datenträger");
    }
    EXPECT_TRUE(stateOf(mem) == afterFirst);
    EXPECT_EQ(textOf(*a).substr(0, 11), "gespeichert");
    EXPECT_EQ(textOf(*c), std::string(100, 'c'));
}

TEST(StorageFault, FolderWithUnrecoverableJournalRefusesFurtherCommits)
{
    MemoryFileSystem mem;
    putState(mem, threeFiles());
    FaultFileSystem fs(mem);
    Storage storage(fs);
    Session session(storage, "Default");
    auto a = storage.open("/daten/TERMINE.DBF");
    session.atomically([&] { put(*a, 0, "1"); });
    fs.resetCounters();
    fs.failAt(PointKind::Write, 3, true); // counter and journal written; files and every repair fail
    EXPECT_THROW(session.atomically([&] { put(*a, 0, "2"); }), IoError);
    // The change could not be taken back: the folder refuses every further change, even once
    // the disk works again, until it is opened anew, and the session shows the state before.
    EXPECT_THROW(session.atomically([&] { put(*a, 0, "3"); }), IoError);
    EXPECT_EQ(textOf(*a)[0], '1');
    fs.reset();
    try {
        session.atomically([&] { put(*a, 0, "4"); });
        FAIL();
    } catch (const IoError& e) {
        EXPECT_NE(std::string(e.what()).find("neu geöffnet"), std::string::npos) << e.what();
    }
    EXPECT_EQ(textOf(*a)[0], '1');
    Storage reopened(fs);
    Session again(reopened, "Default");
    auto b = reopened.open("/daten/TERMINE.DBF");
    EXPECT_EQ(textOf(*b)[0], '1');
    again.atomically([&] { put(*b, 0, "5"); });
    EXPECT_EQ(stateOf(mem).at("/daten/TERMINE.DBF")[0], '5');
}
