#pragma once
// One evening as the evaluations charge it. Made once per evening, before any bowler:
// the participants (Q1), the participant rows per section (Q3) and the rounded game and
// other-items averages per section (Q4, Q5). Then the amounts of one bowler who took part:
// his own game amounts (Q6) and other items (Q7) plus the averages of every section of the
// evening in which he has no participant row (Q2).
#include "evaluation/kern/auswertungsdaten.h"

#include <map>

namespace trevo::evaluation {

struct Betraege {
    Cent spiele = 0;
    Cent sonstiges = 0;
};

class Abendrechnung {
public:
    // Throws EngineError "Fehler! Keine Daten gefunden" for a section number below 1 after
    // a first section above 0.
    Abendrechnung(Auswertungsdaten& daten, const Rundung& rundung, int64_t termin);

    bool nahmTeil(const engine::Value& kegler);
    // The amounts of a bowler who took part.
    Betraege betraege(int64_t kegler);
    // What a bowler who missed the evening is charged.
    Betraege mittelwertSummen() const { return {spielMittelwertSumme_, sonstigeMittelwertSumme_}; }

    Cent spielMittelwert(int64_t abschnitt) const;
    Cent sonstigerMittelwert(int64_t abschnitt) const;

private:
    using Mittelwerte = std::map<int64_t, Cent>;
    void mittelwerte(const std::vector<Abschnittssumme>& zeilen, Mittelwerte& werte, Cent& summe);

    Auswertungsdaten& daten_;
    Rundung rundung_;
    int64_t termin_;
    std::vector<engine::Value> teilnehmerliste_;
    std::vector<Abschnittsanzahl> proAbschnitt_;
    Mittelwerte spielMittelwerte_, sonstigeMittelwerte_;
    Cent spielMittelwertSumme_ = 0, sonstigeMittelwertSumme_ = 0;
};

} // namespace trevo::evaluation
