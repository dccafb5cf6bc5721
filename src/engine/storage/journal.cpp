#include "engine/storage/journal.h"

#include "engine/core/error.h"
#include "engine/storage/batch_impl.h"
#include "engine/storage/checksum.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace trevo::engine::detail {

namespace {

constexpr char magic[8] = {'T', 'R', 'V', 'O', 'J', 'N', 'L', '1'};
enum : uint8_t { fileEntry = 1, pageEntry = 2, afterEntry = 3 };

void put(std::vector<uint8_t>& out, uint64_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void set(uint8_t* p, uint64_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

uint64_t get(const uint8_t* p, int bytes)
{
    uint64_t v = 0;
    for (int i = 0; i < bytes; ++i) v |= static_cast<uint64_t>(p[i]) << (8 * i);
    return v;
}

// The state word comes first and stays outside the checksum: a torn rewrite of the header
// keeps the first bytes written, so the new state decides (see journal.h).
std::vector<uint8_t> header(uint32_t state, uint32_t count, uint64_t salt)
{
    std::vector<uint8_t> h(journalHeaderSize, 0);
    set(h.data(), state, 4);
    std::memcpy(h.data() + 4, magic, 8);
    set(h.data() + 12, count, 4);
    set(h.data() + 16, salt, 8);
    set(h.data() + 28, crc32(h.data() + 4, 24), 4);
    return h;
}

uint32_t entryCrc(uint64_t salt, const uint8_t* typeAndPayload, size_t n)
{
    uint8_t s[8];
    for (int i = 0; i < 8; ++i) s[i] = static_cast<uint8_t>(salt >> (8 * i));
    return crc32(typeAndPayload, n, crc32(s, 8));
}

class EntryWriter {
public:
    EntryWriter(std::vector<uint8_t>& out, uint64_t salt) : out_(out), salt_(salt) {}
    // Starts an entry; returns the payload buffer to fill.
    std::vector<uint8_t>& begin(uint8_t type)
    {
        payload_.clear();
        payload_.push_back(type);
        return payload_;
    }
    void end()
    {
        put(out_, payload_.size() - 1, 4);
        out_.insert(out_.end(), payload_.begin(), payload_.end());
        put(out_, entryCrc(salt_, payload_.data(), payload_.size()), 4);
        ++count_;
    }
    uint32_t count() const { return count_; }

private:
    std::vector<uint8_t>& out_;
    uint64_t salt_;
    std::vector<uint8_t> payload_;
    uint32_t count_ = 0;
};

} // namespace

std::vector<uint8_t> encodeJournal(uint64_t salt, const std::vector<const ImageChanges*>& files,
                                   JournalState state)
{
    std::vector<uint8_t> out(journalPrefixSize, 0);
    for (int i = 0; i < 8; ++i) out[journalHeaderSize + i] = static_cast<uint8_t>(salt >> (8 * i));
    EntryWriter w(out, salt);
    uint32_t ordinal = 0;
    for (const ImageChanges* rec : files) {
        const FileImage& image = *rec->image;
        const std::string name = fileNameOf(image.path());
        auto& p = w.begin(fileEntry);
        put(p, name.size(), 2);
        p.insert(p.end(), name.begin(), name.end());
        p.push_back(rec->existed ? 1 : 0);
        put(p, rec->originalSize, 8);
        w.end();
        for (const auto& [page, before] : rec->pages) {
            if (before.empty()) continue;
            auto& q = w.begin(pageEntry);
            put(q, ordinal, 4);
            put(q, page * pageSize, 8);
            put(q, before.size(), 4);
            q.insert(q.end(), before.begin(), before.end());
            w.end();
        }
        auto& a = w.begin(afterEntry);
        put(a, ordinal, 4);
        a.push_back(image.removed() ? 0 : 1);
        put(a, image.size(), 8);
        const size_t countAt = a.size();
        put(a, 0, 4);
        uint32_t count = 0;
        for (const auto& [page, before] : rec->pages) {
            const uint64_t start = page * pageSize;
            if (image.removed() || start >= image.size()) continue;
            const size_t len = static_cast<size_t>(std::min<uint64_t>(pageSize, image.size() - start));
            put(a, start, 8);
            put(a, len, 4);
            put(a, hash64(image.data() + start, len), 8);
            ++count;
        }
        for (int i = 0; i < 4; ++i) a[countAt + i] = static_cast<uint8_t>(count >> (8 * i));
        w.end();
        ++ordinal;
    }
    const std::vector<uint8_t> h = header(state, w.count(), salt);
    std::memcpy(out.data(), h.data(), h.size());
    return out;
}

std::vector<uint8_t> rollBackPrefix(const std::vector<uint8_t>& journal)
{
    std::vector<uint8_t> prefix = header(journalRollBack, static_cast<uint32_t>(get(journal.data() + 12, 4)),
                                         get(journal.data() + 16, 8));
    // The same checksum as before: only the state word differs.
    prefix.insert(prefix.end(), journal.begin() + journalHeaderSize, journal.begin() + journalPrefixSize);
    return prefix;
}

std::vector<uint8_t> coldJournalHeader()
{
    std::vector<uint8_t> h = header(0, 0, 0);
    h.resize(journalPrefixSize, 0);
    return h;
}

namespace {

// Parses one entry's payload into the journal; false when it makes no sense.
bool takeEntry(ParsedJournal& j, uint8_t type, const uint8_t* p, size_t n)
{
    if (type == fileEntry) {
        if (n < 2) return false;
        const size_t len = get(p, 2);
        if (n != 2 + len + 1 + 8 || len == 0) return false;
        std::string name(reinterpret_cast<const char*>(p + 2), len);
        // Only plain names of files in the journal's own folder are accepted.
        if (name == "." || name == ".." || name.find('/') != std::string::npos
            || name.find('\\') != std::string::npos || name.find('\0') != std::string::npos)
            return false;
        FileBefore f;
        f.path = name;
        f.existed = p[2 + len] != 0;
        f.size = get(p + 3 + len, 8);
        j.files.push_back(std::move(f));
        return true;
    }
    if (type == pageEntry) {
        if (n < 16) return false;
        const uint64_t file = get(p, 4), off = get(p + 4, 8), len = get(p + 12, 4);
        if (file >= j.files.size() || n != 16 + len) return false;
        const uint64_t size = j.files[file].size;
        if (off > size || len > size - off) return false; // no wrap-around past 2^64
        j.pageBytes.emplace_back(p + 16, p + 16 + len);
        return true;
    }
    if (type == afterEntry) {
        if (n < 17) return false;
        const uint64_t file = get(p, 4), count = get(p + 13, 4);
        if (file >= j.files.size() || j.files[file].hasAfter || n != 17 + 20 * count) return false;
        const uint64_t sizeAfter = get(p + 5, 8);
        std::vector<PageCheck> checks;
        for (uint64_t i = 0; i < count; ++i) {
            const uint8_t* c = p + 17 + 20 * i;
            const PageCheck check{get(c, 8), static_cast<uint32_t>(get(c + 8, 4)), get(c + 12, 8)};
            // A check covers at most one page inside the file as it is after the commit.
            if (check.length > pageSize || check.offset > sizeAfter || check.length > sizeAfter - check.offset)
                return false;
            checks.push_back(check);
        }
        FileBefore& f = j.files[file];
        f.hasAfter = true;
        f.existsAfter = p[4] != 0;
        f.sizeAfter = sizeAfter;
        f.after = std::move(checks);
        return true;
    }
    return false;
}

} // namespace

ParsedJournal parseJournal(const std::vector<uint8_t>& bytes)
{
    ParsedJournal j;
    if (bytes.size() < journalPrefixSize) return j;
    const uint64_t state = get(bytes.data(), 4);
    if (state == journalCold) return j;
    const bool headerValid = std::memcmp(bytes.data() + 4, magic, 8) == 0
                             && get(bytes.data() + 28, 4) == crc32(bytes.data() + 4, 24);
    uint64_t count = UINT64_MAX, salt = get(bytes.data() + journalHeaderSize, 8);
    if (headerValid) {
        count = get(bytes.data() + 12, 4);
        salt = get(bytes.data() + 16, 8);
    }
    if (salt == 0) return j;
    // Any state but "keep when complete" rolls back, garbage included.
    j.mayKeep = headerValid && state == journalHot;
    j.hot = true;
    uint64_t read = 0;
    // Page entries refer to their file by ordinal; remember which file each belongs to.
    std::vector<std::pair<size_t, uint64_t>> pageOwners;
    size_t pos = journalPrefixSize;
    for (uint64_t i = 0; i < count; ++i) {
        if (bytes.size() - pos < 9) break;
        const uint64_t len = get(bytes.data() + pos, 4);
        if (len > bytes.size() - pos - 9) break;
        const uint8_t* typeAndPayload = bytes.data() + pos + 4;
        if (get(typeAndPayload + 1 + len, 4) != entryCrc(salt, typeAndPayload, len + 1)) break;
        const size_t pagesBefore = j.pageBytes.size();
        if (!takeEntry(j, typeAndPayload[0], typeAndPayload + 1, len)) break;
        if (j.pageBytes.size() > pagesBefore)
            pageOwners.emplace_back(get(typeAndPayload + 1, 4), get(typeAndPayload + 5, 8));
        pos += 9 + len;
        ++read;
    }
    j.complete = headerValid && read == count;
    for (size_t k = 0; k < pageOwners.size(); ++k)
        j.files[pageOwners[k].first].pages.emplace_back(pageOwners[k].second, &j.pageBytes[k]);
    return j;
}

void restoreFiles(FileSystem& fs, const std::string& dir, const std::vector<FileBefore>& files)
{
    bool folderChanged = false;
    for (const FileBefore& f : files) {
        const std::string path = f.path.find('/') == std::string::npos ? joinPath(dir, f.path) : f.path;
        if (!f.existed) {
            if (fs.exists(path)) {
                fs.remove(path);
                folderChanged = true;
            }
            continue;
        }
        if (!fs.exists(path)) folderChanged = true;
        auto file = fs.open(path, OpenMode::CreateOrOpen);
        for (const auto& [off, bytes] : f.pages) file->write(off, bytes->data(), bytes->size());
        if (file->size() != f.size) file->truncate(f.size);
        file->sync();
    }
    if (folderChanged) fs.syncDirectory(dir);
}

std::string journalPath(FileSystem& fs, const std::string& dir)
{
    return resolveCaseInsensitive(fs, joinPath(dir, "TREVO.JNL"));
}

bool filesShowAfterState(FileSystem& fs, const std::string& dir, const std::vector<FileBefore>& files)
{
    std::vector<uint8_t> buf;
    for (const FileBefore& f : files) {
        if (!f.hasAfter) return false;
        const std::string path = joinPath(dir, f.path);
        if (!fs.exists(path)) {
            if (f.existsAfter) return false;
            continue;
        }
        if (!f.existsAfter) return false;
        auto file = fs.open(path, OpenMode::ReadOnly);
        if (file->size() != f.sizeAfter) return false;
        for (const PageCheck& c : f.after) {
            buf.resize(c.length);
            if (file->read(c.offset, buf.data(), c.length) != c.length) return false;
            if (hash64(buf.data(), c.length) != c.fingerprint) return false;
        }
    }
    return true;
}

namespace {

std::vector<uint8_t> journalBytes(FileSystem& fs, const std::string& path)
{
    auto file = fs.open(path, OpenMode::ReadOnly);
    std::vector<uint8_t> bytes(file->size());
    bytes.resize(file->read(0, bytes.data(), bytes.size()));
    return bytes;
}

} // namespace

bool isRegularFile(FileSystem& fs, const std::string& path) { return fs.exists(path) && !fs.isDirectory(path); }

bool recoveryKeeps(FileSystem& fs, const std::string& dir)
{
    const std::string path = journalPath(fs, dir);
    if (!isRegularFile(fs, path)) return false;
    const ParsedJournal j = parseJournal(journalBytes(fs, path));
    return j.hot && j.mayKeep && j.complete && filesShowAfterState(fs, dir, j.files);
}

bool recoverJournal(FileSystem& fs, const std::string& dir)
{
    const std::string path = journalPath(fs, dir);
    if (!isRegularFile(fs, path)) return false; // no journal; a folder of its name blocks writing only
    ParsedJournal j = parseJournal(journalBytes(fs, path));
    if (!j.hot) return false;
    // A commit whose files were complete before its cold mark got lost stays; its files are
    // flushed once more in case they are read before the disk wrote them out.
    if (j.mayKeep && j.complete && filesShowAfterState(fs, dir, j.files)) {
        for (const FileBefore& f : j.files)
            if (f.existsAfter) fs.open(joinPath(dir, f.path), OpenMode::ReadWrite)->sync();
        fs.syncDirectory(dir);
    } else {
        restoreFiles(fs, dir, j.files);
    }
    auto file = fs.open(path, OpenMode::ReadWrite);
    const std::vector<uint8_t> cold = coldJournalHeader();
    file->write(0, cold.data(), cold.size());
    file->sync();
    return true;
}

} // namespace trevo::engine::detail
