#include "evaluation/kern/abendrechnung.h"

#include "engine/core/error.h"
#include "evaluation/kern/nachschlagen.h"
#include "evaluation/kern/tabellenzugriff.h"

namespace trevo::evaluation {

using engine::Value;

Abendrechnung::Abendrechnung(Auswertungsdaten& daten, const Rundung& rundung, int64_t termin)
    : daten_(daten), rundung_(rundung), termin_(termin)
{
    teilnehmerliste_ = daten_.teilnehmer(termin);
    proAbschnitt_ = daten_.teilnehmerProAbschnitt(termin);
    mittelwerte(daten_.spielSummen(termin), spielMittelwerte_, spielMittelwertSumme_);
    mittelwerte(daten_.sonstigeSummen(termin), sonstigeMittelwerte_, sonstigeMittelwertSumme_);
}

// Each row's sum divided by the participant rows of its section, rounded; a section
// without participant rows averages 0. When the first row has no section above 0 (the
// rows come ordered, so no row has), every average is 0.
void Abendrechnung::mittelwerte(const std::vector<Abschnittssumme>& zeilen, Mittelwerte& werte, Cent& summe)
{
    if (zeilen.empty() || ganzVon(zeilen.front().abschnitt).value_or(0) <= 0) return;
    for (const Abschnittssumme& z : zeilen) {
        const auto s = ganzVon(z.abschnitt);
        if (!s || *s < 1) throw engine::EngineError("Fehler! Keine Daten gefunden");
        int64_t anzahl = 0;
        for (const Abschnittsanzahl& a : proAbschnitt_)
            if (gleich(a.abschnitt, z.abschnitt)) anzahl = a.anzahl;
        const Cent wert = anzahl > 0 ? Runden(rundung_, z.summe.value_or(0), anzahl) : Runden(rundung_, 0);
        summe += wert;
        werte[*s] = wert;
    }
}

bool Abendrechnung::nahmTeil(const Value& kegler)
{
    if (teilnehmerliste_.empty()) {
        const auto b = ganzVon(kegler);
        return b && daten_.teilgenommen(termin_, *b, 0);
    }
    for (const Value& t : teilnehmerliste_)
        if (gleich(t, kegler)) return true;
    return false;
}

Betraege Abendrechnung::betraege(int64_t kegler)
{
    Betraege b;
    for (const auto& s : daten_.spiele(termin_, kegler)) b.spiele += s.value_or(0);
    b.sonstiges = daten_.sonstiges(termin_, kegler).value_or(0);
    for (const Abschnittsanzahl& a : proAbschnitt_) {
        const auto s = ganzVon(a.abschnitt);
        if (!s || *s <= 0) continue; // asked without a section: he took part
        if (daten_.teilgenommen(termin_, kegler, *s)) continue;
        b.spiele += spielMittelwert(*s);
        b.sonstiges += sonstigerMittelwert(*s);
    }
    return b;
}

Cent Abendrechnung::spielMittelwert(int64_t abschnitt) const
{
    const auto it = spielMittelwerte_.find(abschnitt);
    return it == spielMittelwerte_.end() ? 0 : it->second;
}

Cent Abendrechnung::sonstigerMittelwert(int64_t abschnitt) const
{
    const auto it = sonstigeMittelwerte_.find(abschnitt);
    return it == sonstigeMittelwerte_.end() ? 0 : it->second;
}

} // namespace trevo::evaluation
