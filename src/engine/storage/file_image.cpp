#include "engine/storage/storage.h"

#include "engine/core/error.h"

#include <cstring>
#include <stdexcept>

namespace trevo::engine {

FileImage::FileImage(Storage& storage, std::string path, std::vector<uint8_t> bytes, bool readOnly)
    : storage_(storage), path_(std::move(path)), bytes_(std::move(bytes)), readOnly_(readOnly)
{
}

Batch& FileImage::changingBatch()
{
    Batch* batch = storage_.activeBatch();
    if (!batch)
        throw std::logic_error("Datei '" + path_ + "' wird außerhalb einer atomaren Änderung geändert");
    if (readOnly_) throw IoError("Datei '" + path_ + "' ist schreibgeschützt und kann nicht geändert werden");
    if (removed_ || detached_) throw EngineError("Datei '" + path_ + "' nicht gefunden");
    if (writerGeneration_ != storage_.writerGeneration_) {
        storage_.ensureWriter(path_);
        writerGeneration_ = storage_.writerGeneration_;
    }
    return *batch;
}

void FileImage::write(uint64_t off, const void* src, size_t n)
{
    if (n == 0) return;
    if (off > bytes_.max_size() || n > bytes_.max_size() - off)
        throw IoError("Datei '" + path_ + "' konnte nicht geschrieben werden: Datei zu groß");
    Batch& batch = changingBatch();
    batch.touch(*this, off, n);
    if (off + n > bytes_.size()) {
        batch.touchResize(*this, off + n);
        bytes_.resize(off + n);
    }
    std::memcpy(bytes_.data() + off, src, n);
}

void FileImage::resize(uint64_t newSize)
{
    if (newSize == bytes_.size()) return;
    if (newSize > bytes_.max_size())
        throw IoError("Datei '" + path_ + "' konnte nicht geschrieben werden: Datei zu groß");
    changingBatch().touchResize(*this, newSize);
    bytes_.resize(newSize);
}

void FileImage::onRestored(std::function<void()> listener) { restoredListeners_.push_back(std::move(listener)); }

void FileImage::notifyRestored()
{
    // A listener may register further listeners; walk a copy.
    const auto listeners = restoredListeners_;
    for (const auto& l : listeners) l();
}

} // namespace trevo::engine
