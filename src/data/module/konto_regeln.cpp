// The cash-book balance: every completed booking operation keeps KONTOSTAND of the
// booking's account equal to STARTSALDO plus the sum of the account's BETRAG.
//  - a booking going into change takes its stored amount off the balance;
//  - posting a booking (new or changed) adds its amount;
//  - cancelling a change adds back what was taken off (a cancelled new booking changes nothing);
//  - deleting a booking takes its amount off (when it is being changed, that happened already).
#include "data/module/ke_data_form.h"

namespace trevo::data {

using engine::DataSet;
using engine::TableDataSet;
using engine::Value;

void TKeDataForm::kontoRegeln(TableDataSet& b)
{
    auto& e = b.events;
    e.afterInsert = [this, &b](DataSet& ds) {
        standardNummerierung(b);
        ds.setValue("KONTONR", Value::number(AktuellesKonto()));
    };
    e.afterEdit = [this](DataSet& ds) {
        const double betrag = ds.value("BETRAG").toNumber();
        kontostandAendern(ds, -betrag);
        abgezogen_[&ds] = betrag;
    };
    e.afterPost = [this, &b](DataSet& ds) {
        abgezogen_.erase(&ds);
        menueRegel(b);
        kontostandAendern(ds, ds.value("BETRAG").toNumber());
    };
    e.afterCancel = [this](DataSet& ds) {
        const auto it = abgezogen_.find(&ds);
        if (it == abgezogen_.end()) return;
        const double betrag = it->second;
        abgezogen_.erase(it);
        kontostandAendern(ds, betrag);
    };
    e.beforeDelete = [this](DataSet& ds) {
        if (abgezogen_.erase(&ds)) return; // a booking in change: its amount is off already
        kontostandAendern(ds, -ds.value("BETRAG").toNumber());
    };
    e.afterDelete = [this, &b](DataSet&) { menueRegel(b); };
}

// The account is found by the booking's KONTONR, whichever cursor the booking went through,
// and created (opening balance 0 on 1.1.1990) when there is none yet.
void TKeDataForm::kontostandAendern(DataSet& buchung, double betrag)
{
    if (betrag == 0) return;
    const int64_t konto = AlsGanzzahl(buchung.value("KONTONR")).value_or(0);
    if (d_->KontodefTable1.active() && d_->KontodefTable1.editing()) d_->KontodefTable1.post();
    TableDataSet& k = d_->KontostandTable;
    if (konto != 0 && k.locate("KONTONR", Value::number(double(konto)))) {
        k.edit();
    } else {
        k.append();
        if (konto != 0) k.setValue("KONTONR", Value::number(double(konto)));
    }
    k.setValue("KONTOSTAND", Value::number(k.value("KONTOSTAND").toNumber() + betrag));
    k.post();
}

} // namespace trevo::data
