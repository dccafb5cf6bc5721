// Sessions, transactions and savepoints over the memory file system.
#include "storage_fixtures.h"

#include "engine/core/error.h"

#include <gtest/gtest.h>

using namespace trevo::engine;
using namespace trevo::engine::test;

namespace {

struct Folder {
    MemoryFileSystem mem;
    FaultFileSystem fs{mem};
    Storage storage{fs};
    Folder()
    {
        mem.putFile("/daten/X.DBF", "xxxxxxxxxx");
        mem.putFile("/daten/Y.DBF", "yyyyyyyyyy");
    }
    std::string onDisk(const std::string& name) const
    {
        const auto v = mem.contents("/daten/" + name);
        return {v.begin(), v.end()};
    }
};

struct Failure {};

} // namespace

TEST(Session, FailingStatementUndoesOnlyItself)
{
    Folder f;
    Session s(f.storage, "Terminsession1");
    auto x = f.storage.open("/daten/X.DBF");
    s.startTransaction();
    s.atomically([&] { put(*x, 0, "AA"); });
    EXPECT_THROW(s.atomically([&] {
        put(*x, 2, "BB");
        x->resize(4);
        put(*f.storage.create("/daten/NEU.DBF"), 0, "neu");
        f.storage.remove("/daten/Y.DBF");
        throw Failure();
    }),
                 Failure);
    EXPECT_EQ(textOf(*x), "AAxxxxxxxx");
    EXPECT_FALSE(f.storage.exists("/daten/NEU.DBF"));
    EXPECT_TRUE(f.storage.exists("/daten/Y.DBF"));
    EXPECT_TRUE(s.inTransaction());
    const int result = s.atomically([&] {
        put(*x, 9, "C");
        return 42;
    });
    EXPECT_EQ(result, 42);
    s.commit();
    EXPECT_EQ(f.onDisk("X.DBF"), "AAxxxxxxxC");
    EXPECT_EQ(f.onDisk("Y.DBF"), "yyyyyyyyyy");
    EXPECT_FALSE(f.mem.exists("/daten/NEU.DBF"));
}

TEST(Session, NestedSavepointsAndRestoreListeners)
{
    Folder f;
    auto x = f.storage.open("/daten/X.DBF");
    int restored = 0;
    x->onRestored([&] { ++restored; });
    Batch batch(f.storage, true);
    f.storage.setActiveBatch(&batch);
    const size_t sp1 = batch.savepoint();
    put(*x, 0, "1111");
    const size_t sp2 = batch.savepoint();
    put(*x, 2, "22222222222"); // grows the image
    x->resize(3);
    put(*x, 8, "3");
    EXPECT_EQ(textOf(*x), std::string("112\0\0\0\0\0" "3", 9));
    batch.rollbackTo(sp2);
    EXPECT_EQ(textOf(*x), "1111xxxxxx");
    EXPECT_EQ(restored, 1);
    put(*x, 5, "4");
    batch.rollbackTo(sp1);
    EXPECT_EQ(textOf(*x), "xxxxxxxxxx");
    EXPECT_EQ(restored, 2);
    put(*x, 0, "5");
    batch.rollback();
    EXPECT_EQ(textOf(*x), "xxxxxxxxxx");
    EXPECT_EQ(restored, 3);
    EXPECT_TRUE(batch.empty());
    f.storage.setActiveBatch(nullptr);
}

TEST(Session, OtherSessionsSeeUncommittedChanges)
{
    Folder f;
    Session evening(f.storage, "Terminsession1"), other(f.storage, "Default");
    auto x = f.storage.open("/daten/X.DBF");
    evening.startTransaction();
    evening.atomically([&] { put(*x, 0, "offen"); });
    // Another session opening the same file gets the same image, changes included.
    EXPECT_EQ(textOf(*f.storage.open("/daten/x.dbf")), "offenxxxxx");
    EXPECT_EQ(f.onDisk("X.DBF"), "xxxxxxxxxx");
    evening.rollback();
    EXPECT_EQ(textOf(*x), "xxxxxxxxxx");
}

