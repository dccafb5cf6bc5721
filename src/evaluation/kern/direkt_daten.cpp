#include "evaluation/kern/direkt_daten.h"

#include "data/store/schema.h"
#include "engine/core/collation.h"
#include "engine/database.h"
#include "engine/sql/aggregate.h"

#include <algorithm>
#include <map>

namespace trevo::evaluation {

using engine::Value;
namespace t = data::tables;

namespace {

// A SUM as the engine forms it: NULL without values, NULL values skipped.
struct Summe {
    bool zeile = false; // the group has a row
    bool wert = false;  // ... and a value that is not NULL
    Cent cent = 0;
    void add(const std::optional<Cent>& c)
    {
        zeile = true;
        if (!c) return;
        wert = true;
        cent += *c;
    }
    std::optional<Cent> ergebnis() const { return wert ? std::optional<Cent>(cent) : std::nullopt; }
};

// Groups ordered as the engine orders grouped rows: NULL first, then ascending.
struct Zahlordnung {
    bool operator()(Zahl a, Zahl b) const
    {
        if (a.isNull() || b.isNull()) return a.isNull() && !b.isNull();
        return a.number() < b.number();
    }
};
using Gruppen = std::map<Zahl, Summe, Zahlordnung>;

std::optional<Cent> betrag(Zahl z)
{
    if (z.isNull()) return std::nullopt;
    return centVon(z.wert());
}

std::optional<Cent> produkt(Zahl anzahl, Zahl preis)
{
    if (anzahl.isNull() || preis.isNull()) return std::nullopt;
    return centMal(anzahl.number(), centVon(preis.wert()));
}

std::vector<Abschnittssumme> alsZeilen(const Gruppen& g)
{
    std::vector<Abschnittssumme> out;
    for (const auto& [abschnitt, s] : g) out.push_back({abschnitt.wert(), s.ergebnis()});
    return out;
}

std::optional<double> zahlVon(Zahl z) { return z.isNull() ? std::nullopt : std::optional<double>(z.number()); }

} // namespace

// The tables of the evening rows, opened once per object, and the items by number.
struct DirektDaten::Tabellen {
    Tabellen(engine::Database& db, const std::string& o)
        : termine(db, o + t::Termine), keglterm(db, o + t::Keglterm), spielkeg(db, o + t::Spielkeg),
          sonstkeg(db, o + t::Sonstkeg), sonstype(db, o + t::Sonstype), storage(&db.storage())
    {
    }
    Tabellenzugriff termine, keglterm, spielkeg, sonstkeg, sonstype;
    engine::Storage* storage;
    // Whether the fields read hold only numbers; otherwise every question goes to the statements.
    bool nurZahlen = Abendbestand::nurZahlen(alle());
    std::map<double, std::vector<Abendartikel>> artikel;

    Abendbestand::Tabellen alle() const
    {
        return {termine.geteilt(), keglterm.geteilt(), spielkeg.geteilt(), sonstkeg.geteilt(), sonstype.geteilt(),
                storage};
    }

