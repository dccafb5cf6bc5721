// Single-value questions: one SELECT over the table files each, built line by line and
// run through Query1. Numbers handed in as text are checked and written as plain numbers,
// and texts are pasted with the quoting helper (a deliberate mend: an argument can no
// longer change the statement).
#include "engine/core/collation.h"
#include "data/dbtools/anweisung.h"
#include "common/helpers/stellen_runden.h"
#include "data/module/ke_data_form.h"
#include "engine/sql/sql.h"
#include "data/store/schema.h"

#include <charconv>
#include <cmath>

namespace trevo::data {

using engine::Value;

namespace {

std::string trim(const std::string& s)
{
    const size_t a = s.find_first_not_of(' ');
    if (a == std::string::npos) return {};
    return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

// A number argument as it goes into the statement; ValueError for anything else.
std::string zahl(const std::string& text)
{
    const auto n = engine::parseNumber(text);
    if (!n) throw engine::ValueError("'" + text + "' ist keine gültige Zahl");
    if (*n == std::trunc(*n) && std::fabs(*n) < 1e15) return std::to_string(static_cast<int64_t>(*n));
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, *n);
    return std::string(buf, r.ptr);
}

int64_t ganz(const Value& v) { return AlsGanzzahl(v).value_or(0); }
std::string text(const Value& v) { return v.isNull() ? std::string() : std::string(engine::trimRight(v.toText())); }

} // namespace

std::string TKeDataForm::datei(const char* name) const { return InAnfuehrung(d_->ordner + name); }

void TKeDataForm::abfrageOeffnen(engine::QueryDataSet& abfrage, const std::string& statement)
{
    abfrage.close();
    const std::string ordner = d_->ordner;
    abfrage.setSource([this, statement, ordner] { return engine::sql::execute(db_, db_.session(), statement, ordner); });
    abfrage.open();
}

Value TKeDataForm::einzelwert(const std::string& statement)
{
    abfrageOeffnen(d_->Query1, statement);
    const auto& rows = d_->Query1.result().rows;
    if (rows.empty() || rows[0].empty()) return {};
    return rows[0][0];
}

std::string TKeDataForm::KeglerName(const std::string& nummer)
{
    if (trim(nummer).empty()) return {};
    return text(einzelwert(Zeilen({"SELECT NAME", "FROM", datei(tables::Kegler), "WHERE", "NUMMER=" + zahl(nummer)})));
}

std::string TKeDataForm::FunktionsName(const std::string& nummer)
{
    return text(
        einzelwert(Zeilen({"SELECT BEZEICHNUN", "FROM", datei(tables::Funktion), "WHERE", "NUMMER=" + zahl(nummer)})));
}

std::string TKeDataForm::SonstigesName(const std::string& nummer)
{
    return text(
        einzelwert(Zeilen({"SELECT BEZEICHNUN", "FROM", datei(tables::Sonstype), "WHERE", "NUMMER=" + zahl(nummer)})));
}

int64_t TKeDataForm::AnzahlMitWert(const std::string& feld, const std::string& nummer, const std::string& pfad)
{
    abfrageOeffnen(d_->Query1,
                   Zeilen({"SELECT " + feld, "FROM", InAnfuehrung(pfad), "WHERE", feld + "=" + zahl(nummer)}));
    return static_cast<int64_t>(d_->Query1.result().rows.size());
}

int64_t TKeDataForm::TeilnehmerAnzahl(const std::string& termin)
{
    abfrageOeffnen(d_->Query1, Zeilen({"SELECT DISTINCT KEGLER", "FROM", datei(tables::Keglterm), "WHERE",
                                       "TERMIN=" + zahl(termin)}));
    return static_cast<int64_t>(d_->Query1.result().rows.size());
}

// The item's number is qualified with the item table's alias, so that it cannot be read
// as the evening's NUMMER.
double TKeDataForm::Einzelpreis(const std::string& sonstiges, const std::string& termin)
{
    if (trim(sonstiges).empty() || trim(termin).empty()) return 0;
    const Value v = einzelwert(Zeilen({"SELECT EINZELPREI", "FROM", datei(tables::Sonstype) + " SonstigeXDBF,",
                                       datei(tables::Termine) + " TerminXDBF", "WHERE",
                                       "\"SonstigeXDBF\".\"NUMMER\"=" + zahl(sonstiges), "AND",
                                       "\"TerminXDBF\".\"NUMMER\"=" + zahl(termin), "AND",
                                       "\"TerminXDBF\".\"PREISLISTE\"=\"SonstigeXDBF\".\"PREISLISTE\""}));
    return v.toNumber();
}

std::string TKeDataForm::KeglerNameZuMitgliedsnummer(const std::string& mitgliedsnummer)
{
    if (trim(mitgliedsnummer).empty()) return {};
    int64_t n = 0;
    const std::string t = trim(mitgliedsnummer);
    const auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), n);
    if (ec != std::errc() || p != t.data() + t.size())
        throw engine::ValueError("'" + mitgliedsnummer + "' ist keine gültige ganze Zahl");
    if (n <= 0) return {};
    return text(einzelwert(Zeilen({"SELECT NAME", "FROM", datei(tables::Kegler), "WHERE",
                                   "MITGLIEDNR=" + InAnfuehrung(mitgliedsnummer)})));
}

