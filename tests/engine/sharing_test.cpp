// Programs sharing a data folder, as separate processes: one writer at a time under the
// folder's lock, every program sees the others' commits, a held folder is refused naming its
// holder, a crashed holder's folder is taken over.
#include "storage/temp_folder.h"

#include "engine/core/error.h"
#include "engine/database.h"
#include "engine/storage/folder_lock.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace trevo::engine;
using trevo::engine::test::TempFolder;

namespace {

const std::vector<FieldDef> kontoFields = {{"NUMMER", 'N', 8, 0}, {"NAME", 'C', 20, 0}, {"TEXT", 'M', 10, 0}};

std::string makeKonto(const TempFolder& folder)
{
    const std::string path = folder.file("KONTO.DBF");
    Database db;
    db.session().atomically([&] { db.createTable(path, kontoFields); });
    return path;
}

std::string memoOf(int n) { return "Bemerkung zu Buchung " + std::to_string(n) + std::string(n % 50, '.'); }

Record booking(int n) { return {Value::number(n), Value::text("B" + std::to_string(n)), Value::text(memoOf(n))}; }

// Runs f in a child process; its result is the exit code (99: an exception).
pid_t child(const std::function<int()>& f)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        int code = 99;
        try {
            code = f();
        } catch (const std::exception& e) {
            std::fprintf(stderr, "Kindprozess: %s\n", e.what());
        }
        ::_exit(code);
    }
    return pid;
}

