#pragma once
// The single values the evaluations look up: the evening's date, price list and fee, the
// currency of a price list and its abbreviation and factor, the account's currency, the
// bowlers in the order of their numbers, a bowler by member number and an item's name.
#include "engine/core/value.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace trevo::engine {
class Database;
}

namespace trevo::evaluation {

struct Termindaten {
    bool vorhanden = false;
    engine::Value datum, preisliste, beitrag;
};

struct Keglerdaten {
    engine::Value nummer;
    std::string mitgliedsnummer, name;
    bool mitglied = false;
};

class Nachschlagen {
public:
    Nachschlagen(engine::Database& db, std::string ordner);

    // The first evening record of that number.
    Termindaten termin(int64_t nummer);
    // WAEHRUNG of the price list; 0 when there is none or it is empty.
    int64_t preislistenWaehrung(const engine::Value& preisliste);
    // KUERZEL of the currency; empty when there is none.
    std::string waehrungsKuerzel(int64_t waehrung);
    // FAKTOR of the currency; nullopt when there is no such currency.
    std::optional<double> faktor(int64_t waehrung);
    // WAEHRUNG of the cash-book account; 0 when there is none.
    int64_t kontoWaehrung(int64_t konto);
    // Every bowler, ordered by NUMMER.
    std::vector<Keglerdaten> kegler();
    // NUMMER and NAME of the bowler whose MITGLIEDNR is the decimal text of m (0 and empty
    // when there is none; no bowler for m of 0 or less by name).
    int64_t keglerNummerZuMitgliedsnummer(int64_t m);
    std::string keglerNameZuMitgliedsnummer(int64_t m);
    // NAME of the bowler whose MITGLIEDNR is exactly the text; empty when there is none.
    std::string keglerNameZuMitgliedsnummer(const std::string& mitgliedsnummer);
    // BEZEICHNUN of the item; empty when there is none.
    std::string sonstigesName(int64_t nummer);

private:
    engine::Database& db_;
    std::string ordner_;
};

// The text of a stored text field without trailing blanks; empty for NULL.
std::string textVon(const engine::Value& v);
// A stored number cut to a whole number; nullopt for NULL and non-numbers.
std::optional<int64_t> ganzVon(const engine::Value& v);

} // namespace trevo::evaluation
