#include "common/catalogue/meldungstext.h"

#include "engine/core/collation.h"

#include <map>

namespace trevo::common {
namespace {

// The fixed parts of one entry; a text with k parts has k-1 parameter slots between them.
using Teile = std::vector<const char*>;

const std::map<int, Teile>& katalog()
{
    static const std::map<int, Teile> k = {
        {1000, {"Warnung: S:=Die Nummer ist schon vergeben"}},
        {1001, {"Die Nummer ist schon vergeben.  Geben sie bitte eine andere Nummer ein."}},
        {2001, {"Die Daten sind nicht vollständig"}},
        {2002, {"Neuer Datensatz kann nicht gespeichert werden !"}},
        {2003, {"Der Drucker ist nicht bereit"}},
        {2004, {"Bild kann nicht geladen werden"}},
        {2005, {"Es wurden keine Datensätze gefunden"}},
        {2006, {"Der Suchtext wurde nicht gefunden"}},
        {2007, {"Der Datensatz wurde nicht gefunden"}},
        {2008, {"Die Nummer wurde nicht gefunden"}},
        {2009, {"Fehler beim Ermitteln eines Wertes aus Tabelle"}},
        {2010, {"Stammdaten werden nicht gespeichert"}},
        {2011, {"Die Datei ", "enthält keine Daten"}},
        {2012, {"Die Nummer wurde nicht ", "gefunden"}},
        {2013, {"Neue Schablonekann nicht gespeichert werden !"}},
        {2014, {"Es sind keine Daten gespeichert"}},
        {3000, {"Ungültige Eingabe"}},
        {3001, {"Ungültige Eingabe für den Startwert"}},
        {3002, {"Ungültige Eingabe für den Endwert"}},
        {3003, {"\"Bis\" muß angegeben werden"}},
        {3004, {"Sie müssen ein Datum angeben"}},
        {3005, {"Ungültige Datumangabe"}},
        {3006, {"Ungültiger Wert für Anzahl"}},
        {3007, {"Ungültige Angabe für Skonto"}},
        {3008, {"Ungültige Angabe für den Umrechnungskurs"}},
        {3009, {"Ungültige Angabe für den Mehrwertsteuersatz"}},
        {3010, {"Ungültige Seitenrandangabe !"}},
        {3011, {"Fehlerhafter Programmparameter ", ""}},
        {3013, {"Betrag kann nicht umgerechnet werden"}},
        {3014, {"Passwort nicht erkannt"}},
        {4001, {"Die Daten wurden als Stammdaten gespeichert. Sie können bei der nächsten Eingabe "
                "dieses Materials automatisch eingefügt werden."}},
        {4002, {"Die Summe der Einzelbeträge ist größer als die Rechnungssumme !"}},
        {4003, {"Wiederherstellen ist nicht möglich"}},
        {4004, {"Dokumentation nicht gefunden"}},
        {4005, {"Es können nicht alle Zeilen eingelesen werden"}},
        {4006, {"Verzeichnis ", " konnte nicht angelegt werden"}},
        {4007, {"Fehler beim Öffnen der Tabelle ", ""}},
    };
    return k;
}

// At most 255 characters (code points, so that no character is cut in half).
std::string hoechstens255(const std::string& s)
{
    size_t pos = 0;
    for (int n = 0; n < 255 && pos < s.size(); ++n) engine::nextCodePoint(s, pos);
    return s.substr(0, pos);
}

} // namespace

std::string MeldungsText(int code, const std::vector<std::string>& parameter)
{
    const auto it = katalog().find(code);
    if (it == katalog().end()) return {};
    const Teile& teile = it->second;
    std::string text = teile[0];
    for (size_t i = 1; i < teile.size(); ++i) {
        if (parameter.size() >= i) text += hoechstens255(parameter[i - 1]) + " ";
        text += teile[i];
    }
    return text;
}

} // namespace trevo::common
