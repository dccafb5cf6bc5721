#include "engine/storage/storage.h"

#include "engine/core/collation.h"
#include "engine/core/error.h"
#include "engine/storage/journal.h"

#include <random>
#include <stdexcept>

namespace trevo::engine {

namespace {

// Lexically cleaned folder: '/' separators, no empty or "." parts, no trailing '/'.
std::string cleanFolder(const std::string& dir)
{
    const std::string d = normalizePath(dir);
    std::string out = d.size() && d[0] == '/' ? "/" : "";
    size_t pos = 0;
    while (pos <= d.size()) {
        size_t next = d.find('/', pos);
        if (next == std::string::npos) next = d.size();
        const std::string part = d.substr(pos, next - pos);
        if (!part.empty() && part != ".") {
            if (!out.empty() && out.back() != '/') out += '/';
            out += part;
        }
        pos = next + 1;
    }
    return out.empty() ? "." : out;
}

std::string notFound(const std::string& path) { return "Datei '" + path + "' nicht gefunden"; }

} // namespace

Storage::Storage(FileSystem& fs) : fs_(fs), folders_(std::make_unique<Folders>())
{
    std::random_device rd;
    folders_->salt = (static_cast<uint64_t>(rd()) << 32) ^ rd();
}

Storage::~Storage()
{
    // The journal is of no use once the program ends; leave no clutter in the folder. The
    // removal is flushed so that no journal can come back over files another program may
    // change in the meantime.
    for (const auto& [dir, state] : folders_->byDir) {
        if (!state.journalWritten || state.hot) continue;
        try {
            const std::string path = detail::journalPath(fs_, dir);
            if (fs_.exists(path)) {
                fs_.remove(path);
                fs_.syncDirectory(dir);
            }
        } catch (...) {
        }
    }
}

std::string Storage::keyOf(const std::string& path)
{
    const std::string p = normalizePath(path);
    return cleanFolder(directoryOf(p)) + "/" + toUpperGerman(fileNameOf(p));
}

std::shared_ptr<FileImage> Storage::lookup(const std::string& key)
{
    auto it = images_.find(key);
    if (it == images_.end()) return nullptr;
    auto image = it->second.lock();
    if (!image) images_.erase(it);
    return image;
}

void Storage::forget(const FileImage& image)
{
    auto it = images_.find(keyOf(image.path()));
    if (it == images_.end()) return;
    auto held = it->second.lock();
    if (!held || held.get() == &image) images_.erase(it);
}

Storage::Folders::State& Storage::Folders::of(const std::string& dir) { return byDir[cleanFolder(dir)]; }

std::shared_ptr<FileImage> Storage::open(const std::string& path)
{
    const std::string p = normalizePath(path);
    const std::string key = keyOf(p);
    if (auto image = lookup(key)) {
        if (image->removed_) throw EngineError(notFound(p));
        return image;
    }
    // The files on disk count only once a hot journal of their folder is rolled back.
    recoverFolder(directoryOf(p));
    const std::string real = resolveCaseInsensitive(fs_, p);
    if (!fs_.exists(real) || fs_.isDirectory(real)) throw EngineError(notFound(p));
    bool readOnly = false;
    std::unique_ptr<File> file;
    try {
        file = fs_.open(real, OpenMode::ReadWrite);
    } catch (const IoError&) {
        file = fs_.open(real, OpenMode::ReadOnly);
        readOnly = true;
    }
    std::vector<uint8_t> bytes(file->size());
    bytes.resize(file->read(0, bytes.data(), bytes.size()));
    auto image = std::shared_ptr<FileImage>(new FileImage(*this, real, std::move(bytes), readOnly));
    images_[key] = image;
    return image;
}

std::shared_ptr<FileImage> Storage::create(const std::string& path)
{
    if (!active_) throw std::logic_error("Datei '" + path + "' wird außerhalb einer atomaren Änderung angelegt");
    const std::string p = normalizePath(path);
    const std::string dir = directoryOf(p);
    const std::string key = keyOf(p);
    if (auto image = lookup(key)) {
        if (!image->removed_) throw EngineError("Datei '" + p + "' existiert bereits");
        active_->noteRevived(*image);
        image->resize(0);
        return image;
    }
    recoverFolder(dir);
    if (fs_.exists(resolveCaseInsensitive(fs_, p))) throw EngineError("Datei '" + p + "' existiert bereits");
    if (!fs_.isDirectory(dir)) throw EngineError("Ordner '" + dir + "' nicht gefunden");
    auto image = std::shared_ptr<FileImage>(new FileImage(*this, p, {}, false));
    images_[key] = image;
    active_->noteCreated(image);
    return image;
}

void Storage::remove(const std::string& path)
{
    if (!active_) throw std::logic_error("Datei '" + path + "' wird außerhalb einer atomaren Änderung gelöscht");
    auto image = open(path);
    if (image->readOnly()) throw IoError("Datei '" + image->path() + "' ist schreibgeschützt und kann nicht gelöscht werden");
    active_->noteRemoved(*image);
}

bool Storage::exists(const std::string& path)
{
    const std::string p = normalizePath(path);
    if (auto image = lookup(keyOf(p))) return !image->removed_;
    recoverFolder(directoryOf(p));
    const std::string real = resolveCaseInsensitive(fs_, p);
    return fs_.exists(real) && !fs_.isDirectory(real);
}

void Storage::recoverFolder(const std::string& dir)
{
    Folders::State& state = folders_->of(dir);
    if (state.recovered && !state.hot) return;
    try {
        detail::recoverJournal(fs_, dir);
    } catch (const EngineError& e) {
        state.recovered = false;
        throw IoError("Das Journal im Ordner '" + dir + "' konnte nicht zurückgespielt werden: " + e.what());
    }
    state.recovered = true;
    state.hot = false;
}

} // namespace trevo::engine
