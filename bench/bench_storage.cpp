// Cost of durable changes on this machine's disk, each figure next to its physical limit,
// the bare flush of a small file in the same folder:
//   BareSync             write 100 bytes into a small file and flush it (fdatasync)
//   PostOneRecord        append one record to a small table outside a transaction and post it
//                        (journal written and flushed, table written and flushed, journal
//                        marked cold without a flush of its own: two flushes in all)
//   TransactionOf10000   10,000 appends inside one transaction, then the commit
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

} // namespace

BENCHMARK(BareSync)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(PostOneRecord)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(TransactionOf10000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

BENCHMARK_MAIN();
