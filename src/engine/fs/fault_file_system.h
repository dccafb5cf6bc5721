#pragma once
// A file system over a MemoryFileSystem that counts every write point (write, truncate,
// creation, removal, rename) and sync point (sync, syncDirectory) and can
//  - fail the n-th write or sync point with IoError, as a full disk or a failing disk would
//    (a failing write stores its first half, or nothing), once or from that point on;
//  - crash at the n-th point: the operation does not complete, the underlying memory file
//    system loses what was not durable (or keeps it, see CrashMode), and every later call
//    throws SimulatedCrash until reset().
#include "engine/fs/memory_file_system.h"

#include <cstdint>
#include <exception>

namespace trevo::engine {

// Thrown by a crashed FaultFileSystem; deliberately not an EngineError.
struct SimulatedCrash : std::exception {
    const char* what() const noexcept override { return "simulierter Absturz"; }
};

enum class CrashMode {
    DropUnsynced, // everything not durable is lost, the interrupted operation too
    TornWrite,    // everything not durable is lost; half of an interrupted write is durable
    KeepUnsynced, // everything written survives (and is durable), and half of an interrupted write
};

enum class PointKind { Write, Sync };

class FaultFileSystem : public FileSystem {
public:
    explicit FaultFileSystem(MemoryFileSystem& base);

    std::unique_ptr<File> open(const std::string& path, OpenMode mode) override;
    bool exists(const std::string& path) override;
    bool isDirectory(const std::string& path) override;
    void remove(const std::string& path) override;
    void rename(const std::string& from, const std::string& to) override;
    std::vector<std::string> list(const std::string& dir) override;
    void makeDirectory(const std::string& path) override;
    void syncDirectory(const std::string& dir) override;

    // Points passed so far (failed and crashed ones included).
    uint64_t points() const { return writes_ + syncs_; }
    uint64_t writes() const { return writes_; }
    uint64_t syncs() const { return syncs_; }
    void resetCounters() { writes_ = syncs_ = 0; }

    // The n-th point of that kind from now (1 = the next one) fails; sticky: and every later one.
    // A failing write stores its first half (a full disk, partly) or nothing (an I/O error).
    void failAt(PointKind kind, uint64_t n, bool sticky = false, bool partly = true);
    // The n-th point of any kind from now (1 = the next one) crashes.
    void crashAt(uint64_t n, CrashMode mode);
    bool crashed() const { return crashed_; }
    // Clears every planned fault and the crashed state.
    void reset();

    MemoryFileSystem& base() { return base_; }

private:
    class FaultFile;
    enum class Outcome { Proceed, Fail, Crash };
    // Counts a point and decides what happens to it.
    Outcome pass(PointKind kind);
    void guard() const;
    void crashNow(); // after the interrupted operation was (partly) applied as the mode says
    friend class FaultFile;

    MemoryFileSystem& base_;
    uint64_t writes_ = 0, syncs_ = 0;
    PointKind failKind_ = PointKind::Write;
    uint64_t failAt_ = 0; // absolute count of failKind_, 0 = none
    bool failSticky_ = false;
    bool failPartly_ = true;
    uint64_t crashAt_ = 0; // absolute point count, 0 = none
    CrashMode crashMode_ = CrashMode::DropUnsynced;
    bool crashed_ = false;
};

} // namespace trevo::engine
