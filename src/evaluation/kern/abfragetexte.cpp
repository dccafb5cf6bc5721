#include "evaluation/kern/abfragetexte.h"

#include "data/dbtools/anweisung.h"
#include "data/store/schema.h"

namespace trevo::evaluation {

using data::InAnfuehrung;
using data::Zeilen;
namespace t = data::tables;

namespace {
std::string zahl(int64_t n) { return std::to_string(n); }
} // namespace

std::string Abfragetexte::datei(const char* name) const { return InAnfuehrung(ordner_ + name); }

std::string Abfragetexte::teilnehmer(int64_t termin) const
{
    return Zeilen({"SELECT KEGLER", "FROM", datei(t::Keglterm), "WHERE", "TERMIN=" + zahl(termin), "GROUP BY KEGLER"});
}

std::string Abfragetexte::teilgenommen(int64_t termin, int64_t kegler, int64_t abschnitt) const
{
    if (abschnitt <= 0)
        return Zeilen({"SELECT KEGLER", "FROM", datei(t::Keglterm), "WHERE", "TERMIN=" + zahl(termin), "AND",
                       "KEGLER=" + zahl(kegler), "GROUP BY KEGLER"});
    return Zeilen({"SELECT KEGLER", "FROM", datei(t::Keglterm), "WHERE", "TERMIN=" + zahl(termin), "AND",
                   "KEGLER=" + zahl(kegler), "AND", "ABSCHNITT=" + zahl(abschnitt), "GROUP BY KEGLER"});
}

std::string Abfragetexte::teilnehmerProAbschnitt(int64_t termin) const
{
    return Zeilen({"SELECT DISTINCT COUNT(KEGLER)ANZAHL, ABSCHNITT", "FROM", datei(t::Keglterm), "WHERE",
                   "TERMIN=" + zahl(termin), "GROUP BY ABSCHNITT", "ORDER BY ABSCHNITT"});
}

std::string Abfragetexte::spielSummen(int64_t termin) const
{
    return Zeilen({"SELECT \"SPIELKEGXDBF\".\"ABSCHNITT\"ABSCHNITT,SUM(\"SPIELKEGXDBF\".\"BETRAG\")SUMME", "FROM",
                   datei(t::Termine) + "TerminXDBF,", datei(t::Keglterm) + "KeglTermXDBF,",
                   datei(t::Spielkeg) + "SPIELKEGXDBF", "WHERE", "\"TERMINXDBF\".\"NUMMER\"=" + zahl(termin), "AND",
                   "\"TERMINXDBF\".\"NUMMER\"=\"KEGLTERMXDBF\".\"TERMIN\"", "AND",
                   "\"SPIELKEGXDBF\".\"KEGLERNR\"=\"KEGLTERMXDBF\".\"NUMMER\"",
                   "GROUP BY \"SPIELKEGXDBF\".\"ABSCHNITT\""});
}

std::string Abfragetexte::sonstigeSummen(int64_t termin) const
{
    return Zeilen({"SELECT \"SONSTIGEKEGXDBF\".\"ABSCHNITT\"ABSCHNITT,SUM(\"SONSTIGEKEGXDBF\".\"ANZAHL\")SUMME,",
                   "SUM(\"SONSTIGEKEGXDBF\".\"ANZAHL\"*\"SONSTIGEXDBF\".\"EINZELPREI\")GESBETRAG", "FROM",
                   datei(t::Termine) + "TerminXDBF,", datei(t::Keglterm) + "KeglTermXDBF,",
                   datei(t::Sonstkeg) + "SONSTIGEKEGXDBF,", datei(t::Sonstype) + "SONSTIGEXDBF", "WHERE",
                   "\"TERMINXDBF\".\"NUMMER\"=" + zahl(termin), "AND",
                   "\"TERMINXDBF\".\"NUMMER\"=\"KEGLTERMXDBF\".\"TERMIN\"", "AND",
                   "((\"SONSTIGEKEGXDBF\".\"KEGLERNR\"=\"KEGLTERMXDBF\".\"NUMMER\"", "AND",
                   "\"SONSTIGEXDBF\".\"GUELTIG\"=1)", "OR",
                   "(\"SONSTIGEKEGXDBF\".\"KEGLERNR\"<>\"KEGLTERMXDBF\".\"NUMMER\"", "AND",
                   "\"SONSTIGEKEGXDBF\".\"TERMIN\"=\"TERMINXDBF\".\"NUMMER\"", "AND",
                   "\"SONSTIGEXDBF\".\"GUELTIG\"=2))", "AND",
                   "\"SONSTIGEKEGXDBF\".\"TYP\"=\"SONSTIGEXDBF\".\"NUMMER\"", "AND",
                   "\"TERMINXDBF\".\"PREISLISTE\"=\"SONSTIGEXDBF\".\"PREISLISTE\"", "AND",
                   "\"SONSTIGEXDBF\".\"MITTELWERT\"=TRUE", "GROUP BY \"SONSTIGEKEGXDBF\".\"ABSCHNITT\""});
}

std::string Abfragetexte::spiele(int64_t termin, int64_t kegler) const
{
    return Zeilen({"SELECT \"SPIELKEGXDBF\".\"KEGLERNR\"KEGLER,SUM(\"SPIELKEGXDBF\".\"BETRAG\")SUMME", "FROM",
                   datei(t::Termine) + "TerminXDBF,", datei(t::Keglterm) + "KeglTermXDBF,",
                   datei(t::Spielkeg) + "SPIELKEGXDBF", "WHERE", "\"TERMINXDBF\".\"NUMMER\"=" + zahl(termin), "AND",
                   "\"TERMINXDBF\".\"NUMMER\"=\"KEGLTERMXDBF\".\"TERMIN\"", "AND",
                   "\"SPIELKEGXDBF\".\"KEGLERNR\"=\"KEGLTERMXDBF\".\"NUMMER\"", "AND",
                   "\"KEGLTERMXDBF\".\"KEGLER\"=" + zahl(kegler), "GROUP BY \"SPIELKEGXDBF\".\"KEGLERNR\""});
}

std::string Abfragetexte::sonstiges(int64_t termin, int64_t kegler) const
{
    return Zeilen({"SELECT \"TerminXDBF\".\"NUMMER\",SUM(\"SONSTKEGXDBF\".\"ANZAHL\"*\"SONSTIGEXDBF\".\"EINZELPREI\")SUMME",
                   "FROM", datei(t::Termine) + "TerminXDBF,", datei(t::Keglterm) + "KeglTermXDBF,",
                   datei(t::Sonstkeg) + "SonstKegXDBF,", datei(t::Sonstype) + "SONSTIGEXDBF", "WHERE",
                   "\"TERMINXDBF\".\"NUMMER\"=" + zahl(termin), "AND",
                   "\"TERMINXDBF\".\"NUMMER\"=\"KEGLTERMXDBF\".\"TERMIN\"", "AND",
                   "((\"KEGLTERMXDBF\".\"KEGLER\"=" + zahl(kegler), "AND",
                   "\"SONSTKEGXDBF\".\"KEGLERNR\"=\"KEGLTERMXDBF\".\"NUMMER\"", "AND", "\"SONSTIGEXDBF\".\"GUELTIG\"=1)",
                   "OR", "(\"KEGLTERMXDBF\".\"KEGLER\"<>" + zahl(kegler), "AND",
                   "\"SONSTKEGXDBF\".\"KEGLERNR\"=\"KEGLTERMXDBF\".\"NUMMER\"", "AND",
                   "\"SONSTIGEXDBF\".\"GUELTIG\"=2))", "AND", "\"SONSTKEGXDBF\".\"TYP\"=\"SONSTIGEXDBF\".\"NUMMER\"",
                   "AND", "\"TERMINXDBF\".\"PREISLISTE\"=\"SONSTIGEXDBF\".\"PREISLISTE\"",
                   "GROUP BY \"TerminXDBF\".\"NUMMER\""});
}

std::string Abfragetexte::termine(const std::string& von, const std::string& bis) const
{
    return Zeilen({"SELECT NUMMER,DATUM,PREISLISTE,BEITRAG", "FROM", datei(t::Termine) + "TerminXDBF", "WHERE",
                   "DATUM>=" + InAnfuehrung(von) + " AND DATUM<=" + InAnfuehrung(bis),
                   "ORDER BY \"TerminXDBF\".\"DATUM\""});
}

std::string Abfragetexte::rangfolge(const std::string& von, const std::string& bis, int64_t sonstiges) const
{
    return Zeilen({"SELECT SUM(\"SONSTIGEKEGXDBF\".\"ANZAHL\")SUMME,", "\"KEGLTERMXDBF\".\"KEGLER\",\"KEGLERXDBF\".\"NAME\"",
                   "FROM", datei(t::Termine) + "TerminXDBF,", datei(t::Keglterm) + "KeglTermXDBF,",
                   datei(t::Sonstkeg) + "SONSTIGEKEGXDBF,", datei(t::Kegler) + "KEGLERXDBF", "WHERE",
                   "\"TerminXDBF\".\"DATUM\">=" + InAnfuehrung(von) + " AND \"TerminXDBF\".\"DATUM\"<=" +
                       InAnfuehrung(bis),
                   "AND", "\"TERMINXDBF\".\"NUMMER\"=\"KEGLTERMXDBF\".\"TERMIN\"", "AND",
                   "\"SONSTIGEKEGXDBF\".\"KEGLERNR\"=\"KEGLTERMXDBF\".\"NUMMER\"", "AND",
                   "\"SONSTIGEKEGXDBF\".\"TYP\"=" + zahl(sonstiges), "AND",
                   "\"KEGLERXDBF\".\"NUMMER\"=\"KEGLTERMXDBF\".\"KEGLER\"",
                   "GROUP BY \"KEGLTERMXDBF\".\"KEGLER\",\"KEGLERXDBF\".\"NAME\"", "ORDER BY SUMME DESC"});
}

} // namespace trevo::evaluation
