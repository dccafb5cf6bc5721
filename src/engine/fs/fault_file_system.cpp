#include "engine/fs/fault_file_system.h"

#include "engine/fs/io_error_text.h"

#include <cerrno>

namespace trevo::engine {

class FaultFileSystem::FaultFile : public File {
public:
    FaultFile(FaultFileSystem& fs, std::unique_ptr<File> base, std::string path)
        : fs_(fs), base_(std::move(base)), path_(std::move(path)) {}

    uint64_t size() override
    {
        fs_.guard();
        return base_->size();
    }

    size_t read(uint64_t off, void* dst, size_t n) override
    {
        fs_.guard();
        return base_->read(off, dst, n);
    }

    void write(uint64_t off, const void* src, size_t n) override
    {
        switch (fs_.pass(PointKind::Write)) {
        case Outcome::Proceed: base_->write(off, src, n); return;
        case Outcome::Fail:
            if (fs_.failPartly_) base_->write(off, src, n / 2);
            throwFileError(path_, "geschrieben", fs_.failPartly_ ? ENOSPC : EIO);
        case Outcome::Crash:
            if (fs_.crashMode_ == CrashMode::DropUnsynced) fs_.crashNow();
            // The first half of the interrupted write reached the disk.
            if (fs_.crashMode_ == CrashMode::TornWrite) fs_.base_.crash();
            base_->write(off, src, n / 2);
            base_->sync();
            fs_.crashNow();
        }
    }

    void truncate(uint64_t size) override
    {
        switch (fs_.pass(PointKind::Write)) {
        case Outcome::Proceed: base_->truncate(size); return;
        case Outcome::Fail: throwFileError(path_, "in der Größe geändert", ENOSPC);
        case Outcome::Crash: fs_.crashNow();
        }
    }

    void sync() override
    {
        switch (fs_.pass(PointKind::Sync)) {
        case Outcome::Proceed: base_->sync(); return;
        case Outcome::Fail: throwFileError(path_, "auf den Datenträger geschrieben", EIO);
        case Outcome::Crash: fs_.crashNow();
        }
    }

private:
    FaultFileSystem& fs_;
    std::unique_ptr<File> base_;
    std::string path_;
};

FaultFileSystem::FaultFileSystem(MemoryFileSystem& base) : base_(base) {}

void FaultFileSystem::guard() const
{
    if (crashed_) throw SimulatedCrash();
}

FaultFileSystem::Outcome FaultFileSystem::pass(PointKind kind)
{
    guard();
    const uint64_t n = kind == PointKind::Write ? ++writes_ : ++syncs_;
    if (crashAt_ && writes_ + syncs_ == crashAt_) return Outcome::Crash;
    if (failAt_ && kind == failKind_ && (n == failAt_ || (failSticky_ && n > failAt_))) return Outcome::Fail;
    return Outcome::Proceed;
}

void FaultFileSystem::crashNow()
{
    // What survives a power loss is on the disk afterwards.
    if (crashMode_ == CrashMode::KeepUnsynced) base_.settle();
    else base_.crash();
    crashed_ = true;
    throw SimulatedCrash();
}

void FaultFileSystem::failAt(PointKind kind, uint64_t n, bool sticky, bool partly)
{
    failKind_ = kind;
    failAt_ = (kind == PointKind::Write ? writes_ : syncs_) + n;
    failSticky_ = sticky;
    failPartly_ = partly;
}

void FaultFileSystem::crashAt(uint64_t n, CrashMode mode)
{
    crashAt_ = points() + n;
    crashMode_ = mode;
}

void FaultFileSystem::reset()
{
    failAt_ = 0;
    failSticky_ = false;
    failPartly_ = true;
    crashAt_ = 0;
    crashed_ = false;
}

std::unique_ptr<File> FaultFileSystem::open(const std::string& path, OpenMode mode)
{
    guard();
    const bool creates = (mode == OpenMode::Create || mode == OpenMode::CreateOrOpen) && !base_.exists(path);
    if (creates) {
        switch (pass(PointKind::Write)) {
        case Outcome::Proceed: break;
        case Outcome::Fail: throwFileError(path, "angelegt", ENOSPC);
        case Outcome::Crash: crashNow();
        }
    }
    return std::make_unique<FaultFile>(*this, base_.open(path, mode), path);
}

bool FaultFileSystem::exists(const std::string& path)
{
    guard();
    return base_.exists(path);
}

bool FaultFileSystem::isDirectory(const std::string& path)
{
    guard();
    return base_.isDirectory(path);
}

void FaultFileSystem::remove(const std::string& path)
{
    switch (pass(PointKind::Write)) {
    case Outcome::Proceed: base_.remove(path); return;
    case Outcome::Fail: throwFileError(path, "gelöscht", EIO);
    case Outcome::Crash: crashNow();
    }
}

void FaultFileSystem::rename(const std::string& from, const std::string& to)
{
    switch (pass(PointKind::Write)) {
    case Outcome::Proceed: base_.rename(from, to); return;
    case Outcome::Fail: throwFileError(from, "umbenannt", EIO);
    case Outcome::Crash: crashNow();
    }
}

std::vector<std::string> FaultFileSystem::list(const std::string& dir)
{
    guard();
    return base_.list(dir);
}

void FaultFileSystem::makeDirectory(const std::string& path)
{
    switch (pass(PointKind::Write)) {
    case Outcome::Proceed: base_.makeDirectory(path); return;
    case Outcome::Fail: throwFolderError(path, "angelegt", ENOSPC);
    case Outcome::Crash: crashNow();
    }
}

void FaultFileSystem::syncDirectory(const std::string& dir)
{
    switch (pass(PointKind::Sync)) {
    case Outcome::Proceed: base_.syncDirectory(dir); return;
    case Outcome::Fail: throwFolderError(dir, "auf den Datenträger geschrieben", EIO);
    case Outcome::Crash: crashNow();
    }
}

} // namespace trevo::engine
