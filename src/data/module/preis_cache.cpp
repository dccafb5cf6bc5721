#include "data/module/preis_cache.h"

#include "data/dbtools/anweisung.h"
#include "data/store/schema.h"
#include "engine/core/error.h"

#include <charconv>
#include <cmath>

namespace trevo::data {

namespace {

// A number argument: nullopt for an empty text, ValueError for one that is no number.
std::optional<double> zahlOderLeer(const std::string& text)
{
    if (text.find_first_not_of(' ') == std::string::npos) return std::nullopt;
    const auto n = engine::parseNumber(text);
    if (!n) throw engine::ValueError("'" + text + "' ist keine gültige Zahl");
    return n;
}

// A number as it goes into a statement: whole numbers without a decimal point.
std::string zahlText(double n)
{
    if (n == std::trunc(n) && std::fabs(n) < 1e15) return std::to_string(static_cast<int64_t>(n));
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, n);
    return std::string(buf, r.ptr);
}

} // namespace

PreisCache::PreisCache(engine::Database& db, std::string ordner, Abfrage abfrage)
    : db_(db), ordner_(std::move(ordner)), abfrage_(std::move(abfrage))
{
}

double PreisCache::einzelpreis(const std::string& sonstiges, const std::string& termin)
{
    const auto typ = zahlOderLeer(sonstiges);
    const auto abend = zahlOderLeer(termin);
    if (!typ || !abend) return 0;
    if (!aktuell(*abend)) fuellen(*abend);
    const auto it = preise_.find(*typ);
    return it == preise_.end() ? 0 : it->second;
}

bool PreisCache::aktuell(double termin) const
{
    if (termin_ != termin) return false;
    for (const Stand& s : staende_) {
        const auto t = s.tabelle.lock(); // gone: the file was opened anew
        if (!t || t->changeCounter() != s.aenderungen) return false;
    }
    return true;
}

PreisCache::Stand PreisCache::stand(const char* datei)
{
    const auto t = db_.table(ordner_ + datei);
    return {t, t->changeCounter()};
}

// The items of the evening's price list, the item's number qualified with the item
// table's alias as Einzelpreis does.
void PreisCache::fuellen(double termin)
{
    termin_.reset();
    preise_.clear();
    staende_ = {stand(tables::Sonstype), stand(tables::Termine)};
    const auto ergebnis = abfrage_(Zeilen(
        {"SELECT \"SonstigeXDBF\".\"NUMMER\", \"SonstigeXDBF\".\"EINZELPREI\"", "FROM",
         InAnfuehrung(ordner_ + tables::Sonstype) + " SonstigeXDBF,",
         InAnfuehrung(ordner_ + tables::Termine) + " TerminXDBF", "WHERE",
         "\"TerminXDBF\".\"NUMMER\"=" + zahlText(termin), "AND",
         "\"TerminXDBF\".\"PREISLISTE\"=\"SonstigeXDBF\".\"PREISLISTE\""}));
    ++fuellungen_;
    for (const engine::Record& zeile : ergebnis.rows)
        if (zeile.size() >= 2 && !zeile[0].isNull()) // the first row of an item wins, as in Einzelpreis
            preise_.try_emplace(zeile[0].toNumber(), zeile[1].toNumber());
    termin_ = termin;
}

} // namespace trevo::data
