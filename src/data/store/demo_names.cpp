#include "data/store/demo_names.h"

#include "engine/core/collation.h"

namespace trevo::data::demo {

const std::vector<std::string>& surnames()
{
    static const std::vector<std::string> v = {
        "Müller", "Schmidt", "Schneider", "Fischer", "Weber", "Meyer", "Wagner", "Becker", "Schulz", "Hoffmann",
        "Schäfer", "Koch", "Bauer", "Richter", "Klein", "Wolf", "Schröder", "Neumann", "Schwarz", "Zimmermann",
        "Braun", "Krüger", "Hofmann", "Hartmann", "Lange", "Schmitt", "Werner", "Schmitz", "Krause", "Meier",
        "Lehmann", "Köhler", "Herrmann", "König", "Walter", "Mayer", "Huber", "Kaiser", "Fuchs", "Peters",
        "Lang", "Scholz", "Möller", "Weiß", "Jung", "Hahn", "Schubert", "Vogel", "Friedrich", "Keller",
        "Günther", "Frank", "Berger", "Winkler", "Roth", "Beck", "Lorenz", "Baumann", "Franke", "Albrecht",
        "Böhm", "Winter", "Krämer", "Vogt", "Stein", "Jäger", "Otto", "Sommer", "Groß", "Seidel",
        "Heinrich", "Brandt", "Haas", "Schreiber", "Graf", "Schulte", "Dietrich", "Ziegler", "Kühn", "Pohl",
        "Engel", "Horn", "Busch", "Bergmann", "Thomas", "Voigt", "Sauer", "Arnold", "Wolff", "Pfeiffer",
        "Löffler", "Ströbel", "Büttner", "Gößmann", "Düring", "Fröhlich", "Nüßlein", "Hölzer", "Rößler", "Täuber",
    };
    return v;
}

const std::vector<std::string>& maleFirstNames()
{
    static const std::vector<std::string> v = {
        "Hans", "Jürgen", "Günter", "Klaus", "Dieter", "Jörg", "Björn", "Uwe", "Manfred", "Wolfgang",
        "Helmut", "Rüdiger", "Sören", "Lothar", "Horst", "Heinz", "Gerd", "Friedhelm", "Karl-Heinz", "Bernd",
        "Jörn", "Hans-Jürgen", "Rolf", "Ulrich", "Andreas", "Michael", "Stefan", "Thomas", "Frank", "Jens",
    };
    return v;
}

const std::vector<std::string>& femaleFirstNames()
{
    static const std::vector<std::string> v = {
        "Bärbel", "Gisela", "Ursula", "Renate", "Käthe", "Hannelore", "Monika", "Brigitte", "Jutta", "Doris",
        "Sabine", "Petra", "Gülay", "Dörte", "Margarete", "Elke", "Anke", "Heike", "Karin", "Christiane",
    };
    return v;
}

const std::vector<std::string>& aliases()
{
    static const std::vector<std::string> v = {
        "Kalle", "Jupp", "Hansi", "Atze", "Bärchen", "Schorsch", "Lutz", "Männe", "Pitter", "Fränky",
        "Kegelkönig", "Pudelmütze", "Stinastar", "Neuner-Willi", "Bubi", "Köbes",
    };
    return v;
}

const std::vector<std::string>& streets()
{
    static const std::vector<std::string> v = {
        "Hauptstraße", "Bahnhofstraße", "Kirchweg", "Schützenstraße", "Am Mühlenbach", "Lindenallee",
        "Gartenstraße", "Königsweg", "Brückenstraße", "Marktplatz", "Schulstraße", "Birkenweg",
        "Kegelbahnstraße", "Hölderlinstraße", "Ährenfeld", "Grüner Weg",
    };
    return v;
}

const std::vector<Town>& towns()
{
    static const std::vector<Town> v = {
        {"50667", "Köln", "0221"},       {"40213", "Düsseldorf", "0211"}, {"41061", "Mönchengladbach", "02161"},
        {"47798", "Krefeld", "02151"},   {"42103", "Wuppertal", "0202"},  {"53111", "Bonn", "0228"},
        {"51373", "Leverkusen", "0214"}, {"41460", "Neuss", "02131"},
    };
    return v;
}

const std::vector<std::string>& offices()
{
    static const std::vector<std::string> v = {
        "Präsident", "Vizepräsident", "Kassenwart", "Schriftführer", "Sportwart", "Beisitzer",
    };
    return v;
}

const std::vector<std::string>& appointmentTypes()
{
    static const std::vector<std::string> v = {
        "Kegelabend", "Jahreshauptversammlung", "Kegeltour", "Pokalkegeln", "Weihnachtsfeier", "Vorstandssitzung",
    };
    return v;
}

const std::vector<Game>& games()
{
    static const std::vector<Game> v = {
        {"Große Hausnummer", "Drei Würfe; die Hölzer ergeben Hunderter, Zehner und Einer. Die kleinste Zahl zahlt."},
        {"Kleine Hausnummer", "Wie die große Hausnummer, aber die größte Zahl zahlt."},
        {"Fuchsjagd", "Ein Fuchs wird von den übrigen Keglern gejagt; wer ihn nicht überholt, zahlt."},
        {"Tannenbaum", "Die Hölzer werden in der Reihenfolge des Tannenbaums abgeräumt. Wer am längsten braucht, zahlt."},
        {"Bauernkegeln", "Jeder hat fünf Würfe in die Vollen; die wenigsten Hölzer zahlen."},
        {"Schubkegeln", "Abräumen in möglichst wenigen Würfen; für jeden Fehlwurf ein Aufschlag."},
    };
    return v;
}

const std::vector<Item>& items()
{
    static const std::vector<Item> v = {
        {"Pudel", 20, true, 1, 30, 4},
        {"Stina", 50, true, 1, 12, 2},
        {"Alle Neune", 50, false, 2, 3, 1},
        {"Kranz", 30, false, 2, 4, 1},
        {"Rinne", 10, true, 1, 10, 3},
        {"Bier 0,3 l", 190, false, 1, 30, 3},
        {"Alt 0,2 l", 160, false, 1, 20, 4},
        {"Cola", 180, false, 1, 8, 2},
        {"Korn", 150, false, 1, 6, 2},
        {kLaneFee, 300, true, 1, 0, 1},
    };
    return v;
}

std::string asciiLower(const std::string& utf8)
{
    std::string out;
    const std::string lower = engine::toLowerGerman(utf8);
    for (size_t pos = 0; pos < lower.size();) {
        const char32_t c = engine::nextCodePoint(lower, pos);
        switch (c) {
        case U'ä': out += "ae"; break;
        case U'ö': out += "oe"; break;
        case U'ü': out += "ue"; break;
        case U'ß': out += "ss"; break;
        case U' ': case U'-': out += "-"; break;
        default:
            if (c < 0x80) out.push_back(static_cast<char>(c));
        }
    }
    return out;
}

} // namespace trevo::data::demo
