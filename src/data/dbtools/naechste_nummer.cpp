#include "data/dbtools/naechste_nummer.h"

#include "engine/fs/file_system.h"

#include <charconv>

namespace trevo::data {

std::optional<int64_t> TextAlsGanzzahl(const std::string& text)
{
    std::string_view s = text;
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    if (s.empty()) return 0;
    if (s.front() == '+') s.remove_prefix(1);
    int64_t n = 0;
    const auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
    if (s.empty() || ec != std::errc() || p != s.data() + s.size()) return std::nullopt;
    return n;
}

namespace {

// Deletes the records without a number, or rebuilds the indexes when there are none, and
// goes to the last record again. Throws on failure.
void reparieren(engine::TableDataSet& tabelle, const std::string& feld, TDBTools& tools)
{
    const std::string ordner = engine::directoryOf(tabelle.path()) + "/";
    const std::string datei = engine::fileNameOf(tabelle.path());
    if (tools.LeereNummernZaehlen(ordner, datei, feld) > 0) {
        tools.LeereNummernLoeschen(ordner, datei, feld);
        tabelle.refresh();
        tabelle.last();
    } else {
        tools.Reindizieren(tabelle);
    }
}

} // namespace

int64_t NaechsteNummer(engine::TableDataSet& tabelle, const std::string& feld, int64_t start, TDBTools& tools)
{
    if (tabelle.isEmpty()) return start;
    try {
        tabelle.setIndex(feld);
        tabelle.last();
    } catch (const engine::EngineError&) {
        return -1;
    }
    try {
        if (const auto n = TextAlsGanzzahl(tabelle.text(feld))) return *n + 1;
    } catch (const engine::EngineError&) {
    }
    try {
        reparieren(tabelle, feld, tools);
    } catch (const engine::EngineError&) {
        return -1;
    }
    try {
        const auto n = TextAlsGanzzahl(tabelle.text(feld));
        return n ? *n + 1 : start;
    } catch (const engine::EngineError&) {
        return 0;
    }
}

} // namespace trevo::data
