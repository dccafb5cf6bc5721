#include "data/dbtools/db_tools.h"

#include "common/dialogs/dialogs.h"

#include "engine/core/collation.h"
#include "data/dbtools/anweisung.h"
#include "engine/fs/file_system.h"
#include "engine/index/table_indexes.h"
#include "engine/sql/sql.h"

#include <charconv>
#include <cmath>

namespace trevo::data {

using engine::Value;

TDBTools::TDBTools(engine::Database& db) : db_(db) {}

std::optional<int64_t> AlsGanzzahl(const Value& v)
{
    if (v.isNull()) return 0;
    if (v.isNumber()) {
        const double d = v.number();
        if (!std::isfinite(d) || std::fabs(d) > 9.0e18) return std::nullopt;
        return static_cast<int64_t>(std::trunc(d));
    }
    if (v.isText()) {
        std::string_view s = engine::trimRight(v.text());
        while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
        if (!s.empty() && s.front() == '+') s.remove_prefix(1);
        int64_t n = 0;
        const auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
        if (s.empty() || ec != std::errc() || p != s.data() + s.size()) return std::nullopt;
        return n;
    }
    return std::nullopt;
}

engine::sql::QueryResult TDBTools::Ausfuehren(const std::string& text, const std::string& ordner)
{
    return engine::sql::execute(db_, db_.session(), text, ordner);
}

int64_t TDBTools::Datensatzanzahl(const std::string& pfad)
{
    const auto r = Ausfuehren("SELECT COUNT(*)Anzahl FROM " + InAnfuehrung(pfad), engine::directoryOf(pfad));
    if (r.rows.empty() || r.rows[0].empty()) return 0;
    return AlsGanzzahl(r.rows[0][0]).value_or(0);
}

int TDBTools::FeldPruefen(const std::string& feld, const std::string& ordner, const std::string& datei)
{
    const auto tabelle = db_.table(ordner + datei);
    const auto& felder = tabelle->fields();
    if (felder.empty()) return 2;
    const std::string gesucht = engine::toUpperGerman(feld);
    for (const auto& f : felder)
        if (engine::toUpperGerman(f.name) == gesucht) return 0;
    return 10;
}

int64_t TDBTools::NaechsteNummerSQL(const std::string& pfad, const std::string& feld, int64_t start)
{
    const auto r = Ausfuehren(Zeilen({"SELECT " + feld, "FROM", InAnfuehrung(pfad), "ORDER BY " + feld}),
                              engine::directoryOf(pfad));
    if (r.rows.empty()) return start;
    if (r.rows.back().empty()) return -1;
    const auto n = AlsGanzzahl(r.rows.back()[0]);
    return n ? *n + 1 : -1;
}

int64_t TDBTools::LeereNummernZaehlen(const std::string& ordner, const std::string& datei, const std::string& feld)
{
    const auto r =
        Ausfuehren(Zeilen({"SELECT NUMMER", "FROM", InAnfuehrung(ordner + datei), "WHERE", feld + " IS NULL"}), ordner);
    return static_cast<int64_t>(r.rows.size());
}

bool TDBTools::LeereNummernLoeschen(const std::string& ordner, const std::string& datei, const std::string& feld)
{
    Ausfuehren(Zeilen({"DELETE FROM", InAnfuehrung(ordner + datei), "WHERE", feld + " IS NULL"}), ordner);
    return true;
}

void TDBTools::Reindizieren(engine::TableDataSet& tabelle)
{
    const bool warOffen = tabelle.active();
    try {
        if (!warOffen) tabelle.open();
        tabelle.table()->attachment<engine::TableIndexes>().reindex();
        tabelle.refresh();
    } catch (const engine::EngineError& e) {
        common::dialogs().message(QString::fromStdString("Fehler beim Reindizieren der Tabelle " + engine::fileNameOf(tabelle.path()) + " (" + e.what() + ")"));
    }
    if (!warOffen && tabelle.active()) tabelle.close();
}

void TDBTools::TabelleLeeren(engine::TableDataSet& tabelle)
{
    const bool warOffen = tabelle.active();
    if (warOffen) tabelle.close();
    tabelle.open();
    try {
        tabelle.session().atomically([&] { tabelle.table()->zap(); });
    } catch (...) {
        tabelle.close();
        if (warOffen) tabelle.open();
        throw;
    }
    tabelle.close();
    if (warOffen) tabelle.open();
}

bool TDBTools::FeldAnfuegen(const std::string& feld, const std::string& pfad, const std::string& typ)
{
    try {
        Ausfuehren(Zeilen({"ALTER TABLE " + InAnfuehrung(pfad), "ADD " + feld + " " + typ}), engine::directoryOf(pfad));
        return true;
    } catch (const engine::EngineError&) {
        return false;
    }
}

} // namespace trevo::data
