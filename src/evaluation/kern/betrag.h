#pragma once
// Money in the evaluations: whole cents in 64-bit integers, so that adding up the amounts
// of a thousand evenings never drifts. The stored amounts carry two decimals; they are
// read into cents once and every sum, average and total is formed from cents.
#include "engine/core/value.h"

#include <cstdint>
#include <string>

namespace trevo::evaluation {

using Cent = int64_t;

// A stored amount in cents (rounded to the nearest cent); NULL gives 0.
Cent centVon(const engine::Value& v);
// A stored amount or count times a price in cents, rounded to the nearest cent.
Cent centMal(double anzahl, Cent preis);
// Cents as the stored value.
engine::Value alsWert(Cent c);
double alsZahl(Cent c);

// The rounding of averages and totals, by the options "Beträge runden auf 10 Pfennig/Cent"
// (multiples of 0.10 instead of 0.01) and "Durchschnitt immer aufrunden" (0.99 added before
// cutting instead of 0.5).
struct Rundung {
    bool aufZehntel = true;
    bool immerAufrunden = true;
};

// Runden of the amount zaehler / nenner cents (nenner > 0): r(x) = T(x*m + a) / m with T
// cutting towards zero, m 10 or 100, a 0.99 or 0.5; computed exactly on whole numbers.
Cent Runden(const Rundung& r, Cent zaehler, int64_t nenner = 1);

// printf-like texts with a decimal point ("%8.2f" gives "   12.30"), as the result tables
// keep them; the shortest text of an amount ("16.8", "12", "-0.05").
std::string formatiert(Cent c, int breite, bool linksbuendig = false);
std::string kuerzesterText(Cent c);
// The same with a decimal comma, as the user reads it.
std::string mitKomma(std::string text);

} // namespace trevo::evaluation
