#include "evaluation/kern/ergebnistabellen.h"

#include "data/store/schema.h"
#include "engine/core/error.h"
#include "engine/database.h"

namespace trevo::evaluation {

using engine::Value;

namespace {

void setzen(engine::DbfTable& t, engine::Record& r, const char* feld, Value v)
{
    const int i = t.fieldIndex(feld);
    if (i < 0) throw engine::EngineError("Die Tabelle " + t.path() + " hat kein Feld " + feld);
    r[static_cast<size_t>(i)] = std::move(v);
}

std::string ohneRaender(const std::string& s)
{
    const size_t a = s.find_first_not_of(' ');
    if (a == std::string::npos) return {};
    return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

} // namespace

Ergebnistabellen::Ergebnistabellen(engine::Database& db, const std::string& ordner)
    : auswertung_(db.table(ordner + data::tables::Auswertu)), werte_(db.table(ordner + data::tables::Wertetab))
{
}

void Ergebnistabellen::leeren()
{
    auswertung_->zap();
    werte_->zap();
    zeilen_ = werteZeilen_ = 0;
}

void Ergebnistabellen::zeile(const std::string& name, const std::string& mitgliedsnummer, const Value& spiele,
                             const Value& sonstiges, const Value& beitrag, const Value& summe)
{
    Value nummer;
    if (!ohneRaender(mitgliedsnummer).empty()) {
        const auto zahl = engine::parseNumber(mitgliedsnummer);
        if (!zahl)
            throw engine::ValueError("'" + mitgliedsnummer + "' ist kein gültiger Fließkommawert für Feld '" +
                                     data::tableSchema(data::tables::Auswertu).field("NUMMER")->label + "'");
        nummer = Value::number(*zahl);
    }
    zeile(name, nummer, spiele, sonstiges, beitrag, summe);
}

void Ergebnistabellen::zeile(const std::string& name, const Value& nummer, const Value& spiele, const Value& sonstiges,
                             const Value& beitrag, const Value& summe)
{
    engine::DbfTable& t = *auswertung_;
    engine::Record r(t.fields().size());
    setzen(t, r, "NAME", Value::text(name));
    setzen(t, r, "NUMMER", nummer);
    setzen(t, r, "SPIELE", spiele);
    setzen(t, r, "SONSTIGES", sonstiges);
    setzen(t, r, "BEITRAG", beitrag);
    setzen(t, r, "SUMME", summe);
    t.append(r);
    ++zeilen_;
}

void Ergebnistabellen::wert(const std::string& bezeichnung, const std::string& wert)
{
    engine::DbfTable& t = *werte_;
    engine::Record r(t.fields().size());
    setzen(t, r, "NUMMER", Value::number(double(++werteZeilen_)));
    setzen(t, r, "BEZEICHNUN", Value::text(bezeichnung));
    setzen(t, r, "WERT", Value::text(wert));
    t.append(r);
}

} // namespace trevo::evaluation
