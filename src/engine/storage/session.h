#pragma once
// Named sessions and their transactions.
//
// Invariants:
//  - Every change of a file happens inside Session::atomically. Outside a transaction
//    each atomically() call is its own batch, committed durably before it returns.
//  - Inside a transaction all atomically() calls of the session add to the one
//    transaction batch; a call that throws undoes only its own changes (savepoint).
//  - A transaction covers the files changed through its session and no others.
//  - Other sessions see uncommitted changes (dirty read): all sessions share the
//    same in-memory file images.
//  - A single operation of another session on a file that an open transaction has
//    changed joins that transaction (its bytes cannot reach the disk without the
//    transaction's): it becomes durable with the commit and is undone by a rollback.
//    Two open transactions changing the same file is refused with an EngineError.
//  - Every change happens under the writer locks of its folders (see Storage), taken before
//    the outermost atomic scope or the transaction reads anything, and given up at its end.
//  - commit() makes the whole transaction durable or, on failure, leaves every file
//    as before the transaction and throws. rollback() restores the images; without an
//    open transaction it does nothing.
#include "engine/storage/storage.h"

#include <memory>
#include <string>

namespace trevo::engine {

class Session {
public:
    Session(Storage& storage, std::string name);
    ~Session();
    const std::string& name() const { return name_; }
    Storage& storage() { return storage_; }

    void startTransaction(); // EngineError when one is active
    void commit();
    void rollback();
    bool inTransaction() const { return txn_ != nullptr; }

    // Runs f as one atomic change (see invariants above) and returns its result.
    template <class F>
    decltype(auto) atomically(F&& f);

private:
    // Ends a bracket of changes of the storage (see Storage::beginChanges) when it goes.
    struct Lease {
        Storage& storage;
        explicit Lease(Storage& s) : storage(s) {}
        ~Lease() { storage.endChanges(); }
    };
    Storage& storage_;
    std::string name_;
    std::unique_ptr<Batch> txn_;
};

template <class F>
decltype(auto) Session::atomically(F&& f)
{
    Batch* previous = storage_.activeBatch();
    if (txn_) {
        const size_t sp = txn_->savepoint();
        storage_.setActiveBatch(txn_.get());
        try {
            if constexpr (std::is_void_v<decltype(f())>) {
                f();
                storage_.setActiveBatch(previous);
                return;
            } else {
                decltype(auto) r = f();
                storage_.setActiveBatch(previous);
                return r;
            }
        } catch (...) {
            txn_->rollbackTo(sp);
            storage_.setActiveBatch(previous);
            throw;
        }
    }
    if (previous) { // nested call inside another atomic scope: join it
        return f();
    }
    storage_.beginChanges(); // writer locks taken, other programs' commits loaded
    Lease lease(storage_);
    Batch batch(storage_);
    storage_.setActiveBatch(&batch);
    try {
        if constexpr (std::is_void_v<decltype(f())>) {
            f();
            storage_.setActiveBatch(nullptr);
            batch.commit();
            return;
        } else {
            auto r = f();
            storage_.setActiveBatch(nullptr);
            batch.commit();
            return r;
        }
    } catch (...) {
        storage_.setActiveBatch(nullptr);
        batch.rollback();
        throw;
    }
}

} // namespace trevo::engine
