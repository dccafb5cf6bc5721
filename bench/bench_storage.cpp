// Cost of durable changes on this machine's disk, each figure next to its physical limit,
// the bare flush of a small file in the same folder:
//   BareSync             write 100 bytes into a small file and flush it (fdatasync)
//   PostOneRecord        append one record to a small table outside a transaction and post it
//                        (journal written and flushed, table written and flushed, journal
//                        marked cold without a flush of its own: two flushes in all)
//   TransactionOf10000   10,000 appends inside one transaction, then the commit
// and what sharing the folder costs the single user:
//   PostOneRecordNoLocks     the same post on a file system that grants every lock without asking
//                            the operating system (the lock file's counter is still written)
//   PostOneRecordFolderHeld  the post while the program holds the folder, as the program does
//   OpenFolder               open a folder of 16 tables that nobody holds: take its lock, read
//                            every table (lock_ms: taking the lock alone)
#include "engine/core/error.h"
#include "engine/dbf/dbf_table.h"
#include "engine/fs/file_system.h"
#include "engine/storage/session.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>

using namespace trevo::engine;
namespace stdfs = std::filesystem;

namespace {

// A data folder on the same disk as the build (not /tmp, which may live in memory).
class BenchFolder {
public:
    BenchFolder()
    {
        path_ = (stdfs::canonical("/proc/self/exe").parent_path() / ("storage-bench-" + std::to_string(::getpid())))
                    .string();
        stdfs::remove_all(path_);
        stdfs::create_directories(path_);
    }
    ~BenchFolder() { stdfs::remove_all(path_); }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

double secondsSince(std::chrono::steady_clock::time_point t0)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// The mean of many bare flushes, measured once for all benchmarks.
double bareSyncSeconds()
{
    static const double seconds = [] {
        BenchFolder folder;
        const int fd = ::open(folder.file("SYNC.DAT").c_str(), O_RDWR | O_CREAT, 0644);
        char buf[100] = {};
        ::pwrite(fd, buf, sizeof buf, 0);
        ::fsync(fd);
        const int n = 200;
        const auto t0 = std::chrono::steady_clock::now();
        for (int i = 0; i < n; ++i) {
            buf[0] = static_cast<char>(i);
            if (::pwrite(fd, buf, sizeof buf, 0) != sizeof buf || ::fdatasync(fd) != 0) std::abort();
        }
        const double s = secondsSince(t0) / n;
        ::close(fd);
        return s;
    }();
    return seconds;
}

const std::vector<FieldDef> fields = {
    {"NUMMER", 'N', 6, 0}, {"NAME", 'C', 30, 0}, {"BETRAG", 'N', 8, 2}, {"DATUM", 'D', 8, 0}};

Record recordOf(int i)
{
    return {Value::number(i), Value::text("Kegler " + std::to_string(i)), Value::number(i * 0.25),
            Value::date(45000 + i % 1000)};
}

void reportAgainstSync(benchmark::State& state, double secondsPerOperation)
{
    const double sync = bareSyncSeconds();
    state.counters["ms_each"] = secondsPerOperation * 1e3;
    state.counters["bare_sync_ms"] = sync * 1e3;
    state.counters["x_bare_sync"] = secondsPerOperation / sync;
}

void BareSync(benchmark::State& state)
{
    BenchFolder folder;
    const int fd = ::open(folder.file("SYNC.DAT").c_str(), O_RDWR | O_CREAT, 0644);
    char buf[100] = {};
    double total = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        if (::pwrite(fd, buf, sizeof buf, 0) != sizeof buf || ::fdatasync(fd) != 0) state.SkipWithError("fsync");
        total += secondsSince(t0);
    }
    ::close(fd);
    reportAgainstSync(state, total / state.iterations());
}

void PostOneRecord(benchmark::State& state)
{
    BenchFolder folder;
    Storage storage(realFileSystem());
    Session session(storage, "Default");
    std::shared_ptr<DbfTable> table;
    session.atomically([&] { table = DbfTable::create(storage, folder.file("KEGLER.DBF"), fields); });
    for (int i = 1; i <= 60; ++i) session.atomically([&] { table->append(recordOf(i)); });
    int n = 60;
    double total = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        session.atomically([&] { table->append(recordOf(++n)); });
        total += secondsSince(t0);
    }
    reportAgainstSync(state, total / state.iterations());
}