    const std::vector<Abendartikel>& artikelMit(double typ)
    {
        const auto it = artikel.find(typ);
        if (it != artikel.end()) return it->second;
        std::vector<Abendartikel>& a = artikel[typ];
        const int preisliste = sonstype.feld("PREISLISTE"), gueltig = sonstype.feld("GUELTIG"),
                  preis = sonstype.feld("EINZELPREI"), mittelwert = sonstype.feld("MITTELWERT");
        sonstype.jederMit("NUMMER", typ, [&](uint32_t s) {
            a.push_back({Zahl::von(sonstype.wert(s, preisliste)), Zahl::von(sonstype.wert(s, gueltig)),
                         Zahl::von(sonstype.wert(s, preis)), sonstype.wert(s, mittelwert).toBool()});
        });
        return a;
    }
};

DirektDaten::DirektDaten(engine::Database& db, engine::Session& session, std::string ordner)
    : db_(db), ordner_(ordner), sql_(db, session, std::move(ordner))
{
}

DirektDaten::~DirektDaten() = default;

void DirektDaten::neu()
{
    abend_.reset();
    tabellen_.reset();
    bestand_.reset();
    bestandGesucht_ = false;
}

DirektDaten::Tabellen& DirektDaten::tabellen()
{
    if (!tabellen_) tabellen_ = std::make_unique<Tabellen>(db_, ordner_);
    return *tabellen_;
}

bool DirektDaten::zahlenfelder() { return tabellen().nurZahlen; }

void DirektDaten::vieleAbende()
{
    vieleAbende_ = true;
    if (zahlenfelder()) bestand();
}

// A stock is read only before many evenings; one kept from an earlier evaluation is used
// whenever it is still current. Its state is checked at every question, since the tables
// may change between two questions to this object.
const Abendbestand* DirektDaten::bestand()
{
    Tabellen& t = tabellen();
    const Abendbestand::Tabellen alle = t.alle();
    if (bestand_ && bestand_->aktuell(alle)) return bestand_.get();
    bestand_.reset();
    if (vieleAbende_) bestand_ = Abendbestand::gelesen(alle);
    else if (!bestandGesucht_) bestand_ = Abendbestand::vorhanden(alle);
    bestandGesucht_ = true;
    return bestand_.get();
}

const Abenddaten& DirektDaten::abend(int64_t termin)
{
    if (const Abendbestand* b = bestand()) return b->abend(termin);
    if (abend_ && abend_->termin == termin) return *abend_;
    auto a = std::make_unique<Abenddaten>();
    a->termin = termin;
    Tabellen& tab = tabellen();
    Tabellenzugriff &termine = tab.termine, &keglterm = tab.keglterm, &spielkeg = tab.spielkeg,
                    &sonstkeg = tab.sonstkeg;
    const int tPreisliste = termine.feld("PREISLISTE");
    termine.jederMit("NUMMER", double(termin),
                     [&](uint32_t r) { a->preislisten.push_back(Zahl::von(termine.wert(r, tPreisliste))); });

    const int oAbschnitt = sonstkeg.feld("ABSCHNITT"), oAnzahl = sonstkeg.feld("ANZAHL"),
              oKeglernr = sonstkeg.feld("KEGLERNR"), oTyp = sonstkeg.feld("TYP");
    auto posten = [&](uint32_t r) {
        static const std::vector<Abendartikel> keine;
        Abendposten p{Zahl::von(sonstkeg.wert(r, oAbschnitt)), Zahl::von(sonstkeg.wert(r, oAnzahl)), &keine};
        if (const auto typ = zahlVon(Zahl::von(sonstkeg.wert(r, oTyp)))) p.arten = &tab.artikelMit(*typ);
        return p;
    };

    const int kNummer = keglterm.feld("NUMMER"), kKegler = keglterm.feld("KEGLER"),
              kAbschnitt = keglterm.feld("ABSCHNITT");
    const int gAbschnitt = spielkeg.feld("ABSCHNITT"), gBetrag = spielkeg.feld("BETRAG");
    keglterm.jederMit("TERMIN", double(termin), [&](uint32_t r) {
        Abendzeile z{Zahl::von(keglterm.wert(r, kNummer)), Zahl::von(keglterm.wert(r, kKegler)),
                     Zahl::von(keglterm.wert(r, kAbschnitt))};
        z.spieleVon = uint32_t(a->spiele.size());
        z.postenVon = uint32_t(a->posten.size());
        if (const auto n = zahlVon(z.nummer)) {
            spielkeg.jederMit("KEGLERNR", *n, [&](uint32_t s) {
                a->spiele.push_back({Zahl::von(spielkeg.wert(s, gAbschnitt)), Zahl::von(spielkeg.wert(s, gBetrag))});
            });
            sonstkeg.jederMit("KEGLERNR", *n, [&](uint32_t s) { a->posten.push_back(posten(s)); });
        }
        z.spieleBis = uint32_t(a->spiele.size());
        z.postenBis = uint32_t(a->posten.size());
        a->zeilen.push_back(z);
    });
    sonstkeg.jederMit("TERMIN", double(termin), [&](uint32_t r) {
        a->postenDesAbends.push_back({posten(r), Zahl::von(sonstkeg.wert(r, oKeglernr))});
    });
    abend_ = std::move(a);
    return *abend_;
}

std::vector<Value> DirektDaten::teilnehmer(int64_t termin)
{
    if (!zahlenfelder()) return sql_.teilnehmer(termin);
    std::map<Zahl, bool, Zahlordnung> kegler;
    for (const Abendzeile& z : abend(termin).zeilen) kegler[z.kegler] = true;
    std::vector<Value> out;
    for (const auto& [k, _] : kegler) out.push_back(k.wert());
    return out;
}

bool DirektDaten::teilgenommen(int64_t termin, int64_t kegler, int64_t abschnitt)
{
    if (!zahlenfelder()) return sql_.teilgenommen(termin, kegler, abschnitt);
    for (const Abendzeile& z : abend(termin).zeilen)
        if (z.kegler.ist(double(kegler)) && (abschnitt <= 0 || z.abschnitt.ist(double(abschnitt)))) return true;
    return false;
}

std::vector<Abschnittsanzahl> DirektDaten::teilnehmerProAbschnitt(int64_t termin)
{
    if (!zahlenfelder()) return sql_.teilnehmerProAbschnitt(termin);
    std::map<Zahl, int64_t, Zahlordnung> anzahl;
    for (const Abendzeile& z : abend(termin).zeilen) anzahl[z.abschnitt] += z.kegler.isNull() ? 0 : 1;
    std::vector<Abschnittsanzahl> out;
    for (const auto& [a, n] : anzahl) out.push_back({a.wert(), n});
    return out;
}

std::vector<Abschnittssumme> DirektDaten::spielSummen(int64_t termin)
{
    if (!zahlenfelder()) return sql_.spielSummen(termin);
    const Abenddaten& a = abend(termin);
    Gruppen g;
    for (size_t i = 0; i < a.preislisten.size(); ++i)
        for (const Abendspiel& s : a.spiele) g[s.abschnitt].add(betrag(s.betrag));
    return alsZeilen(g);
}

std::vector<Abschnittssumme> DirektDaten::sonstigeSummen(int64_t termin)
{
    if (!zahlenfelder()) return sql_.sonstigeSummen(termin);
    const Abenddaten& a = abend(termin);
    // Participant rows with a number, and how many of them have each number.
    int64_t zeilenMitNummer = 0;
    std::map<double, int64_t> zeilenMit;
    for (const Abendzeile& z : a.zeilen)
        if (const auto n = zahlVon(z.nummer)) {
            ++zeilenMitNummer;
            ++zeilenMit[*n];
        }
    Gruppen g;
    for (const Zahl preisliste : a.preislisten) {
        auto passend = [&](const Abendartikel& art, double gueltig) {
            return art.mittelwert && art.preisliste.gleich(preisliste) && art.gueltig.ist(gueltig);
        };
        // Paid by the bowler himself: once, with his own participant row.
        for (const Abendposten& p : a.posten)
            for (const Abendartikel& art : *p.arten)
                if (passend(art, 1)) g[p.abschnitt].add(produkt(p.anzahl, art.preis));
        // Paid by all others: once per other participant row of the evening.
        for (const auto& [p, keglernr] : a.postenDesAbends) {
            const auto nr = zahlVon(keglernr);
            const auto eigene = nr ? zeilenMit.find(*nr) : zeilenMit.end();
            const int64_t andere = !nr ? 0 : zeilenMitNummer - (eigene == zeilenMit.end() ? 0 : eigene->second);
            for (const Abendartikel& art : *p.arten)
                if (passend(art, 2))
                    for (int64_t i = 0; i < andere; ++i) g[p.abschnitt].add(produkt(p.anzahl, art.preis));
        }
    }
    return alsZeilen(g);
}

std::vector<std::optional<Cent>> DirektDaten::spiele(int64_t termin, int64_t kegler)
{
    if (!zahlenfelder()) return sql_.spiele(termin, kegler);
    const Abenddaten& a = abend(termin);
    Gruppen g;
    for (size_t i = 0; i < a.preislisten.size(); ++i)
        for (const Abendzeile& z : a.zeilen)
            if (z.kegler.ist(double(kegler)))
                for (const Abendspiel& s : a.spieleVon(z)) g[z.nummer].add(betrag(s.betrag));
    std::vector<std::optional<Cent>> out;
    for (const auto& [_, s] : g) out.push_back(s.ergebnis());
    return out;
}

std::optional<Cent> DirektDaten::sonstiges(int64_t termin, int64_t kegler)
{
    if (!zahlenfelder()) return sql_.sonstiges(termin, kegler);
    const Abenddaten& a = abend(termin);
    Summe s;
    for (const Zahl preisliste : a.preislisten)
        for (const Abendzeile& z : a.zeilen) {
            if (z.kegler.isNull()) continue;
            const double gueltig = z.kegler.ist(double(kegler)) ? 1 : 2;
            for (const Abendposten& p : a.postenVon(z))
                for (const Abendartikel& art : *p.arten)
                    if (art.preisliste.gleich(preisliste) && art.gueltig.ist(gueltig))
                        s.add(produkt(p.anzahl, art.preis));
        }
    if (!s.zeile) return std::nullopt;
    return s.ergebnis().value_or(0);
}

std::vector<Periodentermin> DirektDaten::termine(const std::string& von, const std::string& bis)
{
    return sql_.termine(von, bis);
}

std::vector<Rangzeile> DirektDaten::rangfolge(const std::string& von, const std::string& bis, int64_t sonstiges)
{
    std::map<double, int64_t> abende; // evening number -> evening records of the period
    for (const Periodentermin& p : sql_.termine(von, bis))
        if (const auto n = zahlVon(p.nummer)) ++abende[*n];

    Tabellenzugriff sonstkeg(db_, ordner_ + t::Sonstkeg), keglterm(db_, ordner_ + t::Keglterm),
        kegler(db_, ordner_ + t::Kegler);
    const int oKeglernr = sonstkeg.feld("KEGLERNR"), oAnzahl = sonstkeg.feld("ANZAHL");
    const int kTermin = keglterm.feld("TERMIN"), kKegler = keglterm.feld("KEGLER");
    const int bName = kegler.feld("NAME");

    struct Gruppe {
        Value kegler, name;
        double summe = 0;
        bool wert = false;
    };
    std::vector<Gruppe> gruppen;
    std::map<std::pair<double, std::string>, size_t> nachSchluessel;
    std::map<double, std::vector<size_t>> gruppenVon; // per bowler number: the group of each of its records
    sonstkeg.jederMit("TYP", double(sonstiges), [&](uint32_t o) {
        const auto nr = zahlVon(sonstkeg.wert(o, oKeglernr));
        if (!nr) return;
        const Value anzahl = sonstkeg.wert(o, oAnzahl);
        keglterm.jederMit("NUMMER", *nr, [&](uint32_t k) {
            const auto termin = zahlVon(keglterm.wert(k, kTermin));
            const auto it = termin ? abende.find(*termin) : abende.end();
            const Value wer = keglterm.wert(k, kKegler);
            const auto b = zahlVon(wer);
            if (it == abende.end() || !b) return;
            // The groups of the bowler's records, found once per bowler number.
            auto [eintrag, erstesMal] = gruppenVon.try_emplace(*b);
            if (erstesMal)
                kegler.jederMit("NUMMER", *b, [&](uint32_t r) {
                    const Value name = kegler.wert(r, bName);
                    const auto schluessel =
                        std::make_pair(*b, name.isNull() ? std::string("\x01") : "=" + name.toText());
                    auto [pos, neu] = nachSchluessel.try_emplace(schluessel, gruppen.size());
                    if (neu) gruppen.push_back({wer, name});
                    eintrag->second.push_back(pos->second);
                });
            if (anzahl.isNull()) return;
            for (size_t gruppe : eintrag->second) {
                Gruppe& g = gruppen[gruppe];
                g.wert = true;
                g.summe += anzahl.toNumber() * double(it->second);
            }
        });
    });
    auto ordnung = [](const Value& a, const Value& b) { return engine::sql::orderCompare(a, b); };
    std::sort(gruppen.begin(), gruppen.end(), [&](const Gruppe& a, const Gruppe& b) {
        const int c = ordnung(a.kegler, b.kegler);
        return c != 0 ? c < 0 : ordnung(a.name, b.name) < 0;
    });
    std::vector<Rangzeile> out;
    for (const Gruppe& g : gruppen)
        out.push_back({g.wert ? Value::number(g.summe) : Value(), g.kegler,
                       g.name.isNull() ? std::string() : std::string(engine::trimRight(g.name.toText()))});
    std::stable_sort(out.begin(), out.end(),
                     [&](const Rangzeile& a, const Rangzeile& b) { return ordnung(a.summe, b.summe) > 0; });
    return out;
}

} // namespace trevo::evaluation
