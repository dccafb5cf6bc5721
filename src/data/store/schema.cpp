#include "data/store/schema.h"

#include "engine/core/collation.h"

#include <stdexcept>

namespace trevo::data {
namespace {

// Widths of the numeric fields. The program reads every number as a floating-point
// value, so any width that holds the values works; these are chosen so that:
//  - record numbers, references, sections, positions, counts and day numbers are
//    whole numbers up to 9,999,999,999 (N(10,0)): far beyond any club's records and
//    exact in a double;
//  - amounts and prices carry the two decimals they are shown with and reach
//    999,999,999.99 with sign room (N(12,2));
//  - GUELTIG is the small number N(2,0) that the program itself adds with
//    "NUMERIC(2,0)" to tables that lack it, holding 1 or 2;
//  - a currency factor needs more decimals than an amount (1.95583 DEM, 1936.27 ITL,
//    0.000123 for strong currencies): N(16,6).
FieldSpec number(const char* name, const char* label) { return {name, 'N', 10, 0, label}; }
FieldSpec amount(const char* name, const char* label) { return {name, 'N', 12, 2, label}; }
FieldSpec small(const char* name, const char* label) { return {name, 'N', 2, 0, label}; }
FieldSpec factor(const char* name, const char* label) { return {name, 'N', 16, 6, label}; }
FieldSpec text(const char* name, uint8_t width, const char* label) { return {name, 'C', width, 0, label}; }
FieldSpec date(const char* name, const char* label) { return {name, 'D', 8, 0, label}; }
FieldSpec logical(const char* name, const char* label) { return {name, 'L', 1, 0, label}; }
FieldSpec memo(const char* name, const char* label) { return {name, 'M', 10, 0, label}; }

std::vector<TableSchema> buildTables()
{
    using namespace tables;
    return {
        {Termine,
         {number("NUMMER", "lfd.Nummer"), date("DATUM", "Datum"), number("TEILNEHMER", "Teilnehmer"),
          amount("BEITRAG", "Beitrag"), number("ABSCHNITTE", "Spielabschnitte"),
          number("PREISLISTE", "Preisliste"), memo("BEMERKUNGE", "Anmerkungen")},
         {"NUMMER"}},
        {Keglterm,
         {number("NUMMER", "lfd. Nummer"), number("TERMIN", "Termin"), number("KEGLER", "Nummer"),
          number("ABSCHNITT", "Spielabschnitt")},
         {"NUMMER", "TERMIN"}},
        {Kegler,
         {number("NUMMER", "lfd. Nummer"), text("MITGLIEDNR", 10, "Mitgliedsnummer"), text("NAME", 50, "Name"),
          text("VORNAME", 50, "Vorname"), text("ALIAS", 50, "Alias"), logical("MITGLIED", "Mitglied"),
          number("FUNKTION", "Funktion"), text("STRASSE", 50, "Strasse"), text("PLZ", 5, ""),
          text("ORT", 50, "Ort"), text("TEL1", 50, "Telefon 1"), text("TEL2", 50, "Telefon 2"),
          text("EMAIL", 50, ""), memo("BEMERKUNGE", "Bemerkungen"), text("EINTRITT", 10, "Mitglied seit"),
          date("GEBURTSTAG", "Geburtstag"), number("GEBTAGNUM", "")},
         {"NUMMER", "MITGLIEDNR", "NAME"}},
        {Spielkeg,
         {number("NUMMER", "lfd. Nummer"), number("KEGLERNR", "Kegler Nr."), number("ABSCHNITT", "Spielabschnitt"),
          number("SPIELNR", "Spiel Nr."), amount("BETRAG", "Betrag"), number("TERMIN", "Termin")},
         {"KEGLERNR", "NUMMER"}},
        {Sonstkeg,
         {number("NUMMER", "lfd. Nummer"), number("KEGLERNR", "Kegler Nr."), number("ABSCHNITT", "Spielabschnitt"),
          number("TYP", "Typ"), number("ANZAHL", "Anzahl"), number("TERMIN", "Termin Nr. ")},
         {"KEGLERNR", "NUMMER"}},
        {Sonstype,
         {number("NUMMER", "lfd.Nummer"), text("BEZEICHNUN", 50, "Bezeichnung"), amount("EINZELPREI", "Betrag"),
          logical("MITTELWERT", "Mittelwert bilden"), number("PREISLISTE", ""), small("GUELTIG", "Wer zahlt")},
         {"NUMMER", "PREISLISTE"}},
        {Sonstyp0,
         {number("NUMMER", "lfd.Nummer"), date("DATUM", "Datum"), number("WAEHRUNG", "Währung"),
          amount("BEITRAG", "Beitrag")},
         {"NUMMER"}},
        {Spiele, {number("NUMMER", "lfd. Nummer"), text("NAME", 50, "Bezeichnung"), memo("BEMERKUNGE", "Beschreibung")},
         {"NUMMER"}},
        {Funktion, {number("NUMMER", "lfd. Nummer"), text("BEZEICHNUN", 50, "Bezeichnung")}, {"NUMMER"}},
        {Termplan,
         {number("NUMMER", "lfd.Nummer"), date("TERMIN", "Datum"), text("ZEIT", 5, "Zeit"), number("STATUS", "Status"),
          text("BESCHREIBU", 50, "Beschreibung"), memo("BEMERKUNGE", "Bemerkungen"), number("TERMINNUM", "")},
         {"NUMMER"}},
        {Terminty, {number("NUMMER", "lfd.Nummer"), text("BESCHREIBU", 50, "Beschreibung")}, {"NUMMER", "BESCHREIBU"}},
        {Waehrungen,
         {number("NUMMER", "lfd. Nummer"), text("NAME", 40, "Bezeichnung"), text("KUERZEL", 3, "Kürzel"),
          factor("FAKTOR", "Faktor"), memo("BEMERKUNGE", "Bemerkungen")},
         {"NUMMER"}},
        {Konto,
         {number("NUMMER", "lfd. Nummer"), date("DATUM", "Buchungsdatum"), amount("BETRAG", "Betrag"),
          number("TYP", "Buchungstyp"), memo("BESCHREIBU", "Bemerkungen"), number("KONTONR", "Kontonummer")},
         {"DATUM", "NUMMER"}},
        {Kontoinf,
         {number("NUMMER", "lfd. Nummer"), number("KONTONR", "Kontonummer"), number("WAEHRUNG", "Waehrung"),
          amount("STARTSALDO", "Startsaldo"), date("DATUM", "Datum"), amount("KONTOSTAND", "Kontostand")},
         {"KONTONR", "NUMMER"}},
        {Auswertu,
         {text("NAME", 50, "Name"), number("NUMMER", "Mitgliedsnummer"), amount("SPIELE", "Spiele"),
          amount("SONSTIGES", "Sonstiges"), amount("BEITRAG", "Beitrag"), amount("SUMME", "Summe")},
         {"NUMMER"}},
        {Wertetab, {number("NUMMER", "lfd.Nummer"), text("BEZEICHNUN", 40, "Bezeichnung"), text("WERT", 50, "Wert")},
         {"BEZEICHNUN", "NUMMER"}},
    };
}

std::vector<Relation> buildRelations()
{
    using namespace tables;
    return {
        {Keglterm, "TERMIN", Termine, "NUMMER"},     {Spielkeg, "TERMIN", Termine, "NUMMER"},
        {Sonstkeg, "TERMIN", Termine, "NUMMER"},     {Keglterm, "KEGLER", Kegler, "NUMMER"},
        {Spielkeg, "KEGLERNR", Keglterm, "NUMMER"},  {Sonstkeg, "KEGLERNR", Keglterm, "NUMMER"},
        {Sonstkeg, "TYP", Sonstype, "NUMMER"},       {Termine, "PREISLISTE", Sonstyp0, "NUMMER"},
        {Sonstype, "PREISLISTE", Sonstyp0, "NUMMER"}, {Sonstyp0, "WAEHRUNG", Waehrungen, "NUMMER"},
        {Kontoinf, "WAEHRUNG", Waehrungen, "NUMMER"}, {Kegler, "FUNKTION", Funktion, "NUMMER"},
        {Konto, "KONTONR", Kontoinf, "KONTONR"},
    };
}

} // namespace

const FieldSpec* TableSchema::field(std::string_view name) const
{
    const std::string upper = engine::toUpperGerman(name);
    for (const auto& f : fields)
        if (f.name == upper) return &f;
    return nullptr;
}

std::vector<engine::FieldDef> TableSchema::fieldDefs() const
{
    std::vector<engine::FieldDef> defs;
    for (const auto& f : fields) defs.push_back(f.def());
    return defs;
}

bool TableSchema::hasMemo() const
{
    for (const auto& f : fields)
        if (f.type == 'M') return true;
    return false;
}

const std::vector<TableSchema>& allTables()
{
    static const std::vector<TableSchema> tables = buildTables();
    return tables;
}

const TableSchema* findTable(std::string_view fileName)
{
    const std::string upper = engine::toUpperGerman(fileName);
    for (const auto& t : allTables())
        if (t.fileName == upper) return &t;
    return nullptr;
}

const TableSchema& tableSchema(std::string_view fileName)
{
    if (const TableSchema* t = findTable(fileName)) return *t;
    throw std::out_of_range("Unbekannte Tabelle '" + std::string(fileName) + "'");
}

const std::vector<Relation>& relations()
{
    static const std::vector<Relation> r = buildRelations();
    return r;
}

std::string memoFileName(const std::string& tableFileName)
{
    const size_t dot = tableFileName.rfind('.');
    return (dot == std::string::npos ? tableFileName : tableFileName.substr(0, dot)) + ".DBT";
}

} // namespace trevo::data
