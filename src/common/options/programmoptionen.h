#pragma once
// The program options object, created at start-up and kept for the whole run. The stored
// part goes into the record "Standard-Konfiguration" of KEGELCFG.DB when the program ends;
// the options of the run start with their defaults at every start.
#include "common/stream/stored_options.h"

#include <cstdint>
#include <string>

namespace trevo::common {

// Payment modes of the contribution.
enum Zahlweise : int32_t { ProKegeltermin = 1, Monatlich = 2, Jaehrlich = 3 };

class TProgrammoptionen {
public:
    // Stored options with their defaults (report files, Datenordner, LogoFilename, ...).
    StoredOptions gespeichert;

    // Options of the run.
    bool rundenAufZehntel = true;               // "Beträge runden auf 10 Pfennig/Cent"
    bool durchschnittImmerAufrunden = true;     // "Durchschnitt immer aufrunden"
    bool durchschnittFuerFehlendeMitglieder = true; // shown in the options window only
    double beitrag = 0;                         // copied into new evenings when paying per evening
    int32_t zahlweise = ProKegeltermin;
    int32_t aktuellePreisliste = 1;             // NUMMER of the price list of new evenings
    bool deutschesDatumsformat = true;

    // The logo picture: the bytes of the picture file, empty for the empty picture.
    // Decoding them into an image is the windows' concern.
    std::string logo;

    // All options back to their defaults.
    void standardwerte() { *this = TProgrammoptionen(); }
};

} // namespace trevo::common
