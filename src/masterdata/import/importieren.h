#pragma once
// The members window's "&Importieren": the user picks a dBASE table in the data folder,
// connects its fields to those of KEGLER.DBF in the dialog "Datenimport" and imports its
// records into the bowler register.
namespace trevo::shell::stammdaten {
class Datenzugang;
}

namespace trevo::masterdata {

// Runs the whole sequence; returns the number of records imported (0 when the user
// cancelled, the source was empty or could not be opened - the user was told).
int Importieren(shell::stammdaten::Datenzugang& zugang);

} // namespace trevo::masterdata
