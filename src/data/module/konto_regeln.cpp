// The cash-book balance: every completed booking operation keeps KONTOSTAND of the
// booking's account equal to STARTSALDO plus the sum of the account's BETRAG.
//  - a booking going into change takes its stored amount off the balance;
//  - posting a booking (new or changed) adds its amount;
//  - cancelling a change adds back what was taken off (a cancelled new booking changes nothing);
//  - deleting a booking takes its amount off (when it is being changed, that happened already).
// Each balance change is posted at once, inside the transaction of the cash-book session
// that also holds the booking (konto_transaktion.h): booking and balance become durable
// together, when the operation and every other open change have ended.
#include "data/module/ke_data_form.h"
#include "data/module/konto_transaktion.h"

#include "common/helpers/stellen_runden.h"

namespace trevo::data {

using engine::DataSet;
using engine::TableDataSet;
using engine::Value;

namespace {

double betragVon(DataSet& ds) { return ds.value("BETRAG").toNumber(); }

} // namespace

void TKeDataForm::kontoRegeln(TableDataSet& b)
{
    auto tx = std::make_shared<KontoTransaktion>(
        *d_, b.session(), [this](DataSet& buchung, double betrag) { kontostandAendern(buchung, betrag); });
    auto& e = b.events;
    e.afterInsert = [this, &b](DataSet& ds) {
        standardNummerierung(b);
        ds.setValue("KONTONR", Value::number(AktuellesKonto()));
    };
    e.afterEdit = [this, tx](DataSet& ds) {
        const double betrag = betragVon(ds);
        try {
            tx->beginnen(&ds);
            kontostandAendern(ds, -betrag);
        } catch (...) {
            ds.cancel(); // a change whose amount is not off the balance must not stay open
            tx->freigeben();
            throw;
        }
        abgezogen_[&ds] = betrag;
    };
    e.beforePost = [tx](DataSet&) { tx->beginnen(); };
    e.postError = [tx](DataSet&, const engine::EngineError&) {
        tx->freigeben(); // the failed write took back its own changes; a change stays open
        return engine::PostErrorAction::Fail;
    };
    e.afterPost = [this, &b, tx](DataSet& ds) {
        abgezogen_.erase(&ds);
        try {
            kontostandAendern(ds, betragVon(ds));
        } catch (...) {
            tx->zuruecknehmen();
            throw;
        }
        tx->abschliessen();
        menueRegel(b);
    };
    // Only a change puts anything back: a cancelled new booking never touched the balance.
    e.afterCancel = [this, tx](DataSet& ds) {
        const auto it = abgezogen_.find(&ds);
        if (it == abgezogen_.end()) return;
        const double betrag = it->second;
        abgezogen_.erase(it);
        try {
            kontostandAendern(ds, betrag);
        } catch (...) {
            tx->zuruecknehmen();
            throw;
        }
        tx->abschliessen();
    };
    e.beforeDelete = [this, tx](DataSet& ds) {
        if (abgezogen_.count(&ds)) return; // a booking in change: its amount is off already
        tx->beginnen();
        try {
            kontostandAendern(ds, -betragVon(ds));
        } catch (...) {
            tx->zuruecknehmen();
            throw;
        }
    };
    e.afterDelete = [this, &b, tx](DataSet& ds) {
        abgezogen_.erase(&ds);
        tx->abschliessen();
        menueRegel(b);
    };

    // The account cursors leave the transaction to the booking rules above.
    for (TableDataSet* k : {&d_->KontodefTable1, &d_->KontostandTable})
        k->events.postError = [](DataSet&, const engine::EngineError&) { return engine::PostErrorAction::Fail; };
}

// The account is found by the booking's KONTONR, whichever cursor the booking went through,
// and created (opening balance 0 on 1.1.1990) when there is none yet.
void TKeDataForm::kontostandAendern(DataSet& buchung, double betrag)
{
    if (betrag == 0) return;
    const int64_t konto = AlsGanzzahl(buchung.value("KONTONR")).value_or(0);
    if (d_->KontodefTable1.active() && d_->KontodefTable1.editing()) d_->KontodefTable1.post();
    TableDataSet& k = d_->KontostandTable;
    try {
        if (konto != 0 && k.locate("KONTONR", Value::number(double(konto)))) {
            k.edit();
        } else {
            k.append();
            if (konto != 0) k.setValue("KONTONR", Value::number(double(konto)));
        }
        const long double stand = static_cast<long double>(k.value("KONTOSTAND").toNumber()) + betrag;
        k.setValue("KONTOSTAND", Value::number(static_cast<double>(common::StellenRunden(2, stand))));
        k.post();
    } catch (...) {
        if (k.editing()) k.cancel();
        throw;
    }
}

} // namespace trevo::data
