#pragma once
// The transaction of the cash-book session. A booking and the change of its account's
// balance are written together: the balance rules start the transaction when an operation
// begins and commit it when it ends, so that no state in which the balance and the
// bookings disagree ever becomes durable.
//
// States:
//   Ruhe      no transaction; no booking cursor in change.
//   Laufend   a transaction is open. It holds the operation running now (a post or a
//             delete between its before- and after-rule) and, for every booking cursor in
//             Edit state, the amount taken off the balance when that change began.
// Invariants:
//   - A booking cursor in Edit state has its stored amount (oldValue of BETRAG) taken off
//     the balance inside the open transaction.
//   - The transaction is committed only when no booking cursor is in change any more:
//     a balance without its booking is never durable. While one change is open, the
//     operations of the other cursor join it and become durable with its end.
//   - A transaction found open when an operation begins, with no change open that it
//     could belong to, is what a failed operation left behind: it is rolled back first.
//   - A failed commit leaves the files as before the transaction; the cursors are read
//     again so that they show the files.
#include "data/module/datenmengen.h"

#include <functional>

namespace trevo::engine {
class Session;
}

namespace trevo::data {

class KontoTransaktion {
public:
    // How the rules move the balance of the booking's account by an amount.
    using Kontostandaenderung = std::function<void(engine::DataSet& buchung, double betrag)>;

    KontoTransaktion(Datenmengen& d, engine::Session& session, Kontostandaenderung aendern);

    // Whether a booking cursor other than `ausser` is in change.
    bool aenderungOffen(const engine::DataSet* ausser = nullptr) const;

    // An operation begins: a leftover transaction is rolled back, then a transaction is
    // started unless one is open. A cursor going into change names itself: its Edit state
    // does not count yet, its amount is not off the balance.
    void beginnen(const engine::DataSet* buchung = nullptr);
    // The operation ended: commit unless a change is still open.
    void abschliessen();
    // The operation failed inside the transaction: roll it back, read the cursors again,
    // and take the amounts of the changes still open off the balance once more.
    void zuruecknehmen();
    // A failed operation that wrote nothing: an open transaction that no change needs
    // (it holds nothing) is ended.
    void freigeben();

private:
    void auffrischen();
    std::vector<engine::TableDataSet*> buchungen() const;

    Datenmengen& d_;
    engine::Session& session_;
    Kontostandaenderung aendern_;
};

} // namespace trevo::data
