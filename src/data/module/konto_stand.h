#pragma once
// "Kontostand aktualisieren": the balance of an account restored from the table files.
// KONTOSTAND becomes the account's STARTSALDO plus the sum of BETRAG over its bookings
// dated on or after the account's DATUM (TKeDataForm::KontostandBerechnen). The running
// rules keep the same value booking by booking; this restores it from scratch.
namespace trevo::data {

class TKeDataForm;

// A booking pending in either booking cursor is stored (or dropped, when nothing was typed)
// first, so that the amount a change took off is not missed. An account without a record
// gets one (opening balance 0 on 1.1.1990) in the same transaction as its balance.
void KontostandAktualisieren(TKeDataForm& modul, int konto);

} // namespace trevo::data
