// Before-images of one transaction or one single operation.
#include "engine/storage/batch_impl.h"

#include "engine/core/error.h"

#include <algorithm>
#include <cstring>
#include <set>

namespace trevo::engine {

using detail::ImageChanges;
using detail::pageSize;
using detail::UndoEntry;

struct Batch::Impl {
    Storage& storage;
    bool transaction;
    Batch* self = nullptr;
    std::vector<ImageChanges> changes;
    std::unordered_map<const FileImage*, size_t> index;
    std::vector<UndoEntry> undo;
    bool logging = false; // savepoints in use: keep the undo log
    size_t mark = 0;      // the latest savepoint

    Impl(Storage& s, bool t) : storage(s), transaction(t) {}

    ImageChanges& record(FileImage& image);
    void savePages(ImageChanges& rec, uint64_t from, uint64_t to);
    void log(UndoEntry::Kind kind, FileImage& image, uint64_t value, const uint8_t* p = nullptr,
             size_t n = 0);
    void restoreAll();
    void release();
    void adopt(ImageChanges&& other);
};

ImageChanges& Batch::Impl::record(FileImage& image)
{
    auto it = index.find(&image);
    if (it != index.end()) return changes[it->second];
    if (transaction) {
        for (Batch* other : image.batches_)
            if (other != self && other->impl_->transaction)
                throw EngineError("Die Datei '" + image.path()
                                  + "' wird gerade in der offenen Transaktion einer anderen Sitzung geändert");
    }
    ImageChanges rec;
    rec.image = image.shared_from_this();
    rec.originalSize = image.size();
    changes.push_back(std::move(rec));
    index.emplace(&image, changes.size() - 1);
    image.batches_.push_back(self);
    return changes.back();
}

void Batch::Impl::savePages(ImageChanges& rec, uint64_t from, uint64_t to)
{
    if (to <= from) return;
    const FileImage& image = *rec.image;
    for (uint64_t p = from / pageSize; p <= (to - 1) / pageSize; ++p) {
        if (rec.pages.count(p)) continue;
        const uint64_t start = p * pageSize;
        const uint64_t end = std::min({start + pageSize, rec.originalSize, image.size()});
        std::vector<uint8_t> before;
        if (start < end) before.assign(image.data() + start, image.data() + end);
        rec.pages.emplace(p, std::move(before));
    }
}

void Batch::Impl::log(UndoEntry::Kind kind, FileImage& image, uint64_t value, const uint8_t* p,
                      size_t n)
{
    if (!logging) return;
    UndoEntry e{kind, &image, value, {}};
    if (n) e.bytes.assign(p, p + n);
    undo.push_back(std::move(e));
}

void Batch::Impl::restoreAll()
{
    for (ImageChanges& rec : changes) {
        FileImage& image = *rec.image;
        if (!rec.existed) {
            image.detached_ = true;
            storage.forget(image);
            continue;
        }
        image.bytes_.resize(rec.originalSize);
        for (const auto& [page, before] : rec.pages)
            if (!before.empty()) std::memcpy(image.bytes_.data() + page * pageSize, before.data(), before.size());
        if (rec.removedHere) image.removed_ = false;
    }
}

void Batch::Impl::release()
{
    for (ImageChanges& rec : changes) {
        auto& list = rec.image->batches_;
        list.erase(std::remove(list.begin(), list.end(), self), list.end());
    }
    changes.clear();
    index.clear();
    undo.clear();
    logging = false;
    mark = 0;
    storage.endBareLease();
}

// Takes over the changes a plain batch made to an image this batch holds: they become
// durable with this batch's commit and are undone by its rollback.
void Batch::Impl::adopt(ImageChanges&& other)
{
    ImageChanges& rec = record(*other.image);
    for (auto& [page, before] : other.pages) {
        if (rec.pages.count(page)) continue;
        const uint64_t start = page * pageSize;
        const uint64_t keep = rec.originalSize > start ? std::min<uint64_t>(rec.originalSize - start, before.size()) : 0;
        before.resize(keep);
        rec.pages.emplace(page, std::move(before));
    }
}

Batch::Batch(Storage& storage, bool transaction) : impl_(std::make_unique<Impl>(storage, transaction))
{
    impl_->self = this;
}

Batch::~Batch()
{
    if (impl_->storage.activeBatch() == this) impl_->storage.setActiveBatch(nullptr);
    try {
        rollback();
    } catch (...) {
    }
}

bool Batch::empty() const { return impl_->changes.empty(); }

void Batch::touch(FileImage& image, uint64_t off, size_t n)
{
    if (n == 0) return;
    ImageChanges& rec = impl_->record(image);
    impl_->savePages(rec, off, off + n);
    if (impl_->logging && off < image.size()) {
        const size_t keep = static_cast<size_t>(std::min<uint64_t>(n, image.size() - off));
        impl_->log(UndoEntry::Bytes, image, off, image.data() + off, keep);
    }
}

void Batch::touchResize(FileImage& image, uint64_t newSize)
{
    const uint64_t current = image.size();
    if (newSize == current) return;
    ImageChanges& rec = impl_->record(image);
    if (newSize < current) {
        impl_->savePages(rec, newSize, current);
        impl_->log(UndoEntry::Bytes, image, newSize, image.data() + newSize,
                   static_cast<size_t>(current - newSize));
    } else {
        impl_->savePages(rec, current, newSize);
    }
    impl_->log(UndoEntry::Size, image, current);
}

void Batch::noteCreated(const std::shared_ptr<FileImage>& image)
{
    ImageChanges& rec = impl_->record(*image);
    rec.existed = false;
    rec.originalSize = 0;
    impl_->log(UndoEntry::Created, *image, 0);
}

void Batch::noteRemoved(FileImage& image)
{
    for (Batch* other : image.batches_)
        if (other != this)
            throw EngineError("Die Datei '" + image.path()
                              + "' wird in einer offenen Transaktion geändert und kann nicht gelöscht werden");
    ImageChanges& rec = impl_->record(image);
    impl_->savePages(rec, 0, image.size());
    rec.removedHere = true;
    image.removed_ = true;
    impl_->log(UndoEntry::Removed, image, 0);
}

void Batch::noteRevived(FileImage& image)
{
    impl_->record(image);
    image.removed_ = false;
    impl_->log(UndoEntry::Revived, image, 0);
}

size_t Batch::savepoint() const
{
    impl_->logging = true;
    impl_->mark = impl_->undo.size();
    return impl_->mark;
}

void Batch::rollbackTo(size_t sp)
{
    auto& undo = impl_->undo;
    if (sp > undo.size()) return;
    std::set<FileImage*> touched;
    while (undo.size() > sp) {
        UndoEntry& e = undo.back();
        FileImage& image = *e.image;
        switch (e.kind) {
        case UndoEntry::Bytes:
            if (image.bytes_.size() < e.value + e.bytes.size()) image.bytes_.resize(e.value + e.bytes.size());
            std::memcpy(image.bytes_.data() + e.value, e.bytes.data(), e.bytes.size());
            break;
        case UndoEntry::Size: image.bytes_.resize(e.value); break;
        case UndoEntry::Created:
            image.detached_ = true;
            impl_->storage.forget(image);
            break;
        case UndoEntry::Removed: image.removed_ = false; break;
        case UndoEntry::Revived: image.removed_ = true; break;
        }
        touched.insert(&image);
        undo.pop_back();
    }
    impl_->mark = sp;
    for (FileImage* image : touched) image->notifyRestored();
}

void Batch::rollback()
{
    if (impl_->changes.empty()) return;
    std::vector<std::shared_ptr<FileImage>> images;
    for (ImageChanges& rec : impl_->changes) images.push_back(rec.image);
    impl_->restoreAll();
    impl_->release();
    for (auto& image : images) image->notifyRestored();
}

void Batch::commit()
{
    if (impl_->changes.empty()) return;
    std::vector<const ImageChanges*> own;
    std::vector<ImageChanges*> handedOver;
    for (ImageChanges& rec : impl_->changes) {
        const FileImage& image = *rec.image;
        if (image.detached_) continue;
        if (image.batches_.front() != this)
            handedOver.push_back(&rec);
        else if (rec.existed || !image.removed_)
            own.push_back(&rec);
    }
    try {
        impl_->storage.commitChanges(own);
    } catch (...) {
        rollback();
        throw;
    }
    for (ImageChanges* rec : handedOver) {
        Batch* owner = rec->image->batches_.front();
        owner->impl_->adopt(std::move(*rec));
    }
    impl_->release();
}

} // namespace trevo::engine
