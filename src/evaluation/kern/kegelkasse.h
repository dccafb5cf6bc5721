#pragma once
// "Mit Kegelkasse verrechnen": the total of the last evening evaluation booked into the
// club's cash book. The amount is converted into the account's currency when the two
// differ; a booking of the same amount dated today is only repeated after the question
// "... Daten trotzdem speichern ?". The booking goes through a booking data set of the data
// module, whose rules add it to the account's balance; booking and balance are committed
// together in one transaction of the cash-book session. While the cash book window has a
// booking in change, that transaction stays open: the evening's booking becomes durable
// when the change is saved or cancelled, together with it.
#include "evaluation/kern/auswertung.h"

namespace trevo::engine {
class TableDataSet;
}

namespace trevo::evaluation {

class Nachschlagen;

// The amount to book in the account's currency (cents), rounded half up to the cent. A
// currency without a record counts with factor 1; a factor of 0 is refused.
Cent Buchungsbetrag(Nachschlagen& nachschlagen, const Terminergebnis& termin);

// Books the evening; false when the user declined the second booking. heute: today's day
// number. The booking data set is left in the order of DATUM.
bool MitKegelkasseVerrechnen(engine::TableDataSet& buchungen, Nachschlagen& nachschlagen,
                             const Terminergebnis& termin, int32_t heute);

} // namespace trevo::evaluation