int64_t TKeDataForm::KeglerNummerZuMitgliedsnummer(int64_t mitgliedsnummer)
{
    return ganz(einzelwert(Zeilen({"SELECT NUMMER", "FROM", datei(tables::Kegler), "WHERE",
                                   "MITGLIEDNR=" + InAnfuehrung(std::to_string(mitgliedsnummer))})));
}

std::string TKeDataForm::TerminDatum(const std::string& termin)
{
    return text(einzelwert(Zeilen({"SELECT DATUM", "FROM", datei(tables::Termine), "WHERE", "NUMMER=" + zahl(termin)})));
}

std::string TKeDataForm::PreislistenDatum(const std::string& preisliste)
{
    if (trim(preisliste).empty()) return {};
    const Value v =
        einzelwert(Zeilen({"SELECT DATUM", "FROM", datei(tables::Sonstyp0), "WHERE", "NUMMER=" + zahl(preisliste)}));
    return v.isDate() ? engine::formatDate(v.date()) : std::string();
}

int64_t TKeDataForm::TerminWaehrung(const std::string& termin)
{
    return ganz(einzelwert(Zeilen({"SELECT \"PreislisteXDBF\".\"WAEHRUNG\"", "FROM",
                                   datei(tables::Sonstyp0) + " PreislisteXDBF,", datei(tables::Termine) + " TerminXDBF",
                                   "WHERE", "\"TerminXDBF\".\"NUMMER\"=" + zahl(termin), "AND",
                                   "\"TerminXDBF\".\"PREISLISTE\"=\"PreislisteXDBF\".\"NUMMER\""})));
}

std::string TKeDataForm::TerminWaehrungsKuerzel(const std::string& termin)
{
    return text(einzelwert(Zeilen(
        {"SELECT \"WaehrungslisteXDBF\".\"KUERZEL\"", "FROM", datei(tables::Waehrungen) + " WaehrungslisteXDBF,",
         datei(tables::Sonstyp0) + " PreislisteXDBF,", datei(tables::Termine) + " TerminXDBF", "WHERE",
         "\"TerminXDBF\".\"NUMMER\"=" + zahl(termin), "AND", "\"TerminXDBF\".\"PREISLISTE\"=\"PreislisteXDBF\".\"NUMMER\"",
         "AND", "\"WaehrungslisteXDBF\".\"NUMMER\"=\"PreislisteXDBF\".\"WAEHRUNG\""})));
}

std::string TKeDataForm::WaehrungsKuerzel(const std::string& waehrung)
{
    return text(einzelwert(Zeilen({"SELECT \"WaehrungslisteXDBF\".\"KUERZEL\"", "FROM",
                                   datei(tables::Waehrungen) + " WaehrungslisteXDBF", "WHERE",
                                   "\"WaehrungslisteXDBF\".\"NUMMER\"=" + zahl(waehrung)})));
}

