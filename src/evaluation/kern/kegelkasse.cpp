#include "evaluation/kern/kegelkasse.h"

#include "common/dialogs/dialogs.h"
#include "common/helpers/stellen_runden.h"
#include "engine/dataset/table_data_set.h"
#include "evaluation/kern/nachschlagen.h"

#include <cmath>

namespace trevo::evaluation {

using engine::Value;

namespace {

constexpr int64_t kKonto = 1; // the club's only account

long double faktorVon(Nachschlagen& n, int64_t waehrung)
{
    const auto f = n.faktor(waehrung);
    if (!f) return 1;
    if (*f == 0) throw engine::EngineError("Die Währung Nr. " + std::to_string(waehrung) + " hat keinen Umrechnungsfaktor");
    return static_cast<long double>(*f);
}

// Whether a booking dated today holds that amount; the data set ends on the last one looked at.
bool schonGebucht(engine::TableDataSet& b, int32_t heute, Cent betrag)
{
    if (!b.findKey(Value::date(heute))) return false;
    do {
        const Value datum = b.value("DATUM");
        if (!datum.isDate() || datum.date() != heute) return false;
        if (!b.value("BETRAG").isNull() && centVon(b.value("BETRAG")) == betrag) return true;
    } while (b.next());
    return false;
}

} // namespace

Cent Buchungsbetrag(Nachschlagen& n, const Terminergebnis& t)
{
    const int64_t konto = n.kontoWaehrung(kKonto);
    if (konto == 0 || t.waehrung == 0 || konto == t.waehrung) return t.gesamtbetrag;
    const long double umgerechnet = static_cast<long double>(t.gesamtbetrag) / 100.0L / faktorVon(n, t.waehrung) *
                                    faktorVon(n, konto);
    return static_cast<Cent>(std::llround(common::StellenRunden(2, umgerechnet) * 100.0L));
}

bool MitKegelkasseVerrechnen(engine::TableDataSet& b, Nachschlagen& n, const Terminergebnis& t, int32_t heute)
{
    const Cent betrag = Buchungsbetrag(n, t);
    b.checkBrowseMode();
    b.setIndex("DATUM");
    if (schonGebucht(b, heute, betrag)) {
        const QString frage = QStringLiteral("Es ist schon eine Buchung für den ") + QString::fromStdString(t.datum) +
                              QStringLiteral(" mit ") + QString::fromStdString(mitKomma(formatiert(betrag, 6, true))) +
                              QStringLiteral(" gespeichert.  Daten trotzdem speichern ?");
        if (!common::dialogs().yesNo(frage)) return false;
    }
    // The data module's rules write booking and balance in one transaction of the
    // cash-book session; a booking that cannot be stored is not left pending.
    try {
        b.append();
        b.setValue("KONTONR", Value::number(double(kKonto)));
        b.setValue("DATUM", Value::date(heute));
        b.setValue("BETRAG", alsWert(betrag));
        b.setValue("TYP", Value::number(1));
        b.setValue("BESCHREIBU", Value::text("Kegeln am " + t.datum));
        b.post();
    } catch (...) {
        if (b.editing()) b.cancel();
        throw;
    }
    return true;
}

} // namespace trevo::evaluation
