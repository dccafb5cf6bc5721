#include "masterdata/import/import_lauf.h"

#include "common/helpers/feld_vorhanden.h"
#include "data/dbtools/naechste_nummer.h"
#include "engine/core/error.h"

#include <cmath>

namespace trevo::masterdata {
namespace {

constexpr const char* nummerFeld = "NUMMER";

// Puts the target into Insert or Edit state for the source's current record and returns
// the number to write (> 0) or 0 when the number comes from the source or not at all.
int64_t zielsatzVorbereiten(engine::TableDataSet& ziel, engine::TableDataSet& quelle, int schluessel,
                            data::TDBTools& werkzeuge)
{
    const bool mitNummer = common::FeldVorhanden(ziel.table()->fields(), nummerFeld);
    if (!mitNummer) {
        ziel.append();
        return 0;
    }
    ziel.setIndex(nummerFeld);
    if (schluessel >= 0) {
        const std::string wert = quelle.text(schluessel);
        if (ziel.findKey(engine::Value::text(wert)))
            ziel.edit();
        else
            ziel.append();
        return 0;
    }
    const int64_t neu = data::NaechsteNummer(ziel, nummerFeld, 0, werkzeuge);
    // A failed numbering would store the bowler without a number: end the import instead.
    if (neu < 0) throw engine::EngineError("Die nächste freie Nummer kann nicht ermittelt werden.");
    ziel.append();
    return neu;
}

void felderSchreiben(engine::TableDataSet& ziel, engine::TableDataSet& quelle, const Verbindungen& verbindungen,
                     int64_t neueNummer)
{
    const auto& felder = ziel.table()->fields();
    const int nummer = ziel.fieldIndex(nummerFeld);
    for (size_t i = 0; i < felder.size(); ++i) {
        const int feld = ziel.fieldIndex(felder[i].name);
        if (feld == nummer && neueNummer > 0)
            ziel.setValue(feld, engine::Value::number(static_cast<double>(neueNummer)));
        else if (i < verbindungen.size() && verbindungen[i] >= 0)
            ziel.setText(feld, quelle.text(verbindungen[i]));
    }
}

// Drops the record that could not be stored; the target stays usable.
void verwerfen(engine::TableDataSet& ziel) noexcept
{
    try {
        if (ziel.editing()) ziel.cancel();
    } catch (const engine::EngineError&) {
    }
}

} // namespace

Importergebnis ImportAusfuehren(engine::TableDataSet& ziel, engine::TableDataSet& quelle,
                                const Verbindungen& verbindungen, int schluessel, data::TDBTools& werkzeuge,
                                const std::function<void(int)>& fortschritt)
{
    Importergebnis ergebnis;
    const size_t n = quelle.recordCount();
    if (n == 0) return ergebnis;
    quelle.first();
    for (size_t k = 1; k <= n; ++k) {
        if (fortschritt) fortschritt(static_cast<int>(std::lround(double(k) / double(n) * 100.0)));
        try {
            const int64_t neu = zielsatzVorbereiten(ziel, quelle, schluessel, werkzeuge);
            felderSchreiben(ziel, quelle, verbindungen, neu);
            ziel.post();
            ++ergebnis.gespeichert;
        } catch (const engine::EngineError& e) {
            verwerfen(ziel);
            ergebnis.fehler = QString::fromStdString(e.what());
            return ergebnis;
        }
        if (k < n && !quelle.next()) break;
    }
    return ergebnis;
}

} // namespace trevo::masterdata