TEST(Session, TransactionCoversOnlyItsOwnSession)
{
    Folder f;
    Session evening(f.storage, "Terminsession1"), other(f.storage, "Default");
    auto x = f.storage.open("/daten/X.DBF");
    auto y = f.storage.open("/daten/Y.DBF");
    evening.startTransaction();
    evening.atomically([&] { put(*x, 0, "T"); });
    other.atomically([&] { put(*y, 0, "D"); }); // durable at once
    EXPECT_EQ(f.onDisk("Y.DBF"), "Dyyyyyyyyy");
    evening.rollback();
    EXPECT_EQ(textOf(*x), "xxxxxxxxxx");
    EXPECT_EQ(textOf(*y), "Dyyyyyyyyy");
    EXPECT_EQ(f.onDisk("Y.DBF"), "Dyyyyyyyyy");
}

TEST(Session, ChangeOfAFileHeldByAnOpenTransactionJoinsIt)
{
    for (bool commit : {true, false}) {
        Folder f;
        Session evening(f.storage, "Terminsession1"), other(f.storage, "Default");
        auto x = f.storage.open("/daten/X.DBF");
        evening.startTransaction();
        evening.atomically([&] { put(*x, 0, "TT"); });
        // A single operation of another session on the same file, e.g. a DELETE by SQL:
        // its bytes cannot reach the disk without the transaction's, so they go with it.
        f.fs.resetCounters();
        other.atomically([&] { put(*x, 8, "DD"); });
        EXPECT_EQ(f.fs.writes(), 0u);
        EXPECT_EQ(f.onDisk("X.DBF"), "xxxxxxxxxx");
        if (commit) {
            evening.commit();
            EXPECT_EQ(f.onDisk("X.DBF"), "TTxxxxxxDD");
        } else {
            evening.rollback();
            EXPECT_EQ(textOf(*x), "xxxxxxxxxx");
            EXPECT_EQ(f.onDisk("X.DBF"), "xxxxxxxxxx");
        }
    }
}

TEST(Session, FailedOperationOfAnotherSessionOnAHeldFileLeavesTheTransaction)
{
    Folder f;
    Session evening(f.storage, "Terminsession1"), other(f.storage, "Default");
    auto x = f.storage.open("/daten/X.DBF");
    evening.startTransaction();
    evening.atomically([&] { put(*x, 0, "TT"); });
    EXPECT_THROW(other.atomically([&] {
        put(*x, 1, "DDDD");
        throw Failure();
    }),
                 Failure);
    EXPECT_EQ(textOf(*x), "TTxxxxxxxx");
    evening.commit();
    EXPECT_EQ(f.onDisk("X.DBF"), "TTxxxxxxxx");
}

TEST(Session, TwoTransactionsMayNotChangeTheSameFile)
{
    Folder f;
    Session evening(f.storage, "Terminsession1"), prices(f.storage, "SonstigeSession");
    auto x = f.storage.open("/daten/X.DBF");
    evening.startTransaction();
    prices.startTransaction();
    evening.atomically([&] { put(*x, 0, "T"); });
    EXPECT_THROW(prices.atomically([&] { put(*x, 5, "P"); }), EngineError);
    EXPECT_EQ(textOf(*x), "Txxxxxxxxx");
    prices.commit();
    evening.commit();
    EXPECT_EQ(f.onDisk("X.DBF"), "Txxxxxxxxx");
}

TEST(Session, MisuseIsReported)
{
    Folder f;
    auto x = f.storage.open("/daten/X.DBF");
    EXPECT_THROW(put(*x, 0, "a"), std::logic_error);
    Session s(f.storage, "S");
    EXPECT_THROW(s.commit(), EngineError);
    EXPECT_NO_THROW(s.rollback());
    s.startTransaction();
    EXPECT_THROW(s.startTransaction(), EngineError);
    EXPECT_THROW(s.atomically([&] { s.commit(); }), std::logic_error);
    EXPECT_TRUE(s.inTransaction());
    try {
        s.atomically([&] { f.storage.create("/daten/x.dbf"); });
        FAIL();
    } catch (const EngineError& e) {
        EXPECT_EQ(std::string(e.what()), "Datei '/daten/x.dbf' existiert bereits");
    }
    EXPECT_THROW(s.atomically([&] { f.storage.create("/fehlt/N.DBF"); }), EngineError);
    s.rollback();
    EXPECT_FALSE(s.inTransaction());
}

