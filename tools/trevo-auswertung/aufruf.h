#pragma once
// The command line of trevo-auswertung:
//   ORDNER termin NUMMER
//   ORDNER zeitraum VON BIS MITGLIEDSNUMMER
//   ORDNER rangliste VON BIS POSTENNUMMER
// with the options --zahlweise 1|2|3, --runden ja|nein, --aufrunden ja|nein and
// --pdf DATEI, anywhere on the line, their value as the next argument or after '='.
#include "evaluation/kern/auswertung.h"

#include <optional>
#include <string>
#include <vector>

namespace trevo::auswertungstool {

enum class Art { Termin, Zeitraum, Rangliste };

struct Aufruf {
    std::string ordner; // ends in a separator
    Art art = Art::Termin;
    std::string termin;    // the evening's NUMMER
    std::string von, bis;  // the period, the earlier date first
    int64_t nummer = 0;    // member number or item number
    evaluation::Auswertungsoptionen optionen;
    std::string pdf;       // empty: no PDF
};

struct Ergebnis {
    std::optional<Aufruf> aufruf;
    std::string fehler; // German; empty with a call, and when only the usage is to be shown
};

Ergebnis aufrufLesen(const std::vector<std::string>& argumente);
std::string gebrauch();

} // namespace trevo::auswertungstool
