#include "engine/fs/memory_file_system.h"

#include "engine/fs/io_error_text.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace trevo::engine {

class MemoryFileSystem::MemFile : public File {
public:
    MemFile(std::shared_ptr<Node> node, std::string path, bool writable)
        : node_(std::move(node)), path_(std::move(path)), writable_(writable) {}

    uint64_t size() override { return node_->data.size(); }

    size_t read(uint64_t off, void* dst, size_t n) override
    {
        if (off >= node_->data.size()) return 0;
        const size_t k = static_cast<size_t>(std::min<uint64_t>(n, node_->data.size() - off));
        std::memcpy(dst, node_->data.data() + off, k);
        return k;
    }

    void write(uint64_t off, const void* src, size_t n) override
    {
        if (!writable_) throwFileError(path_, "geschrieben", EBADF);
        if (n == 0) return;
        if (off + n > node_->data.size()) node_->data.resize(off + n);
        std::memcpy(node_->data.data() + off, src, n);
    }

    void truncate(uint64_t size) override
    {
        if (!writable_) throwFileError(path_, "in der Größe geändert", EBADF);
        node_->data.resize(size);
    }

    void sync() override { node_->synced = node_->data; }

private:
    std::shared_ptr<Node> node_;
    std::string path_;
    bool writable_;
};

MemoryFileSystem::MemoryFileSystem() { folders_.insert("/"); }

std::string MemoryFileSystem::canonical(const std::string& path)
{
    const std::string p = normalizePath(path);
    std::vector<std::string> parts;
    size_t pos = 0;
    while (pos <= p.size()) {
        size_t next = p.find('/', pos);
        if (next == std::string::npos) next = p.size();
        const std::string part = p.substr(pos, next - pos);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        pos = next + 1;
    }
    std::string out;
    for (const std::string& part : parts) out += "/" + part;
    return out.empty() ? "/" : out;
}

std::shared_ptr<MemoryFileSystem::Node> MemoryFileSystem::find(const std::string& c) const
{
    auto it = files_.find(c);
    return it == files_.end() ? nullptr : it->second;
}

void MemoryFileSystem::requireFolder(const std::string& path, const std::string& c) const
{
    if (!folders_.count(directoryOf(c))) throwFileError(path, "angelegt", ENOENT);
}

std::unique_ptr<File> MemoryFileSystem::open(const std::string& path, OpenMode mode)
{
    const std::string c = canonical(path);
    if (folders_.count(c)) throwFileError(path, "geöffnet", EISDIR);
    auto node = find(c);
    if (node && mode == OpenMode::Create) throwFileError(path, "angelegt", EEXIST);
    if (!node) {
        if (mode == OpenMode::ReadOnly || mode == OpenMode::ReadWrite) throwFileError(path, "geöffnet", ENOENT);
        requireFolder(path, c);
        if (readOnlyFolders_.count(directoryOf(c))) throwFileError(path, "angelegt", EACCES);
        node = std::make_shared<Node>();
        files_[c] = node;
    }
    const bool writable = mode != OpenMode::ReadOnly;
    if (writable && node->readOnly) throwFileError(path, "geöffnet", EACCES);
    return std::make_unique<MemFile>(node, path, writable);
}

bool MemoryFileSystem::exists(const std::string& path)
{
    const std::string c = canonical(path);
    return files_.count(c) || folders_.count(c);
}

bool MemoryFileSystem::isDirectory(const std::string& path) { return folders_.count(canonical(path)) > 0; }

void MemoryFileSystem::remove(const std::string& path)
{
    const std::string c = canonical(path);
    if (files_.count(c) && readOnlyFolders_.count(directoryOf(c))) throwFileError(path, "gelöscht", EACCES);
    if (!files_.erase(c)) throwFileError(path, "gelöscht", ENOENT);
}

void MemoryFileSystem::rename(const std::string& from, const std::string& to)
{
    const std::string a = canonical(from), b = canonical(to);
    auto node = find(a);
    if (!node) throwFileError(from, "umbenannt", ENOENT);
    requireFolder(to, b);
    files_.erase(a);
    files_[b] = node;
}

std::vector<std::string> MemoryFileSystem::list(const std::string& dir)
{
    const std::string c = canonical(dir);
    if (!folders_.count(c)) throwFolderError(dir, "gelesen", ENOENT);
    std::vector<std::string> names;
    for (const auto& [p, node] : files_)
        if (directoryOf(p) == c) names.push_back(fileNameOf(p));
    for (const std::string& f : folders_)
        if (f != "/" && directoryOf(f) == c) names.push_back(fileNameOf(f));
    return names;
}

void MemoryFileSystem::makeDirectory(const std::string& path)
{
    const std::string c = canonical(path);
    if (folders_.count(c)) return;
    if (!folders_.count(directoryOf(c))) throwFolderError(path, "angelegt", ENOENT);
    if (files_.count(c)) throwFolderError(path, "angelegt", EEXIST);
    folders_.insert(c);
}

void MemoryFileSystem::syncDirectory(const std::string& dir)
{
    const std::string c = canonical(dir);
    if (!folders_.count(c)) throwFolderError(dir, "geöffnet", ENOENT);
    for (auto it = durable_.begin(); it != durable_.end();)
        it = directoryOf(it->first) == c ? durable_.erase(it) : std::next(it);
    for (const auto& [p, node] : files_)
        if (directoryOf(p) == c) durable_[p] = node;
}

void MemoryFileSystem::crash()
{
    files_ = durable_;
    for (auto& [p, node] : files_) node->data = node->synced;
}

void MemoryFileSystem::settle()
{
    durable_ = files_;
    for (auto& [p, node] : files_) node->synced = node->data;
}

void MemoryFileSystem::putFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    const std::string c = canonical(path);
    std::string dir = directoryOf(c);
    std::vector<std::string> missing;
    while (!folders_.count(dir)) {
        missing.push_back(dir);
        dir = directoryOf(dir);
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) folders_.insert(*it);
    auto node = std::make_shared<Node>();
    node->data = node->synced = bytes;
    files_[c] = durable_[c] = node;
}

void MemoryFileSystem::putFile(const std::string& path, const std::string& bytes)
{
    putFile(path, std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

std::vector<uint8_t> MemoryFileSystem::contents(const std::string& path) const
{
    auto node = find(canonical(path));
    return node ? node->data : std::vector<uint8_t>();
}

std::vector<std::string> MemoryFileSystem::files() const
{
    std::vector<std::string> out;
    for (const auto& [p, node] : files_) out.push_back(p);
    return out;
}

void MemoryFileSystem::setReadOnly(const std::string& path, bool readOnly)
{
    const std::string c = canonical(path);
    if (auto node = find(c)) node->readOnly = readOnly;
    else if (folders_.count(c) && readOnly) readOnlyFolders_.insert(c);
    else if (folders_.count(c)) readOnlyFolders_.erase(c);
}

} // namespace trevo::engine
