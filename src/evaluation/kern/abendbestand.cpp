#include "evaluation/kern/abendbestand.h"

#include "engine/core/error.h"
#include "engine/dbf/attachment.h"
#include "engine/dbf/dbf_table.h"
#include "engine/dbf/number_reader.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <utility>

namespace trevo::evaluation {

using engine::DbfTable;

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

namespace {

// The fields read, per table in the order of Tabellen (besides the items' MITTELWERT, read as a truth value).
const std::array<std::vector<const char*>, 5> zahlenfelder{{
    {"NUMMER", "PREISLISTE"},
    {"NUMMER", "TERMIN", "KEGLER", "ABSCHNITT"},
    {"KEGLERNR", "ABSCHNITT", "BETRAG"},
    {"KEGLERNR", "TERMIN", "ABSCHNITT", "ANZAHL", "TYP"},
    {"NUMMER", "PREISLISTE", "GUELTIG", "EINZELPREI"},
}};

// Where a participant row stands: its evening and its position there.
struct Zeilenort {
    Abenddaten* abend;
    uint32_t zeile;
};

// Records that join participant rows, gathered in table order and then laid out in the
// evenings' arrays: each row's run in table order, the runs in the order of the rows.
template <class T>
struct Verteilung {
    std::vector<T> werte;                              // one per record that joins a row
    std::vector<std::pair<uint32_t, uint32_t>> treffer; // (row, value) in table order

