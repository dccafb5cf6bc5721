#include "evaluation/kern/abendbestand.h"

#include "engine/core/error.h"
#include "engine/dbf/attachment.h"
#include "engine/dbf/dbf_table.h"
#include "engine/dbf/number_reader.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <optional>
#include <utility>

namespace trevo::evaluation {

using engine::DbfTable;
using engine::Value;

namespace {

// The stock kept with the participant table; any change of that table drops it.
class Abendablage : public engine::TableAttachment {
public:
    explicit Abendablage(DbfTable&) {}
    void recordChanged(uint32_t, const engine::Record*, const engine::Record*) override { bestand.reset(); }
    void tableReset() override { bestand.reset(); }
    std::shared_ptr<const Abendbestand> bestand;
};

int feld(const DbfTable& t, const char* name)
{
    const int i = t.fieldIndex(name);
    if (i < 0) throw engine::EngineError("Die Tabelle " + t.path() + " hat kein Feld " + name);
    return i;
}

// A number field of every record of the big tables, read straight from the file.
engine::NumberReader zahlen(const Abendbestand::Tabellen& t, const DbfTable& tabelle, const char* name)
{
    return engine::NumberReader(*t.storage, tabelle, feld(tabelle, name));
}

// Calls f(recno) for every record that is not deleted, in physical order.
template <class F>
void jederSatz(const DbfTable& t, F&& f)
{
    for (uint32_t r = 0, n = t.recordCount(); r < n; ++r)
        if (!t.isDeleted(r)) f(r);
}

std::array<const std::shared_ptr<DbfTable>*, 5> alle(const Abendbestand::Tabellen& t)
{
    return {&t.termine, &t.keglterm, &t.spielkeg, &t.sonstkeg, &t.sonstype};
}

const Abenddaten keinAbend;

} // namespace

size_t Abendbestand::Zahlhash::operator()(double d) const
{
    if (d == 0) return 0; // 0 and -0 are one key
    if (d >= 0 && d < 1e15 && d == static_cast<double>(static_cast<uint64_t>(d))) return static_cast<size_t>(d);
    const uint64_t bits = std::bit_cast<uint64_t>(d);
    return static_cast<size_t>(bits ^ (bits >> 31));
}

Abendbestand::Abendbestand(const Tabellen& t)
{
    const auto tabellen = alle(t);
    for (size_t i = 0; i < tabellen.size(); ++i) stand_[i] = {*tabellen[i], (*tabellen[i])->changeCounter()};

    const DbfTable& typen = *t.sonstype;
    const int aNummer = feld(typen, "NUMMER"), aPreisliste = feld(typen, "PREISLISTE"),
              aGueltig = feld(typen, "GUELTIG"), aPreis = feld(typen, "EINZELPREI"),
              aMittelwert = feld(typen, "MITTELWERT");
    jederSatz(typen, [&](uint32_t r) {
        const Value n = typen.get(r, aNummer);
        if (!n.isNumber()) return;
        artikel_[n.number()].push_back({typen.get(r, aPreisliste), typen.get(r, aGueltig), typen.get(r, aPreis),
                                        typen.get(r, aMittelwert).toBool()});
    });
    auto abendZu = [&](double termin) -> Abenddaten& {
        auto [it, neu] = abende_.try_emplace(termin);
        if (neu && std::fabs(termin) < 9e15) it->second.termin = static_cast<int64_t>(termin);
        return it->second;
    };

    const DbfTable& termine = *t.termine;
    const int tNummer = feld(termine, "NUMMER"), tPreisliste = feld(termine, "PREISLISTE");
    jederSatz(termine, [&](uint32_t r) {
        const Value n = termine.get(r, tNummer);
        if (n.isNumber()) abendZu(n.number()).preislisten.push_back(termine.get(r, tPreisliste));
    });

    // Participant rows, and where each NUMMER stands (a number may be held by several rows).
    NachZahl<std::vector<std::pair<Abenddaten*, size_t>>> zeilenMit;
    const DbfTable& keglterm = *t.keglterm;
    const auto kNummer = zahlen(t, keglterm, "NUMMER"), kTermin = zahlen(t, keglterm, "TERMIN"),
               kKegler = zahlen(t, keglterm, "KEGLER"), kAbschnitt = zahlen(t, keglterm, "ABSCHNITT");
    jederSatz(keglterm, [&](uint32_t r) {
        const Value termin = kTermin.read(r);
        if (!termin.isNumber()) return;
        Abenddaten& a = abendZu(termin.number());
        Abendzeile z{kNummer.read(r), kKegler.read(r), kAbschnitt.read(r), {}, {}};
        if (z.nummer.isNumber()) zeilenMit[z.nummer.number()].emplace_back(&a, a.zeilen.size());
        a.zeilen.push_back(std::move(z));
    });
    auto jedeZeileMit = [&](const Value& keglernr, auto&& f) {
        if (!keglernr.isNumber()) return;
        const auto it = zeilenMit.find(keglernr.number());
        if (it == zeilenMit.end()) return;
        for (auto [abend, i] : it->second) f(abend->zeilen[i]);
    };

    const DbfTable& spielkeg = *t.spielkeg;
    const auto gKeglernr = zahlen(t, spielkeg, "KEGLERNR"), gAbschnitt = zahlen(t, spielkeg, "ABSCHNITT"),
               gBetrag = zahlen(t, spielkeg, "BETRAG");
    jederSatz(spielkeg, [&](uint32_t r) {
        std::optional<Abendspiel> spiel; // read for the first participant row it belongs to
        jedeZeileMit(gKeglernr.read(r), [&](Abendzeile& z) {
            if (!spiel) spiel = Abendspiel{gAbschnitt.read(r), gBetrag.read(r)};
            z.spiele.push_back(*spiel);
        });
    });

    const DbfTable& sonstkeg = *t.sonstkeg;
    const auto oKeglernr = zahlen(t, sonstkeg, "KEGLERNR"), oTermin = zahlen(t, sonstkeg, "TERMIN"),
               oAbschnitt = zahlen(t, sonstkeg, "ABSCHNITT"), oAnzahl = zahlen(t, sonstkeg, "ANZAHL"),
               oTyp = zahlen(t, sonstkeg, "TYP");
    // A count whose number names no item adds to nothing; the evening's counts serve only
    // the items paid by all others. Fields that no question asks about stay unread.
    jederSatz(sonstkeg, [&](uint32_t r) {
        const Value typ = oTyp.read(r);
        if (!typ.isNumber()) return;
        const auto arten = artikel_.find(typ.number());
        if (arten == artikel_.end()) return;
        const std::vector<Abendartikel>& a = arten->second;
        // The section groups only the averages, which only items flagged MITTELWERT enter.
        const bool gemittelt = std::any_of(a.begin(), a.end(), [](const Abendartikel& x) { return x.mittelwert; });
        const Abendposten p{gemittelt ? oAbschnitt.read(r) : Value(), oAnzahl.read(r), oKeglernr.read(r), &a};
        jedeZeileMit(p.keglernr, [&](Abendzeile& z) { z.posten.push_back(p); });
        const bool vonAllen = std::any_of(a.begin(), a.end(), [](const Abendartikel& x) {
            return x.gueltig.isNumber() && x.gueltig.number() == 2;
        });
        if (!vonAllen) return;
        if (const Value termin = oTermin.read(r); termin.isNumber())
            abendZu(termin.number()).postenDesAbends.push_back(p);
    });
}

bool Abendbestand::aktuell(const Tabellen& t) const
{
    const auto tabellen = alle(t);
    for (size_t i = 0; i < tabellen.size(); ++i) {
        const std::shared_ptr<DbfTable>& jetzt = *tabellen[i];
        if (stand_[i].tabelle.lock() != jetzt || jetzt->changeCounter() != stand_[i].aenderungen) return false;
    }
    return true;
}

const Abenddaten& Abendbestand::abend(int64_t termin) const
{
    const auto it = abende_.find(static_cast<double>(termin));
    return it == abende_.end() ? keinAbend : it->second;
}

std::shared_ptr<const Abendbestand> Abendbestand::vorhanden(const Tabellen& t)
{
    const auto& b = t.keglterm->attachment<Abendablage>().bestand;
    return b && b->aktuell(t) ? b : nullptr;
}

std::shared_ptr<const Abendbestand> Abendbestand::gelesen(const Tabellen& t)
{
    auto& b = t.keglterm->attachment<Abendablage>().bestand;
    if (!b || !b->aktuell(t)) b = std::make_shared<const Abendbestand>(t);
    return b;
}

void Abendbestand::verwerfen(DbfTable& keglterm) { keglterm.attachment<Abendablage>().bestand.reset(); }

} // namespace trevo::evaluation