void TransactionOf10000(benchmark::State& state)
{
    double total = 0;
    for (auto _ : state) {
        state.PauseTiming();
        {
            BenchFolder folder;
            Storage storage(realFileSystem());
            Session session(storage, "Terminsession1");
            std::shared_ptr<DbfTable> table;
            session.atomically([&] { table = DbfTable::create(storage, folder.file("SPIELKEG.DBF"), fields); });
            state.ResumeTiming();
            const auto t0 = std::chrono::steady_clock::now();
            session.startTransaction();
            for (int i = 1; i <= 10000; ++i) session.atomically([&] { table->append(recordOf(i)); });
            session.commit();
            total += secondsSince(t0);
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
    reportAgainstSync(state, total / state.iterations());
}

// The machine's file system with locks that are granted without asking the operating system.
class NoLockFileSystem : public FileSystem {
public:
    std::unique_ptr<File> open(const std::string& path, OpenMode mode) override
    {
        return std::make_unique<Plain>(real().open(path, mode));
    }
    bool exists(const std::string& path) override { return real().exists(path); }
    bool isDirectory(const std::string& path) override { return real().isDirectory(path); }
    void remove(const std::string& path) override { real().remove(path); }
    void rename(const std::string& from, const std::string& to) override { real().rename(from, to); }
    std::vector<std::string> list(const std::string& dir) override { return real().list(dir); }
    void makeDirectory(const std::string& path) override { real().makeDirectory(path); }
    void syncDirectory(const std::string& dir) override { real().syncDirectory(dir); }

private:
    static FileSystem& real() { return realFileSystem(); }
    class Plain : public File {
    public:
        explicit Plain(std::unique_ptr<File> f) : f_(std::move(f)) {}
        uint64_t size() override { return f_->size(); }
        size_t read(uint64_t off, void* dst, size_t n) override { return f_->read(off, dst, n); }
        void write(uint64_t off, const void* src, size_t n) override { f_->write(off, src, n); }
        void truncate(uint64_t size) override { f_->truncate(size); }
        void sync() override { f_->sync(); }

    private:
        std::unique_ptr<File> f_;
    };
};

void postOneRecord(benchmark::State& state, FileSystem& fs, bool hold)
{
    BenchFolder folder;
    Storage storage(fs);
    Session session(storage, "Default");
    std::shared_ptr<DbfTable> table;
    session.atomically([&] { table = DbfTable::create(storage, folder.file("KEGLER.DBF"), fields); });
    for (int i = 1; i <= 60; ++i) session.atomically([&] { table->append(recordOf(i)); });
    if (hold) storage.holdFolder(directoryOf(folder.file("KEGLER.DBF")), std::chrono::milliseconds(0));
    int n = 60;
    double total = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        session.atomically([&] { table->append(recordOf(++n)); });
        total += secondsSince(t0);
    }
    reportAgainstSync(state, total / state.iterations());
}

void PostOneRecordNoLocks(benchmark::State& state)
{
    NoLockFileSystem fs;
    postOneRecord(state, fs, false);
}

void PostOneRecordFolderHeld(benchmark::State& state) { postOneRecord(state, realFileSystem(), true); }

void OpenFolder(benchmark::State& state)
{
    BenchFolder folder;
    const std::string dir = directoryOf(folder.file("X"));
    {
        Storage storage(realFileSystem());
        Session session(storage, "Default");
        for (int t = 0; t < 16; ++t)
            session.atomically([&] {
                auto table = DbfTable::create(storage, folder.file("TAB" + std::to_string(t) + ".DBF"), fields);
                for (int i = 1; i <= 500; ++i) table->append(recordOf(i));
            });
    }
    double total = 0, locking = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        Storage storage(realFileSystem());
        storage.holdFolder(dir, std::chrono::milliseconds(0));
        locking += secondsSince(t0);
        std::vector<std::shared_ptr<DbfTable>> tables;
        for (int t = 0; t < 16; ++t) tables.push_back(DbfTable::open(storage, folder.file("TAB" + std::to_string(t) + ".DBF")));
        total += secondsSince(t0);
    }
    state.counters["ms_each"] = total / state.iterations() * 1e3;
    state.counters["lock_ms"] = locking / state.iterations() * 1e3;
}

} // namespace

BENCHMARK(BareSync)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(PostOneRecord)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(PostOneRecordNoLocks)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(PostOneRecordFolderHeld)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(OpenFolder)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(TransactionOf10000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

BENCHMARK_MAIN();
