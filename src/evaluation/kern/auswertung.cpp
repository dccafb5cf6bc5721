#include "evaluation/kern/auswertung.h"

#include "engine/database.h"
#include "engine/storage/session.h"
#include "evaluation/kern/abendrechnung.h"
#include "evaluation/kern/direkt_daten.h"
#include "evaluation/kern/ergebnistabellen.h"
#include "evaluation/kern/nachschlagen.h"

#include <exception>

namespace trevo::evaluation {

using engine::Value;

namespace {

Value betrag(Cent c) { return alsWert(c); }

// The evening number as the caller gives it: a whole number.
int64_t terminNummer(const std::string& text)
{
    const auto n = engine::parseNumber(text);
    if (!n || *n != static_cast<double>(static_cast<int64_t>(*n)))
        throw engine::ValueError("'" + text + "' ist keine gültige Terminnummer");
    return static_cast<int64_t>(*n);
}

} // namespace

Auswertung::Auswertung(engine::Database& db, engine::Session& session, std::string ordner,
                       Auswertungsoptionen optionen, std::shared_ptr<Auswertungsdaten> daten)
    : db_(db), session_(session), ordner_(std::move(ordner)), optionen_(optionen), daten_(std::move(daten)),
      nachschlagen_(std::make_unique<Nachschlagen>(db, ordner_))
{
    if (!daten_) daten_ = std::make_shared<DirektDaten>(db, session, ordner_);
}

Auswertung::~Auswertung() = default;

// Every change of a computation in one atomic scope, so that the rows are written in one
// go; an error inside keeps what was appended until then and is passed on afterwards.
template <class F>
void Auswertung::schreibend(F&& f)
{
    if (auto* d = dynamic_cast<DirektDaten*>(daten_.get())) d->neu();
    std::exception_ptr fehler;
    session_.atomically([&] {
        try {
            f();
        } catch (...) {
            fehler = std::current_exception();
        }
    });
    if (fehler) std::rethrow_exception(fehler);
}

void Auswertung::ergebnisseLeeren()
{
    Ergebnistabellen tabellen(db_, ordner_);
    session_.atomically([&] { tabellen.leeren(); });
}

void Auswertung::AuswertungTermin(const std::string& terminText, Terminergebnis& e)
{
    e = {};
    Ergebnistabellen tabellen(db_, ordner_);
    schreibend([&] {
        tabellen.leeren();
        const int64_t n = terminNummer(terminText);
        const Termindaten termin = nachschlagen_->termin(n);
        if (!termin.vorhanden) throw engine::EngineError("Der Termin Nr. " + std::to_string(n) + " ist nicht vorhanden");
        e.termin = n;
        e.datum = termin.datum.isDate() ? engine::formatDate(termin.datum.date()) : std::string();
        e.waehrung = nachschlagen_->preislistenWaehrung(termin.preisliste);
        e.kuerzel = nachschlagen_->waehrungsKuerzel(e.waehrung);
        const bool mitBeitrag = optionen_.zahlweise == 1;
        const Cent beitrag = mitBeitrag ? centVon(termin.beitrag) : 0;
        const Value beitragsfeld = mitBeitrag && !termin.beitrag.isNull() ? betrag(beitrag) : Value();

        Abendrechnung abend(*daten_, optionen_.rundung, n);
        for (const Keglerdaten& k : nachschlagen_->kegler()) {
            Betraege b;
            if (abend.nahmTeil(k.nummer)) {
                b = abend.betraege(ganzVon(k.nummer).value_or(0));
            } else if (k.mitglied) {
                b = abend.mittelwertSummen();
            } else {
                continue;
            }
            const Cent summe = beitrag + b.spiele + b.sonstiges;
            tabellen.zeile(k.name, k.mitgliedsnummer, betrag(b.spiele), betrag(b.sonstiges), beitragsfeld,
                           betrag(summe));
            e.gesamtbetrag += summe;
        }
        tabellen.wert("GESAMTBETRAG", formatiert(Runden(optionen_.rundung, e.gesamtbetrag), 8));
        tabellen.wert("WAEHRUNG", e.kuerzel);
        tabellen.wert("DATUM", e.datum);
        e.fertig = true;
    });
}

void Auswertung::AuswertungZeitraum(const std::string& von, const std::string& bis, int64_t m, Zeitraumergebnis& e)
{
    e = {};
    e.mitgliedsnummer = m;
    Ergebnistabellen tabellen(db_, ordner_);
    schreibend([&] {
        tabellen.leeren();
        const std::vector<Periodentermin> termine = daten_->termine(von, bis);
        if (termine.empty()) throw KeineTermine();
        e.begonnen = true;
        if (auto* d = dynamic_cast<DirektDaten*>(daten_.get()); d && termine.size() > 20) d->vieleAbende();
        e.name = nachschlagen_->keglerNameZuMitgliedsnummer(m);
        e.kegler = nachschlagen_->keglerNummerZuMitgliedsnummer(m);
        e.kuerzel = nachschlagen_->waehrungsKuerzel(nachschlagen_->preislistenWaehrung(termine.front().preisliste));
        const bool mitBeitrag = optionen_.zahlweise == 1;
        for (const Periodentermin& t : termine) {
            Abendrechnung abend(*daten_, optionen_.rundung, ganzVon(t.nummer).value_or(0));
            Betraege b;
            Cent summe = 0;
            if (e.kegler != 0 && abend.nahmTeil(Value::number(double(e.kegler)))) {
                b = abend.betraege(e.kegler);
                summe = (mitBeitrag ? centVon(t.beitrag) : 0) + b.spiele + b.sonstiges;
            } else {
                b = abend.mittelwertSummen();
                summe = b.spiele + b.sonstiges;
            }
            const Value beitragsfeld = mitBeitrag && !t.beitrag.isNull() ? betrag(centVon(t.beitrag)) : Value();
            tabellen.zeile(e.name, Value::number(double(m)), betrag(b.spiele), betrag(b.sonstiges), beitragsfeld,
                           betrag(summe));
            e.gesamtbetrag += summe;
            ++e.termine;
        }
        tabellen.wert("Gesamtbetrag", kuerzesterText(Runden(optionen_.rundung, e.gesamtbetrag)));
        tabellen.wert("WAEHRUNG", e.kuerzel);
        e.fertig = true;
    });
}

void Auswertung::AuswertungRangfolge(const std::string& von, const std::string& bis, int64_t t, Rangergebnis& e)
{
    e = {};
    Ergebnistabellen tabellen(db_, ordner_);
    schreibend([&] {
        tabellen.leeren();
        e.bezeichnung = nachschlagen_->sonstigesName(t);
        const std::vector<Rangzeile> zeilen = daten_->rangfolge(von, bis, t);
        if (zeilen.empty()) throw engine::EngineError("Keine Daten gefunden");
        for (const Rangzeile& z : zeilen) {
            tabellen.zeile(z.name, z.kegler, Value(), Value(), Value(), z.summe);
            ++e.zeilen;
        }
        e.fertig = true;
    });
}

} // namespace trevo::evaluation