    void auslegen(const std::vector<Zeilenort>& zeilen, std::vector<T> Abenddaten::*ziel,
                  uint32_t Abendzeile::*von, uint32_t Abendzeile::*bis)
    {
        std::vector<uint32_t> stelle(zeilen.size(), 0);
        for (const auto& [zeile, _] : treffer) ++stelle[zeile];
        // The rows of an evening stand in the order of their positions: each run starts
        // where the one before ended. The arrays are then made exactly as long as needed.
        std::unordered_map<Abenddaten*, uint32_t> laenge;
        for (size_t g = 0; g < zeilen.size(); ++g) {
            uint32_t& ende = laenge[zeilen[g].abend];
            Abendzeile& z = zeilen[g].abend->zeilen[zeilen[g].zeile];
            z.*von = ende;
            z.*bis = ende + stelle[g];
            stelle[g] = ende;
            ende = z.*bis;
        }
        for (const auto& [abend, n] : laenge) (abend->*ziel).resize(n);
        for (const auto& [zeile, wert] : treffer) {
            Abenddaten& a = *zeilen[zeile].abend;
            (a.*ziel)[stelle[zeile]++] = werte[wert];
        }
    }
};

} // namespace

bool Abendbestand::nurZahlen(const Tabellen& t)
{
    const auto tabellen = alle(t);
    for (size_t i = 0; i < tabellen.size(); ++i) {
        const DbfTable& tabelle = **tabellen[i];
        for (const char* name : zahlenfelder[i]) {
            const char typ = tabelle.fields()[size_t(feld(tabelle, name))].type;
            if (typ != 'N' && typ != 'F') return false;
        }
    }
    return true;
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
        const Zahl n = Zahl::von(typen.get(r, aNummer));
        if (n.isNull()) return;
        artikel_[n.number()].push_back({Zahl::von(typen.get(r, aPreisliste)), Zahl::von(typen.get(r, aGueltig)),
                                        Zahl::von(typen.get(r, aPreis)), typen.get(r, aMittelwert).toBool()});
    });
    auto abendZu = [&](double termin) -> Abenddaten& {
        auto [it, neu] = abende_.try_emplace(termin);
        if (neu && std::fabs(termin) < 9e15) it->second.termin = static_cast<int64_t>(termin);
        return it->second;
    };

    const DbfTable& termine = *t.termine;
    const int tNummer = feld(termine, "NUMMER"), tPreisliste = feld(termine, "PREISLISTE");
    jederSatz(termine, [&](uint32_t r) {
        const Zahl n = Zahl::von(termine.get(r, tNummer));
        if (!n.isNull()) abendZu(n.number()).preislisten.push_back(Zahl::von(termine.get(r, tPreisliste)));
    });

    // Participant rows, and which rows hold each NUMMER (a number may be held by several).
    std::vector<Zeilenort> zeilen;
    NachZahl<std::vector<uint32_t>> zeilenMit;
    const DbfTable& keglterm = *t.keglterm;
    const auto kNummer = zahlen(t, keglterm, "NUMMER"), kTermin = zahlen(t, keglterm, "TERMIN"),
               kKegler = zahlen(t, keglterm, "KEGLER"), kAbschnitt = zahlen(t, keglterm, "ABSCHNITT");
    jederSatz(keglterm, [&](uint32_t r) {
        const Zahl termin = Zahl::von(kTermin.read(r));
        if (termin.isNull()) return;
        Abenddaten& a = abendZu(termin.number());
        const Abendzeile z{Zahl::von(kNummer.read(r)), Zahl::von(kKegler.read(r)), Zahl::von(kAbschnitt.read(r))};
        if (!z.nummer.isNull()) zeilenMit[z.nummer.number()].push_back(uint32_t(zeilen.size()));
        zeilen.push_back({&a, uint32_t(a.zeilen.size())});
        a.zeilen.push_back(z);
    });
    // Adds the value f() gives (asked once) to every row whose NUMMER is the number.
    auto zuZeilenMit = [&](const Zahl& keglernr, auto& verteilung, auto&& f) {
        if (keglernr.isNull()) return;
        const auto it = zeilenMit.find(keglernr.number());
        if (it == zeilenMit.end()) return;
        const uint32_t wert = uint32_t(verteilung.werte.size());
        verteilung.werte.push_back(f());
        for (uint32_t zeile : it->second) verteilung.treffer.emplace_back(zeile, wert);
    };

    Verteilung<Abendspiel> spiele;
    const DbfTable& spielkeg = *t.spielkeg;
    const auto gKeglernr = zahlen(t, spielkeg, "KEGLERNR"), gAbschnitt = zahlen(t, spielkeg, "ABSCHNITT"),
               gBetrag = zahlen(t, spielkeg, "BETRAG");
    jederSatz(spielkeg, [&](uint32_t r) {
        zuZeilenMit(Zahl::von(gKeglernr.read(r)), spiele, [&] {
            return Abendspiel{Zahl::von(gAbschnitt.read(r)), Zahl::von(gBetrag.read(r))};
        });
    });
    spiele.auslegen(zeilen, &Abenddaten::spiele, &Abendzeile::spieleVon, &Abendzeile::spieleBis);

    Verteilung<Abendposten> posten;
    const DbfTable& sonstkeg = *t.sonstkeg;
    const auto oKeglernr = zahlen(t, sonstkeg, "KEGLERNR"), oTermin = zahlen(t, sonstkeg, "TERMIN"),
               oAbschnitt = zahlen(t, sonstkeg, "ABSCHNITT"), oAnzahl = zahlen(t, sonstkeg, "ANZAHL"),
               oTyp = zahlen(t, sonstkeg, "TYP");
    // A count whose number names no item adds to nothing; the evening's counts serve only
    // the items paid by all others. Fields that no question asks about stay unread.
    jederSatz(sonstkeg, [&](uint32_t r) {
        const Zahl typ = Zahl::von(oTyp.read(r));
        if (typ.isNull()) return;
        const auto arten = artikel_.find(typ.number());
        if (arten == artikel_.end()) return;
        const std::vector<Abendartikel>& a = arten->second;
        // The section groups only the averages, which only items flagged MITTELWERT enter.
        const bool gemittelt = std::any_of(a.begin(), a.end(), [](const Abendartikel& x) { return x.mittelwert; });
        const Abendposten p{gemittelt ? Zahl::von(oAbschnitt.read(r)) : Zahl(), Zahl::von(oAnzahl.read(r)), &a};
        const Zahl keglernr = Zahl::von(oKeglernr.read(r));
        zuZeilenMit(keglernr, posten, [&] { return p; });
        const bool vonAllen = std::any_of(a.begin(), a.end(), [](const Abendartikel& x) { return x.gueltig.ist(2); });
        if (!vonAllen) return;
        if (const Zahl termin = Zahl::von(oTermin.read(r)); !termin.isNull())
            abendZu(termin.number()).postenDesAbends.push_back({p, keglernr});
    });
    posten.auslegen(zeilen, &Abenddaten::posten, &Abendzeile::postenVon, &Abendzeile::postenBis);
    for (auto& [_, a] : abende_) {
        a.zeilen.shrink_to_fit();
        a.preislisten.shrink_to_fit();
        a.postenDesAbends.shrink_to_fit();
    }
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
