#include "aufruf.h"

#include "engine/core/value.h"

#include <charconv>
#include <map>

namespace trevo::auswertungstool {

namespace {

std::optional<int64_t> ganzzahl(const std::string& t)
{
    int64_t n = 0;
    const auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), n);
    if (t.empty() || ec != std::errc() || p != t.data() + t.size()) return std::nullopt;
    return n;
}

std::optional<bool> janein(const std::string& t)
{
    if (t == "ja") return true;
    if (t == "nein") return false;
    return std::nullopt;
}

// The period as the request dialog hands it on: both dates readable, the earlier first.
std::string zeitraum(Aufruf& a, const std::string& von, const std::string& bis)
{
    const auto v = engine::parseDate(von), b = engine::parseDate(bis);
    if (!v || !b) return "Ungültige Datumangabe";
    a.von = von;
    a.bis = bis;
    if (*b < *v) std::swap(a.von, a.bis);
    return {};
}

} // namespace

std::string gebrauch()
{
    return "Aufruf: trevo-auswertung ORDNER termin NUMMER\n"
           "       trevo-auswertung ORDNER zeitraum VON BIS MITGLIEDSNUMMER\n"
           "       trevo-auswertung ORDNER rangliste VON BIS POSTENNUMMER\n"
           "Optionen: --zahlweise 1|2|3  --runden ja|nein  --aufrunden ja|nein  --pdf DATEI\n"
           "Schreibt AUSWERTU.DBF und WERTETAB.DBF wie das Fenster \"Auswerten\" und gibt die Zeilen\n"
           "durch Tabulatoren getrennt aus; Datumsangaben als T.M.JJJJ.\n";
}

Ergebnis aufrufLesen(const std::vector<std::string>& argumente)
{
    Aufruf a;
    std::vector<std::string> namen;
    std::map<std::string, std::string> optionen;
    for (size_t i = 0; i < argumente.size(); ++i) {
        const std::string& s = argumente[i];
        if (s == "-h" || s == "--hilfe" || s == "--help") return {};
        if (s.rfind("--", 0) != 0) {
            namen.push_back(s);
            continue;
        }
        const size_t gleich = s.find('=');
        const std::string name = s.substr(2, gleich == std::string::npos ? std::string::npos : gleich - 2);
        if (name != "zahlweise" && name != "runden" && name != "aufrunden" && name != "pdf")
            return {std::nullopt, "Unbekannte Option " + s};
        if (gleich != std::string::npos) optionen[name] = s.substr(gleich + 1);
        else if (i + 1 < argumente.size()) optionen[name] = argumente[++i];
        else return {std::nullopt, "Der Option " + s + " fehlt ihr Wert"};
    }
    if (optionen.count("zahlweise")) {
        const auto z = ganzzahl(optionen["zahlweise"]);
        if (!z || *z < 1 || *z > 3) return {std::nullopt, "--zahlweise erwartet 1, 2 oder 3"};
        a.optionen.zahlweise = static_cast<int>(*z);
    }
    for (const char* o : {"runden", "aufrunden"}) {
        if (!optionen.count(o)) continue;
        const auto j = janein(optionen[o]);
        if (!j) return {std::nullopt, std::string("--") + o + " erwartet ja oder nein"};
        (std::string(o) == "runden" ? a.optionen.rundung.aufZehntel : a.optionen.rundung.immerAufrunden) = *j;
    }
    a.pdf = optionen["pdf"];
    if (namen.size() < 2) return {std::nullopt, "Datenordner und Auswertung fehlen"};
    a.ordner = namen[0];
    if (a.ordner.empty()) return {std::nullopt, "Der Datenordner fehlt"};
    if (a.ordner.back() != '/' && a.ordner.back() != '\\') a.ordner += '/';
    const std::string& art = namen[1];
    if (art == "termin") {
        if (namen.size() != 3) return {std::nullopt, "termin erwartet die Nummer des Termins"};
        a.art = Art::Termin;
        a.termin = namen[2];
        return {a, {}};
    }
    if (art != "zeitraum" && art != "rangliste") return {std::nullopt, "Unbekannte Auswertung " + art};
    a.art = art == "zeitraum" ? Art::Zeitraum : Art::Rangliste;
    if (namen.size() != 5)
        return {std::nullopt, art + (a.art == Art::Zeitraum ? " erwartet VON BIS MITGLIEDSNUMMER"
                                                            : " erwartet VON BIS POSTENNUMMER")};
    if (std::string f = zeitraum(a, namen[2], namen[3]); !f.empty()) return {std::nullopt, f};
    const auto n = ganzzahl(namen[4]);
    if (!n) return {std::nullopt, "'" + namen[4] + "' ist kein gültiger Integerwert"};
    a.nummer = *n;
    return {a, {}};
}

} // namespace trevo::auswertungstool
