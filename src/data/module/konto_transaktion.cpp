#include "data/module/konto_transaktion.h"

#include "engine/storage/session.h"

namespace trevo::data {

KontoTransaktion::KontoTransaktion(Datenmengen& d, engine::Session& session, Kontostandaenderung aendern)
    : d_(d), session_(session), aendern_(std::move(aendern))
{
}

std::vector<engine::TableDataSet*> KontoTransaktion::buchungen() const
{
    return {&d_.KontoTable1, &d_.KontolookupTable1};
}

bool KontoTransaktion::aenderungOffen(const engine::DataSet* ausser) const
{
    for (engine::TableDataSet* b : buchungen())
        if (b != ausser && b->active() && b->state() == engine::DataSetState::Edit) return true;
    return false;
}

void KontoTransaktion::beginnen(const engine::DataSet* buchung)
{
    if (session_.inTransaction() && !aenderungOffen(buchung)) {
        session_.rollback();
        auffrischen();
    }
    if (!session_.inTransaction()) session_.startTransaction();
}

void KontoTransaktion::abschliessen()
{
    if (!session_.inTransaction() || aenderungOffen()) return;
    try {
        session_.commit();
    } catch (...) {
        auffrischen();
        throw;
    }
}

void KontoTransaktion::zuruecknehmen()
{
    session_.rollback();
    auffrischen();
    for (engine::TableDataSet* b : buchungen()) {
        if (!b->active() || b->state() != engine::DataSetState::Edit) continue;
        if (!session_.inTransaction()) session_.startTransaction();
        if (aendern_) aendern_(*b, -b->oldValue(b->requireField("BETRAG")).toNumber());
    }
}

void KontoTransaktion::freigeben()
{
    if (session_.inTransaction() && !aenderungOffen()) session_.rollback();
}

// The cursors on the two files are read again; one with a pending record keeps it.
void KontoTransaktion::auffrischen()
{
    for (engine::TableDataSet* t : {&d_.KontoTable1, &d_.KontolookupTable1, &d_.KontodefTable1, &d_.KontostandTable})
        if (t->active() && !t->editing()) t->refresh();
}

} // namespace trevo::data
