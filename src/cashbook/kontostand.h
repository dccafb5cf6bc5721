#pragma once
// The balance of an account recomputed from the table files: KONTOSTAND becomes the
// account's STARTSALDO plus the sum of BETRAG over its bookings dated on or after the
// account's DATUM ("Kontostand aktualisieren"). The running rules of the data module keep
// the same value booking by booking; this restores it from scratch.
namespace trevo::shell::stammdaten {
class Datenzugang;
}

namespace trevo::cashbook {

// The balance as the files give it; 0 for an account without a record.
double KontostandBerechnen(shell::stammdaten::Datenzugang& zugang, int konto);

// Writes the recomputed balance into the account record. An account without a record
// gets one first, as the data module makes it (opening balance 0 on 1.1.1990).
void KontostandAktualisieren(shell::stammdaten::Datenzugang& zugang, int konto);

} // namespace trevo::cashbook