int64_t TKeDataForm::PreislistenWaehrung(const std::string& preisliste)
{
    return ganz(einzelwert(Zeilen({"SELECT \"PreislisteXDBF\".\"WAEHRUNG\"", "FROM",
                                   datei(tables::Sonstyp0) + " PreislisteXDBF", "WHERE",
                                   "\"PreislisteXDBF\".\"NUMMER\"=" + zahl(preisliste)})));
}

std::string TKeDataForm::PreislistenWaehrungsKuerzel(const std::string& preisliste)
{
    return text(einzelwert(Zeilen({"SELECT \"WaehrungsXDBF\".\"KUERZEL\"", "FROM",
                                   datei(tables::Sonstyp0) + " PreislisteXDBF,",
                                   datei(tables::Waehrungen) + " WaehrungsXDBF", "WHERE",
                                   "\"PreislisteXDBF\".\"WAEHRUNG\"=\"WaehrungsXDBF\".\"NUMMER\"", "AND",
                                   "\"PreislisteXDBF\".\"NUMMER\"=" + zahl(preisliste)})));
}

int64_t TKeDataForm::KontoWaehrung(const std::string& konto)
{
    return ganz(
        einzelwert(Zeilen({"SELECT WAEHRUNG", "FROM", datei(tables::Kontoinf), "WHERE", "KONTONR=" + zahl(konto)})));
}

std::optional<double> TKeDataForm::faktor(int64_t waehrung)
{
    abfrageOeffnen(d_->Query1, Zeilen({"SELECT FAKTOR", "FROM", datei(tables::Waehrungen), "WHERE",
                                       "NUMMER=" + std::to_string(waehrung)}));
    const auto& rows = d_->Query1.result().rows;
    if (rows.empty() || rows[0].empty()) return std::nullopt;
    return rows[0][0].toNumber();
}

double TKeDataForm::Umrechnungsfaktor(const std::string& waehrung)
{
    const Value v = einzelwert(
        Zeilen({"SELECT FAKTOR", "FROM", datei(tables::Waehrungen), "WHERE", "NUMMER=" + zahl(waehrung)}));
    return v.toNumber();
}

double TKeDataForm::KontostandBerechnen(const std::string& konto)
{
    const std::string n = zahl(konto);
    const Value summe = einzelwert(Zeilen(
        {"SELECT SUM(\"KontoXDBF\".\"BETRAG\") KONTOSTAND", "FROM", datei(tables::Konto) + " KontoXDBF,",
         datei(tables::Kontoinf) + " KontoDefXDBF", "WHERE", "\"KontoXDBF\".\"KONTONR\"=" + n, "AND",
         "\"KontoDefXDBF\".\"KONTONR\"=\"KontoXDBF\".\"KONTONR\"", "AND",
         "\"KontoXDBF\".\"DATUM\">=\"KontoDefXDBF\".\"DATUM\""}));
    const Value start =
        einzelwert(Zeilen({"SELECT STARTSALDO", "FROM", datei(tables::Kontoinf), "WHERE", "KONTONR=" + n}));
    return static_cast<double>(common::StellenRunden(2, static_cast<long double>(start.toNumber()) + summe.toNumber()));
}

// Deliberate mend: a currency without a record (or without a factor) is reported in German
// instead of ending in a division by 0.
double TKeDataForm::Umrechnen(double betrag, int64_t vonWaehrung, int64_t nachWaehrung)
{
    auto pruefen = [this](int64_t w) {
        const auto f = faktor(w);
        if (!f) throw engine::EngineError("Die Währung Nr. " + std::to_string(w) + " ist nicht vorhanden");
        if (*f == 0) throw engine::EngineError("Die Währung Nr. " + std::to_string(w) + " hat keinen Umrechnungsfaktor");
        return static_cast<long double>(*f);
    };
    const long double von = pruefen(vonWaehrung);
    const long double nach = pruefen(nachWaehrung);
    return static_cast<double>(common::StellenRunden(2, static_cast<long double>(betrag) / von * nach));
}

} // namespace trevo::data
