// The machine's file system through POSIX calls.
#include "engine/fs/file_system.h"
#include "engine/fs/io_error_text.h"

#include "engine/core/error.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace trevo::engine {

namespace {

class PosixFile : public File {
public:
    PosixFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    ~PosixFile() override { ::close(fd_); }

    uint64_t size() override
    {
        struct stat st {};
        if (::fstat(fd_, &st) != 0) throwFileError(path_, "gelesen", errno);
        return static_cast<uint64_t>(st.st_size);
    }

    size_t read(uint64_t off, void* dst, size_t n) override
    {
        size_t done = 0;
        auto* out = static_cast<char*>(dst);
        while (done < n) {
            const ssize_t r = ::pread(fd_, out + done, n - done, static_cast<off_t>(off + done));
            if (r < 0) {
                if (errno == EINTR) continue;
                throwFileError(path_, "gelesen", errno);
            }
            if (r == 0) break;
            done += static_cast<size_t>(r);
        }
        return done;
    }

    void write(uint64_t off, const void* src, size_t n) override
    {
        size_t done = 0;
        const auto* in = static_cast<const char*>(src);
        while (done < n) {
            const ssize_t r = ::pwrite(fd_, in + done, n - done, static_cast<off_t>(off + done));
            if (r < 0) {
                if (errno == EINTR) continue;
                throwFileError(path_, "geschrieben", errno);
            }
            if (r == 0) throwFileError(path_, "geschrieben", ENOSPC);
            done += static_cast<size_t>(r);
        }
    }

    void truncate(uint64_t size) override
    {
        while (::ftruncate(fd_, static_cast<off_t>(size)) != 0) {
            if (errno != EINTR) throwFileError(path_, "in der Größe geändert", errno);
        }
    }

    void sync() override
    {
        while (::fdatasync(fd_) != 0) {
            if (errno != EINTR) throwFileError(path_, "auf den Datenträger geschrieben", errno);
        }
    }

    bool tryLock(uint64_t off, uint64_t len, LockKind kind) override { return setLock(off, len, lockType(kind), false); }
    void waitLock(uint64_t off, uint64_t len, LockKind kind) override { setLock(off, len, lockType(kind), true); }
    void unlock(uint64_t off, uint64_t len) override { setLock(off, len, F_UNLCK, false); }

private:
    static short lockType(LockKind kind) { return kind == LockKind::Shared ? F_RDLCK : F_WRLCK; }

    // Locks of the open file description (not of the process), so that two opens within one
    // process exclude each other and closing one does not drop the locks of the other.
    bool setLock(uint64_t off, uint64_t len, short type, bool wait)
    {
        struct flock fl {};
        fl.l_type = type;
        fl.l_whence = SEEK_SET;
        fl.l_start = static_cast<off_t>(off);
        fl.l_len = static_cast<off_t>(len);
#ifdef F_OFD_SETLK
        const int cmd = wait ? F_OFD_SETLKW : F_OFD_SETLK;
#else
        const int cmd = wait ? F_SETLKW : F_SETLK;
#endif
        while (::fcntl(fd_, cmd, &fl) != 0) {
            if (errno == EINTR) continue;
            if (!wait && (errno == EAGAIN || errno == EACCES)) return false;
            // A file system without locks (some network shares) cannot guard the folder.
            if (errno == ENOLCK || errno == EOPNOTSUPP || errno == ENOSYS) return true;
            throwFileError(path_, "gesperrt", errno);
        }
        return true;
    }

    int fd_;
    std::string path_;
};

int openFlags(OpenMode mode)
{
    switch (mode) {
    case OpenMode::ReadOnly: return O_RDONLY;
    case OpenMode::ReadWrite: return O_RDWR;
    case OpenMode::Create: return O_RDWR | O_CREAT | O_EXCL;
    case OpenMode::CreateOrOpen: return O_RDWR | O_CREAT;
    }
    return O_RDONLY;
}

class PosixFileSystem : public FileSystem {
public:
    std::unique_ptr<File> open(const std::string& path, OpenMode mode) override
    {
        int fd;
        // Non-blocking open, so that a pipe or device of that name cannot stall the program.
        do {
            fd = ::open(path.c_str(), openFlags(mode) | O_CLOEXEC | O_NONBLOCK, 0644);
        } while (fd < 0 && errno == EINTR);
        if (fd < 0) throwFileError(path, mode == OpenMode::Create ? "angelegt" : "geöffnet", errno);
        struct stat st {};
        if (::fstat(fd, &st) == 0 && !S_ISREG(st.st_mode)) {
            ::close(fd);
            if (S_ISDIR(st.st_mode)) throwFileError(path, "geöffnet", EISDIR);
            throw IoError("'" + path + "' ist keine gewöhnliche Datei und kann nicht geöffnet werden");
        }
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        return std::make_unique<PosixFile>(fd, path);
    }

    bool exists(const std::string& path) override
    {
        struct stat st {};
        return ::stat(path.c_str(), &st) == 0;
    }

    bool isDirectory(const std::string& path) override
    {
        struct stat st {};
        return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    }

    void remove(const std::string& path) override
    {
        if (::unlink(path.c_str()) == 0) return;
        if (errno == EISDIR && ::rmdir(path.c_str()) == 0) return;
        throwFileError(path, "gelöscht", errno);
    }

    void rename(const std::string& from, const std::string& to) override
    {
        if (::rename(from.c_str(), to.c_str()) != 0)
            throw IoErrorText(from, to, errno);
    }

    std::vector<std::string> list(const std::string& dir) override
    {
        DIR* d = ::opendir(dir.c_str());
        if (!d) throwFolderError(dir, "gelesen", errno);
        std::vector<std::string> names;
        while (const dirent* e = ::readdir(d)) {
            const std::string name = e->d_name;
            if (name != "." && name != "..") names.push_back(name);
        }
        ::closedir(d);
        return names;
    }

    void makeDirectory(const std::string& path) override
    {
        if (::mkdir(path.c_str(), 0755) == 0) return;
        if (errno == EEXIST && isDirectory(path)) return;
        throwFolderError(path, "angelegt", errno);
    }

    void syncDirectory(const std::string& dir) override
    {
        const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) throwFolderError(dir, "geöffnet", errno);
        int rc;
        do {
            rc = ::fsync(fd);
        } while (rc != 0 && errno == EINTR);
        const int err = errno;
        ::close(fd);
        if (rc != 0 && err != EINVAL) throwFolderError(dir, "auf den Datenträger geschrieben", err);
    }

private:
    static IoError IoErrorText(const std::string& from, const std::string& to, int err)
    {
        return IoError("Datei '" + from + "' konnte nicht in '" + to + "' umbenannt werden: "
                       + germanErrorText(err));
    }
};

} // namespace

FileSystem& realFileSystem()
{
    static PosixFileSystem fs;
    return fs;
}

} // namespace trevo::engine
