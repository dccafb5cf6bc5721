#include "engine/storage/session.h"

#include "engine/core/error.h"

#include <stdexcept>

namespace trevo::engine {

Session::Session(Storage& storage, std::string name) : storage_(storage), name_(std::move(name)) {}

Session::~Session()
{
    if (!txn_) return;
    try {
        rollback();
    } catch (...) {
    }
}

void Session::startTransaction()
{
    if (txn_) throw EngineError("Die Sitzung '" + name_ + "' hat bereits eine offene Transaktion");
    storage_.beginChanges();
    txn_ = std::make_unique<Batch>(storage_, true);
}

void Session::commit()
{
    if (!txn_) throw EngineError("Die Sitzung '" + name_ + "' hat keine offene Transaktion");
    if (storage_.activeBatch() == txn_.get())
        throw std::logic_error("Transaktion der Sitzung '" + name_ + "' innerhalb einer ihrer Änderungen beendet");
    // On failure the batch has already put everything back; the transaction is over either way.
    std::unique_ptr<Batch> txn = std::move(txn_);
    Lease lease(storage_); // the transaction's, ended with it
    txn->commit();
}

void Session::rollback()
{
    if (!txn_) return;
    if (storage_.activeBatch() == txn_.get())
        throw std::logic_error("Transaktion der Sitzung '" + name_ + "' innerhalb einer ihrer Änderungen beendet");
    std::unique_ptr<Batch> txn = std::move(txn_);
    Lease lease(storage_);
    txn->rollback();
}

} // namespace trevo::engine
