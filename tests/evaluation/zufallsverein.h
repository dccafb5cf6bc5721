#pragma once
// Generated clubs for the evaluation tests: bowlers, one price list with items of every
// kind (paid by the bowler or by all others, averaged or not), evenings with up to three
// sections, random participants, game amounts and item counts. What is written into the
// files is kept in plain structures, from which the expected results are worked out by
// the rules of the evaluation, independently of the program's computation.
#include "vereinsbau.h"

#include <map>
#include <random>
#include <string>
#include <vector>

namespace trevo::evaluation::test {

struct ZKegler {
    int nummer;
    std::string name, mitgliedsnummer;
    bool mitglied;
};
struct ZPosten {
    int nummer;
    long long preis;
    bool mittelwert;
    int gueltig;
};
struct ZZeile { // a participant row
    int nummer, kegler, abschnitt;
    std::vector<long long> spiele;
    std::vector<std::pair<int, int>> stuecke; // item index, pieces
};
struct ZAbend {
    int nummer;
    int32_t datum;
    long long beitrag;
    std::vector<ZZeile> zeilen;
};

struct Zufallsverein {
    std::vector<ZKegler> kegler;
    std::vector<ZPosten> posten;
    std::vector<ZAbend> abende;

    // Writes a club made from the seed into the folder of the builder.
    void erzeugen(Vereinsbau& bau, unsigned seed, int abendzahl = 5)
    {
        std::mt19937 rng(seed);
        auto zahl = [&](int von, int bis) { return std::uniform_int_distribution<int>(von, bis)(rng); };
        const char* namen[] = {"Adler", "Bauer", "Christ", "Dorn", "Ernst", "Fink", "Gross", "Haas"};
        for (int i = 0; i < 8; ++i) {
            ZKegler k{0, namen[i], std::to_string(20 + i), i < 6};
            k.nummer = bau.kegler(k.name, k.mitgliedsnummer, k.mitglied);
            kegler.push_back(k);
        }
        for (int i = 0; i < 5; ++i) {
            ZPosten p{0, zahl(5, 300), zahl(0, 1) == 1, i == 0 ? 2 : zahl(1, 2)};
            p.nummer = bau.posten(1, "Posten" + std::to_string(i), p.preis, p.mittelwert, p.gueltig);
            posten.push_back(p);
        }
        for (int a = 0; a < abendzahl; ++a) {
            ZAbend abend{0, tag(2024, 1, 1) + 7 * ((a * 3) % abendzahl) + 7 * abendzahl * (a / abendzahl), zahl(0, 1) * zahl(100, 600), {}};
            abend.nummer = bau.termin(abend.datum, 1, abend.beitrag);
            const int abschnitte = zahl(1, 3);
            for (int s = 1; s <= abschnitte; ++s)
                for (const ZKegler& k : kegler) {
                    if (zahl(0, 9) < 4) continue;
                    ZZeile z{bau.teilnahme(abend.nummer, k.nummer, s), k.nummer, s, {}, {}};
                    for (int g = zahl(0, 3); g > 0; --g) {
                        z.spiele.push_back(zahl(0, 350));
                        bau.spiel(abend.nummer, z.nummer, s, z.spiele.back());
                    }
                    for (int i = zahl(0, 2); i > 0; --i) {
                        z.stuecke.emplace_back(zahl(0, 4), zahl(1, 4));
                        bau.stueck(abend.nummer, z.nummer, s, posten[size_t(z.stuecke.back().first)].nummer,
                                   z.stuecke.back().second);
                    }
                    abend.zeilen.push_back(z);
                }
            abende.push_back(abend);
        }
    }
};

} // namespace trevo::evaluation::test
