#pragma once
// Reading the stored options at start-up and writing them when the program ends.
#include "common/options/programmoptionen.h"
#include "common/options/programmpfade.h"
#include "engine/storage/storage.h"

namespace trevo::common {

// After the defaults are set: reads the record "Standard-Konfiguration" of KEGELCFG.DB in the
// configuration folder. Stored properties replace the current values, all others keep theirs.
//  - No KEGELCFG.DB: the message "Die Konfigurationsdatenbank KEGELCFG.DB fehlt"; nothing else.
//  - A damaged table or record: an error box with the German reason; the defaults stay.
//  - Otherwise a non-empty LogoFilename is loaded as the logo (an unreadable picture leaves the
//    empty picture and says so) and a non-empty Datenordner becomes the data folder.
// Returns true when the record was read.
bool OptionenLaden(TProgrammoptionen& optionen, Programmpfade& pfade, engine::Storage& storage);

// Writes the stored options into the record "Standard-Konfiguration" (appended when missing).
// No KEGELCFG.DB: the message "Die Konfigurationsdatenbank KEGELCFG.DB fehlt". A failed write is
// shown in an error box; the table stays as it was. Returns true when the options were written.
bool OptionenSpeichern(const TProgrammoptionen& optionen, const Programmpfade& pfade,
                       engine::Storage& storage);

} // namespace trevo::common