TEST(Session, EndingSessionRollsBackItsTransaction)
{
    Folder f;
    auto x = f.storage.open("/daten/X.DBF");
    {
        Session s(f.storage, "S");
        s.startTransaction();
        s.atomically([&] { put(*x, 0, "weg"); });
    }
    EXPECT_EQ(textOf(*x), "xxxxxxxxxx");
    EXPECT_EQ(f.onDisk("X.DBF"), "xxxxxxxxxx");
}

TEST(Session, NestedScopesFormOneOperation)
{
    Folder f;
    Session a(f.storage, "A"), b(f.storage, "B");
    auto x = f.storage.open("/daten/X.DBF");
    auto y = f.storage.open("/daten/Y.DBF");
    a.atomically([&] { put(*x, 0, "0"); }); // the folder's first commit
    f.fs.resetCounters();
    a.atomically([&] {
        put(*x, 0, "1");
        b.atomically([&] { put(*y, 0, "2"); });
    });
    EXPECT_EQ(f.fs.syncs(), 3u); // journal and two files
    EXPECT_EQ(f.onDisk("X.DBF"), "1xxxxxxxxx");
    EXPECT_EQ(f.onDisk("Y.DBF"), "2yyyyyyyyy");
    f.fs.resetCounters();
    EXPECT_THROW(a.atomically([&] {
        put(*x, 0, "3");
        b.atomically([&] { put(*y, 0, "4"); });
        throw Failure();
    }),
                 Failure);
    EXPECT_EQ(f.fs.points(), 0u);
    EXPECT_EQ(textOf(*x), "1xxxxxxxxx");
    EXPECT_EQ(textOf(*y), "2yyyyyyyyy");
}

TEST(Session, RemoveAndCreateAgainInOneTransaction)
{
    Folder f;
    Session s(f.storage, "S");
    s.startTransaction();
    s.atomically([&] { f.storage.remove("/daten/Y.DBF"); });
    EXPECT_FALSE(f.storage.exists("/daten/y.dbf"));
    EXPECT_THROW(f.storage.open("/daten/Y.DBF"), EngineError);
    s.atomically([&] { put(*f.storage.create("/daten/Y.DBF"), 0, "neu"); });
    s.atomically([&] { put(*f.storage.create("/daten/TMP.DBF"), 0, "kurz"); });
    s.atomically([&] { f.storage.remove("/daten/TMP.DBF"); });
    s.commit();
    EXPECT_EQ(f.onDisk("Y.DBF"), "neu");
    EXPECT_FALSE(f.mem.exists("/daten/TMP.DBF"));
}

TEST(Session, RollbackUndoesCreationAndRemoval)
{
    Folder f;
    Session s(f.storage, "S");
    auto y = f.storage.open("/daten/Y.DBF");
    s.startTransaction();
    std::shared_ptr<FileImage> created;
    s.atomically([&] {
        created = f.storage.create("/daten/NEU.DBF");
        put(*created, 0, "neu");
        f.storage.remove("/daten/Y.DBF");
    });
    s.rollback();
    EXPECT_FALSE(f.storage.exists("/daten/NEU.DBF"));
    EXPECT_THROW(f.storage.open("/daten/NEU.DBF"), EngineError);
    EXPECT_THROW(s.atomically([&] { put(*created, 0, "x"); }), EngineError); // a table left on it fails
    EXPECT_TRUE(f.storage.exists("/daten/Y.DBF"));
    EXPECT_EQ(f.storage.open("/daten/Y.DBF").get(), y.get());
    s.atomically([&] { put(*y, 0, "Y"); });
    EXPECT_EQ(f.onDisk("Y.DBF"), "Yyyyyyyyyy");
    EXPECT_FALSE(f.mem.exists("/daten/NEU.DBF"));
}
