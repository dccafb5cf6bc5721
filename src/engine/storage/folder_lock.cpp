#include "engine/storage/folder_lock.h"

#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace trevo::engine {

namespace {

constexpr char magic[8] = {'T', 'R', 'V', 'O', 'L', 'C', 'K', '1'};
constexpr uint64_t counterAt = 8, textLengthAt = 16, textAt = 20, maxText = 2000;
constexpr uint64_t writerByte = 4096, commitByte = 4097, gateByte = 4098;
constexpr auto commitWait = std::chrono::seconds(30); // a writer's commit takes milliseconds

uint64_t getLe(const uint8_t* p, int n)
{
    uint64_t v = 0;
    for (int i = 0; i < n; ++i) v |= static_cast<uint64_t>(p[i]) << (8 * i);
    return v;
}

void putLe(uint8_t* p, uint64_t v, int n)
{
    for (int i = 0; i < n; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

std::string field(const std::string& text, const std::string& key)
{
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        if (text.compare(pos, key.size() + 1, key + "=") == 0) return text.substr(pos + key.size() + 1, end - pos - key.size() - 1);
        pos = end + 1;
    }
    return {};
}

std::string oneLine(std::string s)
{
    for (char& c : s)
        if (c == '\n' || c == '\r' || c == '\0') c = ' ';
    return s.substr(0, 200);
}

std::string whenText(std::time_t t)
{
    std::tm local{};
    localtime_r(&t, &local);
    char buf[40];
    std::strftime(buf, sizeof buf, "%d.%m.%Y, %H:%M Uhr", &local);
    return buf;
}

} // namespace

LockHolder LockHolder::thisProcess(const std::string& program)
{
    LockHolder h;
    const char* user = std::getenv("USER");
    if (!user || !*user) user = std::getenv("LOGNAME");
    if (user && *user) h.user = user;
    else if (const passwd* pw = ::getpwuid(::getuid())) h.user = pw->pw_name;
    char host[256] = {};
    if (::gethostname(host, sizeof host - 1) == 0) h.computer = host;
    h.program = program;
    h.since = std::time(nullptr);
    h.process = static_cast<long>(::getpid());
    return h;
}

std::string folderBusyText(const std::string& folder, const std::optional<LockHolder>& holder)
{
    std::string text = "Der Datenordner '" + folder + "' wird gerade von einem anderen Programm benutzt";
    if (holder) {
        text = "Der Datenordner '" + folder + "' wird seit " + whenText(holder->since) + " von '"
               + (holder->user.empty() ? "?" : holder->user) + "' auf dem Computer '"
               + (holder->computer.empty() ? "?" : holder->computer) + "' mit '"
               + (holder->program.empty() ? "?" : holder->program) + "' benutzt";
    }
    return text + ". Änderungen sind erst möglich, wenn dieses Programm beendet ist.";
}

FolderBusy::FolderBusy(const std::string& folder, const std::optional<LockHolder>& holder)
    : EngineError(folderBusyText(folder, holder)), holder_(holder)
{
}

FolderLock::FolderLock(FileSystem& fs, std::string dir) : fs_(fs), dir_(std::move(dir)) {}

FolderLock::~FolderLock()
{
    try {
        releaseWriter();
    } catch (...) {
    }
}

bool FolderLock::open()
{
    if (file_) return true;
    // A failure is not remembered: the folder may be created or made writable later.
    const std::string path = resolveCaseInsensitive(fs_, joinPath(dir_, fileName));
    try {
        file_ = fs_.open(path, OpenMode::CreateOrOpen);
    } catch (const IoError& e) {
        if (!fs_.isDirectory(dir_))
            unavailable_ = "Ordner '" + dir_ + "' nicht gefunden";
        else if (fs_.isDirectory(path))
            unavailable_ = "'" + path + "' ist keine Datei, sondern ein Ordner. Die Sperrdatei des Datenordners kann "
                                        "dort nicht angelegt werden; bitte den Ordner umbenennen oder entfernen.";
        else
            unavailable_ = "Der Datenordner '" + dir_ + "' ist schreibgeschützt; Änderungen sind nicht möglich ("
                           + e.what() + ").";
        return false;
    }
    if (file_->size() < textAt) {
        uint8_t head[textAt] = {};
        std::memcpy(head, magic, sizeof magic);
        // A second program may create the file at the same moment: only an empty file is set up.
        if (file_->tryLock(writerByte, 1, LockKind::Exclusive)) {
            if (file_->size() < textAt) file_->write(0, head, sizeof head);
            file_->unlock(writerByte, 1);
        }
    }
    return true;
}

bool FolderLock::available() { return open(); }

bool FolderLock::tryAcquireWriter(const LockHolder& me)
{
    if (writer_) return true;
    if (!open()) throw IoError(unavailable_);
    if (!file_->tryLock(gateByte, 1, LockKind::Exclusive)) return false;
    const bool got = file_->tryLock(writerByte, 1, LockKind::Exclusive);
    file_->unlock(gateByte, 1);
    if (!got) return false;
    becomeWriter(me);
    return true;
}

// Waiting programs queue at the gate byte: the one that holds it is next, so that a program
// that gives the folder up and wants it back at once waits behind it.
void FolderLock::acquireWriter(const LockHolder& me, std::chrono::milliseconds wait)
{
    if (writer_) return;
    if (!open()) throw IoError(unavailable_);
    const auto start = std::chrono::steady_clock::now();
    const auto deadline = start + wait;
    auto pause = [&] {
        const auto waited = std::chrono::steady_clock::now() - start;
        std::this_thread::sleep_for(waited < std::chrono::milliseconds(200) ? std::chrono::milliseconds(1)
                                                                            : std::chrono::milliseconds(10));
    };
    while (!file_->tryLock(gateByte, 1, LockKind::Exclusive)) {
        if (std::chrono::steady_clock::now() >= deadline) throw FolderBusy(dir_, holder());
        pause();
    }
    bool got;
    while (!(got = file_->tryLock(writerByte, 1, LockKind::Exclusive))) {
        if (std::chrono::steady_clock::now() >= deadline) break;
        pause();
    }
    file_->unlock(gateByte, 1);
    if (!got) throw FolderBusy(dir_, holder());
    becomeWriter(me);
}

// With the writer byte held: the holder is recorded, or the byte is given up again.
void FolderLock::becomeWriter(const LockHolder& me)
{
    writer_ = true;
    try {
        writeHolder(me);
    } catch (...) {
        releaseWriter();
        throw;
    }
}

void FolderLock::releaseWriter()
{
    if (!writer_) return;
    writer_ = false;
    file_->unlock(writerByte, 1);
}

void FolderLock::beginCommit()
{
    const auto deadline = std::chrono::steady_clock::now() + commitWait;
    while (!file_->tryLock(commitByte, 1, LockKind::Exclusive)) {
        if (std::chrono::steady_clock::now() >= deadline)
            throw IoError("Der Datenordner '" + dir_ + "' wird zu lange von einem anderen Programm gelesen");
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

void FolderLock::endCommit() { file_->unlock(commitByte, 1); }

bool FolderLock::beginRead()
{
    if (writer_ || !open()) return false;
    const auto deadline = std::chrono::steady_clock::now() + commitWait;
    while (!file_->tryLock(commitByte, 1, LockKind::Shared)) {
        if (std::chrono::steady_clock::now() >= deadline)
            throw IoError("Der Datenordner '" + dir_ + "' wird zu lange von einem anderen Programm geändert");
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

void FolderLock::endRead() { file_->unlock(commitByte, 1); }

uint64_t FolderLock::counter()
{
    if (!open()) return 0;
    uint8_t buf[8] = {};
    if (file_->read(counterAt, buf, 8) != 8) return 0;
    return getLe(buf, 8);
}

uint64_t FolderLock::bumpCounter()
{
    const uint64_t next = counter() + 1;
    uint8_t buf[8];
    putLe(buf, next, 8);
    file_->write(counterAt, buf, 8);
    return next;
}

void FolderLock::writeHolder(const LockHolder& me)
{
    // The same program taking the folder again keeps its entry (and its time): no write.
    if (const auto h = holder(); h && h->process == me.process && h->program == me.program && h->user == me.user
                                 && h->computer == me.computer)
        return;
    std::string text = "Benutzer=" + oneLine(me.user) + "\nComputer=" + oneLine(me.computer) + "\nProgramm="
                       + oneLine(me.program) + "\nSeit=" + std::to_string(static_cast<long long>(me.since))
                       + "\nProzess=" + std::to_string(me.process) + "\n";
    text.resize(std::min<size_t>(text.size(), maxText));
    std::vector<uint8_t> buf(4 + text.size());
    putLe(buf.data(), text.size(), 4);
    std::memcpy(buf.data() + 4, text.data(), text.size());
    file_->write(textLengthAt, buf.data(), buf.size());
}

std::optional<LockHolder> FolderLock::holder()
{
    if (!open()) return std::nullopt;
    uint8_t len[4] = {};
    if (file_->read(textLengthAt, len, 4) != 4) return std::nullopt;
    const uint64_t n = getLe(len, 4);
    if (n == 0 || n > maxText) return std::nullopt;
    std::string text(n, '\0');
    text.resize(file_->read(textAt, text.data(), n));
    LockHolder h;
    h.user = field(text, "Benutzer");
    h.computer = field(text, "Computer");
    h.program = field(text, "Programm");
    h.since = static_cast<std::time_t>(std::atoll(field(text, "Seit").c_str()));
    h.process = std::atol(field(text, "Prozess").c_str());
    if (h.user.empty() && h.computer.empty() && h.program.empty()) return std::nullopt;
    return h;
}

} // namespace trevo::engine
