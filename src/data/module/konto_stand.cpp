#include "data/module/konto_stand.h"

#include "data/module/ke_data_form.h"
#include "data/module/konto_transaktion.h"

namespace trevo::data {

using engine::Value;

void KontostandAktualisieren(TKeDataForm& modul, int konto)
{
    Datenmengen& d = modul.d();
    d.KontoTable1.checkBrowseMode();
    d.KontolookupTable1.checkBrowseMode();
    engine::TableDataSet& k = d.KontostandTable;
    if (!k.active()) throw engine::EngineError("Die Tabelle der Konten ist nicht geöffnet");

    KontoTransaktion tx(d, k.session(), {});
    tx.beginnen();
    try {
        if (!k.locate("KONTONR", Value::number(konto))) {
            k.append();
            k.setValue("KONTONR", Value::number(konto));
            k.post();
        }
        const double stand = modul.KontostandBerechnen(std::to_string(konto));
        if (!k.locate("KONTONR", Value::number(konto))) throw engine::EngineError("Das Konto ist nicht vorhanden");
        k.edit();
        k.setValue("KONTOSTAND", Value::number(stand));
        k.post();
    } catch (...) {
        if (k.editing()) k.cancel();
        tx.zuruecknehmen();
        throw;
    }
    tx.abschliessen();
}

} // namespace trevo::data
