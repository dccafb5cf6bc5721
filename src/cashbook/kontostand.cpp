#include "cashbook/kontostand.h"

#include "common/helpers/stellen_runden.h"
#include "data/dbtools/anweisung.h"
#include "engine/core/error.h"
#include "engine/dataset/table_data_set.h"
#include "engine/sql/sql.h"
#include "shell/stammdaten/datenzugang.h"

namespace trevo::cashbook {

using engine::Value;

namespace {

Value einzelwert(shell::stammdaten::Datenzugang& zugang, const std::string& statement)
{
    const engine::sql::QueryResult r =
        engine::sql::execute(zugang.datenbank(), zugang.session(), statement, zugang.datenordner());
    if (r.rows.empty() || r.rows[0].empty()) return {};
    return r.rows[0][0];
}

std::string datei(shell::stammdaten::Datenzugang& zugang, const char* name)
{
    return data::InAnfuehrung(zugang.datenordner() + name);
}

// The cursor through which the balance rules write the accounts.
engine::TableDataSet& konten(shell::stammdaten::Datenzugang& zugang)
{
    engine::TableDataSet* k = zugang.tabelle("KontostandTable");
    if (!k || !k->active()) throw engine::EngineError("Die Tabelle der Konten ist nicht geöffnet");
    return *k;
}

} // namespace

double KontostandBerechnen(shell::stammdaten::Datenzugang& zugang, int konto)
{
    const std::string n = std::to_string(konto);
    const Value summe = einzelwert(
        zugang, data::Zeilen({"SELECT SUM(\"KontoXDBF\".\"BETRAG\") KONTOSTAND", "FROM",
                              datei(zugang, "KONTO.DBF") + " KontoXDBF,", datei(zugang, "KONTOINF.DBF") + " KontoDefXDBF",
                              "WHERE", "\"KontoXDBF\".\"KONTONR\"=" + n, "AND",
                              "\"KontoDefXDBF\".\"KONTONR\"=\"KontoXDBF\".\"KONTONR\"", "AND",
                              "\"KontoXDBF\".\"DATUM\">=\"KontoDefXDBF\".\"DATUM\""}));
    const Value start = einzelwert(
        zugang, data::Zeilen({"SELECT STARTSALDO", "FROM", datei(zugang, "KONTOINF.DBF"), "WHERE", "KONTONR=" + n}));
    return static_cast<double>(
        common::StellenRunden(2, static_cast<long double>(start.toNumber()) + summe.toNumber()));
}

void KontostandAktualisieren(shell::stammdaten::Datenzugang& zugang, int konto)
{
    engine::TableDataSet& k = konten(zugang);
    if (!k.locate("KONTONR", Value::number(konto))) {
        k.append();
        k.setValue("KONTONR", Value::number(konto));
        k.post();
    }
    const double stand = KontostandBerechnen(zugang, konto);
    if (!k.locate("KONTONR", Value::number(konto))) throw engine::EngineError("Das Konto ist nicht vorhanden");
    k.edit();
    k.setValue("KONTOSTAND", Value::number(stand));
    k.post();
}

} // namespace trevo::cashbook
