#include "evaluation/kern/nachschlagen.h"

#include "data/store/schema.h"
#include "engine/core/collation.h"
#include "evaluation/kern/tabellenzugriff.h"

#include <cmath>

namespace trevo::evaluation {

using engine::Value;
namespace t = data::tables;

std::string textVon(const Value& v) { return v.isNull() ? std::string() : std::string(engine::trimRight(v.toText())); }

std::optional<int64_t> ganzVon(const Value& v)
{
    if (!v.isNumber() || !std::isfinite(v.number()) || std::fabs(v.number()) > 9e15) return std::nullopt;
    return static_cast<int64_t>(std::trunc(v.number()));
}

Nachschlagen::Nachschlagen(engine::Database& db, std::string ordner) : db_(db), ordner_(std::move(ordner)) {}

Termindaten Nachschlagen::termin(int64_t nummer)
{
    Tabellenzugriff tab(db_, ordner_ + t::Termine);
    Termindaten d;
    const int datum = tab.feld("DATUM"), preisliste = tab.feld("PREISLISTE"), beitrag = tab.feld("BEITRAG");
    tab.jederMit("NUMMER", double(nummer), [&](uint32_t r) {
        if (d.vorhanden) return;
        d = {true, tab.wert(r, datum), tab.wert(r, preisliste), tab.wert(r, beitrag)};
    });
    return d;
}

int64_t Nachschlagen::preislistenWaehrung(const Value& preisliste)
{
    const auto p = zahlVon(preisliste);
    if (!p) return 0;
    Tabellenzugriff tab(db_, ordner_ + t::Sonstyp0);
    const int w = tab.feld("WAEHRUNG");
    std::optional<int64_t> ergebnis;
    tab.jederMit("NUMMER", *p, [&](uint32_t r) {
        if (!ergebnis) ergebnis = ganzVon(tab.wert(r, w)).value_or(0);
    });
    return ergebnis.value_or(0);
}

std::string Nachschlagen::waehrungsKuerzel(int64_t waehrung)
{
    Tabellenzugriff tab(db_, ordner_ + t::Waehrungen);
    const int k = tab.feld("KUERZEL");
    std::optional<std::string> ergebnis;
    tab.jederMit("NUMMER", double(waehrung), [&](uint32_t r) {
        if (!ergebnis) ergebnis = textVon(tab.wert(r, k));
    });
    return ergebnis.value_or(std::string());
}

std::optional<double> Nachschlagen::faktor(int64_t waehrung)
{
    Tabellenzugriff tab(db_, ordner_ + t::Waehrungen);
    const int f = tab.feld("FAKTOR");
    std::optional<double> ergebnis;
    tab.jederMit("NUMMER", double(waehrung), [&](uint32_t r) {
        if (!ergebnis) ergebnis = tab.wert(r, f).toNumber();
    });
    return ergebnis;
}

int64_t Nachschlagen::kontoWaehrung(int64_t konto)
{
    Tabellenzugriff tab(db_, ordner_ + t::Kontoinf);
    const int w = tab.feld("WAEHRUNG");
    std::optional<int64_t> ergebnis;
    tab.jederMit("KONTONR", double(konto), [&](uint32_t r) {
        if (!ergebnis) ergebnis = ganzVon(tab.wert(r, w)).value_or(0);
    });
    return ergebnis.value_or(0);
}

std::vector<Keglerdaten> Nachschlagen::kegler()
{
    Tabellenzugriff tab(db_, ordner_ + t::Kegler);
    const int nummer = tab.feld("NUMMER"), mnr = tab.feld("MITGLIEDNR"), name = tab.feld("NAME"),
              mitglied = tab.feld("MITGLIED");
    std::vector<Keglerdaten> out;
    tab.jeder("NUMMER", [&](uint32_t r) {
        out.push_back({tab.wert(r, nummer), textVon(tab.wert(r, mnr)), textVon(tab.wert(r, name)),
                       tab.wert(r, mitglied).toBool()});
    });
    return out;
}

int64_t Nachschlagen::keglerNummerZuMitgliedsnummer(int64_t m)
{
    const std::string text = std::to_string(m);
    for (const Keglerdaten& k : kegler())
        if (k.mitgliedsnummer == text) return ganzVon(k.nummer).value_or(0);
    return 0;
}

std::string Nachschlagen::keglerNameZuMitgliedsnummer(int64_t m)
{
    if (m <= 0) return {};
    return keglerNameZuMitgliedsnummer(std::to_string(m));
}

std::string Nachschlagen::keglerNameZuMitgliedsnummer(const std::string& mitgliedsnummer)
{
    const std::string text(engine::trimRight(mitgliedsnummer));
    for (const Keglerdaten& k : kegler())
        if (k.mitgliedsnummer == text) return k.name;
    return {};
}

std::string Nachschlagen::sonstigesName(int64_t nummer)
{
    Tabellenzugriff tab(db_, ordner_ + t::Sonstype);
    const int b = tab.feld("BEZEICHNUN");
    std::optional<std::string> ergebnis;
    tab.jederMit("NUMMER", double(nummer), [&](uint32_t r) {
        if (!ergebnis) ergebnis = textVon(tab.wert(r, b));
    });
    return ergebnis.value_or(std::string());
}

} // namespace trevo::evaluation