int exitCode(pid_t pid)
{
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// A one-byte message between processes.
struct Channel {
    int fd[2];
    Channel() { EXPECT_EQ(::pipe(fd), 0); }
    ~Channel()
    {
        ::close(fd[0]);
        ::close(fd[1]);
    }
    void send() { EXPECT_EQ(::write(fd[1], "x", 1), 1); }
    bool receive()
    {
        char c;
        return ::read(fd[0], &c, 1) == 1;
    }
};

// Every live booking by number, each checked against its name and memo.
std::set<int> bookings(const std::string& path)
{
    Database db;
    auto t = db.table(path);
    EXPECT_FALSE(t->readOnly());
    std::set<int> numbers;
    for (uint32_t r = 0; r < t->recordCount(); ++r) {
        if (t->isDeleted(r)) continue;
        const Record rec = t->getRecord(r);
        const int n = static_cast<int>(rec[0].number());
        EXPECT_TRUE(numbers.insert(n).second) << "Nummer " << n << " doppelt";
        EXPECT_EQ(rec[1].text(), "B" + std::to_string(n));
        EXPECT_EQ(rec[2].text(), memoOf(n)) << "Memo der Buchung " << n;
    }
    return numbers;
}

TEST(Sharing, TwoProgramsAppendingAtOnceKeepEveryRowAndMemo)
{
    TempFolder folder;
    const std::string path = makeKonto(folder);
    auto writer = [&](int base) {
        return [&, base] {
            Database db;
            auto t = db.table(path);
            for (int i = 0; i < 200; ++i) db.session().atomically([&] { t->append(booking(base + i)); });
            return 0;
        };
    };
    const pid_t a = child(writer(1000)), b = child(writer(2000));
    EXPECT_EQ(exitCode(a), 0);
    EXPECT_EQ(exitCode(b), 0);
    const std::set<int> numbers = bookings(path);
    EXPECT_EQ(numbers.size(), 400u);
    EXPECT_TRUE(numbers.count(1199) && numbers.count(2199) && numbers.count(1000) && numbers.count(2000));
}

// Two programs that hold the table in memory take strict turns; each sees the other's rows
// before it writes, through the change counter, and none is lost.
TEST(Sharing, SessionsTakingTurnsSeeEachOthersRows)
{
    TempFolder folder;
    const std::string path = makeKonto(folder);
    Channel toA, toB;
    auto player = [&](int base, Channel& mine, Channel& other, bool first) {
        return [&, base, first] {
            Database db;
            auto t = db.table(path); // held in memory from now on
            for (int round = 0; round < 30; ++round) {
                if (!first || round > 0)
                    if (!mine.receive()) return 3;
                // Before this program writes, it reads what the other one committed.
                db.refresh();
                uint32_t live = 0;
                for (uint32_t r = 0; r < t->recordCount(); ++r) live += !t->isDeleted(r);
                if (live != static_cast<uint32_t>(2 * round + (first ? 0 : 1))) return 4;
                db.session().atomically([&] { t->append(booking(base + round)); });
                other.send();
            }
            return 0;
        };
    };
    const pid_t a = child(player(1000, toA, toB, true));
    const pid_t b = child(player(2000, toB, toA, false));
    EXPECT_EQ(exitCode(a), 0);
    EXPECT_EQ(exitCode(b), 0);
    EXPECT_EQ(bookings(path).size(), 60u);
}

TEST(Sharing, HeldFolderRefusesAnotherWriterNamingTheHolderAndLetsItRead)
{
    TempFolder folder;
    const std::string path = makeKonto(folder);
    Channel held, done, committed, checked;
    const pid_t holder = child([&] {
        Database db;
        db.storage().setProgram("Trevo");
        db.holdFolder(folder.path());
        auto t = db.table(path);
        held.send();
        if (!done.receive()) return 3;
        db.session().atomically([&] { t->append(booking(7)); });
        committed.send();
        return checked.receive() ? 0 : 3;
    });
    ASSERT_TRUE(held.receive());
    {
        Database db;
        db.storage().setLockWait(std::chrono::milliseconds(300));
        auto t = db.table(path);
        const auto t0 = std::chrono::steady_clock::now();
        try {
            db.session().atomically([&] { t->append(booking(1)); });
            ADD_FAILURE() << "zweiter Schreiber nicht abgewiesen";
        } catch (const FolderBusy& e) {
            const std::string text = e.what();
            EXPECT_NE(text.find("mit 'Trevo' benutzt"), std::string::npos) << text;
            EXPECT_NE(text.find("Uhr von '"), std::string::npos) << text;
            ASSERT_TRUE(e.holder());
            EXPECT_EQ(e.holder()->process, static_cast<long>(holder));
        }
        EXPECT_GE(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(300)); // it waited
        EXPECT_EQ(t->recordCount(), 0u);
        // The holder's commit reaches the reader.
        done.send();
        ASSERT_TRUE(committed.receive());
        db.refresh();
        ASSERT_EQ(t->recordCount(), 1u);
        EXPECT_EQ(t->getRecord(0)[2].text(), memoOf(7));
        checked.send();
    }
    EXPECT_EQ(exitCode(holder), 0);
    EXPECT_EQ(bookings(path), std::set<int>{7});
}

TEST(Sharing, FolderOfACrashedHolderIsTakenOver)
{
    TempFolder folder;
    const std::string path = makeKonto(folder);
    Channel held;
    const pid_t crashed = child([&] {
        Database db;
        db.storage().setProgram("Abgestürzt");
        db.holdFolder(folder.path());
        held.send();
        ::raise(SIGKILL);
        return 0;
    });
    ASSERT_TRUE(held.receive());
    EXPECT_EQ(exitCode(crashed), 128 + SIGKILL);
    Database db;
    db.storage().setProgram("Nachfolger");
    EXPECT_NO_THROW(db.holdFolder(folder.path(), std::chrono::milliseconds(0)));
    auto t = db.table(path);
    db.session().atomically([&] { t->append(booking(3)); });
    FolderLock lock(realFileSystem(), folder.path());
    ASSERT_TRUE(lock.holder());
    EXPECT_EQ(lock.holder()->program, "Nachfolger");
    EXPECT_EQ(lock.holder()->process, static_cast<long>(::getpid()));
}

} // namespace
