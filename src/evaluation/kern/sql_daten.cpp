#include "evaluation/kern/sql_daten.h"

#include "engine/core/collation.h"
#include "engine/core/error.h"
#include "engine/sql/sql.h"

namespace trevo::evaluation {

using engine::Value;

size_t spalte(const engine::sql::QueryResult& r, const std::string& name)
{
    for (size_t i = 0; i < r.columns.size(); ++i)
        if (engine::toUpperGerman(r.columns[i].name) == engine::toUpperGerman(name)) return i;
    throw engine::EngineError("Die Abfrage hat keine Spalte " + name);
}

namespace {

std::optional<Cent> summe(const Value& v)
{
    if (v.isNull()) return std::nullopt;
    return centVon(v);
}

std::vector<Abschnittssumme> abschnittssummen(const engine::sql::QueryResult& r, const char* betrag)
{
    const size_t a = spalte(r, "ABSCHNITT"), s = spalte(r, betrag);
    std::vector<Abschnittssumme> out;
    for (const auto& row : r.rows) out.push_back({row[a], summe(row[s])});
    return out;
}

} // namespace

SqlDaten::SqlDaten(engine::Database& db, engine::Session& session, std::string ordner)
    : db_(db), session_(session), ordner_(ordner), texte_(std::move(ordner))
{
}

engine::sql::QueryResult SqlDaten::ausfuehren(const std::string& text)
{
    ++anweisungen_;
    return engine::sql::execute(db_, session_, text, ordner_);
}

std::vector<Value> SqlDaten::teilnehmer(int64_t termin)
{
    const auto r = ausfuehren(texte_.teilnehmer(termin));
    const size_t k = spalte(r, "KEGLER");
    std::vector<Value> out;
    for (const auto& row : r.rows) out.push_back(row[k]);
    return out;
}

bool SqlDaten::teilgenommen(int64_t termin, int64_t kegler, int64_t abschnitt)
{
    return !ausfuehren(texte_.teilgenommen(termin, kegler, abschnitt)).rows.empty();
}

std::vector<Abschnittsanzahl> SqlDaten::teilnehmerProAbschnitt(int64_t termin)
{
    const auto r = ausfuehren(texte_.teilnehmerProAbschnitt(termin));
    const size_t n = spalte(r, "ANZAHL"), a = spalte(r, "ABSCHNITT");
    std::vector<Abschnittsanzahl> out;
    for (const auto& row : r.rows) out.push_back({row[a], static_cast<int64_t>(row[n].toNumber())});
    return out;
}

std::vector<Abschnittssumme> SqlDaten::spielSummen(int64_t termin)
{
    return abschnittssummen(ausfuehren(texte_.spielSummen(termin)), "SUMME");
}

std::vector<Abschnittssumme> SqlDaten::sonstigeSummen(int64_t termin)
{
    return abschnittssummen(ausfuehren(texte_.sonstigeSummen(termin)), "GESBETRAG");
}

std::vector<std::optional<Cent>> SqlDaten::spiele(int64_t termin, int64_t kegler)
{
    const auto r = ausfuehren(texte_.spiele(termin, kegler));
    const size_t s = spalte(r, "SUMME");
    std::vector<std::optional<Cent>> out;
    for (const auto& row : r.rows) out.push_back(summe(row[s]));
    return out;
}

std::optional<Cent> SqlDaten::sonstiges(int64_t termin, int64_t kegler)
{
    const auto r = ausfuehren(texte_.sonstiges(termin, kegler));
    if (r.rows.empty()) return std::nullopt;
    return centVon(r.rows[0][spalte(r, "SUMME")]);
}

std::vector<Periodentermin> SqlDaten::termine(const std::string& von, const std::string& bis)
{
    const auto r = ausfuehren(texte_.termine(von, bis));
    const size_t n = spalte(r, "NUMMER"), d = spalte(r, "DATUM"), p = spalte(r, "PREISLISTE"),
                 b = spalte(r, "BEITRAG");
    std::vector<Periodentermin> out;
    for (const auto& row : r.rows) out.push_back({row[n], row[d], row[p], row[b]});
    return out;
}

std::vector<Rangzeile> SqlDaten::rangfolge(const std::string& von, const std::string& bis, int64_t sonstiges)
{
    const auto r = ausfuehren(texte_.rangfolge(von, bis, sonstiges));
    const size_t s = spalte(r, "SUMME"), k = spalte(r, "KEGLER"), n = spalte(r, "NAME");
    std::vector<Rangzeile> out;
    for (const auto& row : r.rows)
        out.push_back({row[s], row[k], row[n].isNull() ? std::string() : std::string(engine::trimRight(row[n].toText()))});
    return out;
}

} // namespace trevo::evaluation
