#pragma once
// Loading and storing one game section of an evening through the two entry grids: the
// participant columns from the participants query, the stored game amounts (SPIELKEG.DBF)
// and item counts (SONSTKEG.DBF) of the section, and storing as "delete what the section
// has stored, write what the grids hold". Storing checks every cell before anything is
// deleted, and deletes and writes as one change of the evening session: an error leaves
// the stored section as it was, and what was typed stays in the grids.
#include "evenings/eingabegitter.h"

#include <string>

namespace trevo::engine {
class DataSet;
}

namespace trevo::evenings {

class Abenddaten;

struct Abschnittsort {
    long termin = 0;   // NUMMER of the evening
    int abschnitt = 0; // game section
};

// The participant columns of the section from the participants query (one column per row
// of that section, in query order), written into the grid after its reset.
void teilnehmerspalten(Eingabegitter& gitter, engine::DataSet& teilnehmerAbfrage, int abschnitt);

// Both grids (already reset, with their participant columns) filled with what is stored.
void spieleLaden(Abenddaten& daten, Eingabegitter& spiele, const Abschnittsort& ort);
void sonstigeLaden(Abenddaten& daten, Eingabegitter& sonstige, const Abschnittsort& ort);

// Replaces what is stored for the section by the grids' contents.
void abschnittSpeichern(Abenddaten& daten, const Eingabegitter& spiele, const Eingabegitter& sonstige,
                        const Abschnittsort& ort);
// Only the item counts (the refresh the other-items window asks for).
void sonstigeSpeichern(Abenddaten& daten, const Eingabegitter& sonstige, const Abschnittsort& ort);

// The statements, as built for the section.
std::string gespeicherteSpiele(Abenddaten& daten, const Abschnittsort& ort);
std::string gespeicherteSonstige(Abenddaten& daten, const Abschnittsort& ort);

} // namespace trevo::evenings
