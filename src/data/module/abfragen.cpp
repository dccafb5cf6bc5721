// The participants query of the current evening, the participant rows per section and the
// menu items that follow the emptiness of the tables.
#include "engine/core/collation.h"
#include "data/dbtools/anweisung.h"
#include "data/module/ke_data_form.h"
#include "data/store/schema.h"

namespace trevo::data {

using engine::Value;

namespace {

// The evening number as it goes into a statement: a whole number, or ValueError.
std::string terminNummer(const std::string& text)
{
    const auto n = AlsGanzzahl(Value::text(text));
    if (!n) throw engine::ValueError("'" + text + "' ist keine gültige Terminnummer");
    return std::to_string(*n);
}

int spalte(const engine::sql::QueryResult& r, const std::string& name)
{
    for (size_t i = 0; i < r.columns.size(); ++i)
        if (engine::toUpperGerman(r.columns[i].name) == name) return static_cast<int>(i);
    throw engine::EngineError("Die Abfrage hat keine Spalte " + name);
}

} // namespace

void TKeDataForm::KeglerProTerminLaden(const std::string& termin)
{
    if (!d_->TerminTable1.active() || !d_->KeglernamenTable1.active()) return;
    abfrageOeffnen(
        d_->KeglerProTerminQuery,
        Zeilen({"SELECT DISTINCT \"KeglerTerminXDBF\".\"NUMMER\", "
                "\"KeglerTerminXDBF\".\"Kegler\",\"KeglerXDBF\".\"Name\",\"KeglerXDBF\".\"Alias\","
                "\"KeglerTerminXDBF\".\"ABSCHNITT\"",
                "FROM", datei(tables::Keglterm) + " KeglerTerminXDBF,", datei(tables::Kegler) + " KeglerXDBF",
                "WHERE", "\"KeglerTerminXDBF\".\"TERMIN\"=" + terminNummer(termin), "AND",
                "\"KeglerXDBF\".\"Nummer\"=\"KeglerTerminXDBF\".\"Kegler\""}));
}

void TKeDataForm::SpielerProAbschnitt(const std::string& termin)
{
    abfrageOeffnen(d_->SpielerProAbschnittQuery1,
                   Zeilen({"SELECT DISTINCT COUNT(KEGLER)ANZAHL, ABSCHNITT", "FROM", datei(tables::Keglterm), "WHERE",
                           "TERMIN=" + terminNummer(termin), "GROUP BY ABSCHNITT", "ORDER BY ABSCHNITT"}));
    const auto& r = d_->SpielerProAbschnittQuery1.result();
    const int anzahl = spalte(r, "ANZAHL");
    const int abschnitt = spalte(r, "ABSCHNITT");
    spielerProAbschnitt.clear();
    for (const auto& row : r.rows) {
        // Rows without a valid section number belong to no section.
        const auto a = AlsGanzzahl(row[static_cast<size_t>(abschnitt)]);
        if (!a || *a < 1 || *a > 100000) continue;
        if (spielerProAbschnitt.size() < static_cast<size_t>(*a)) spielerProAbschnitt.resize(static_cast<size_t>(*a), 0);
        spielerProAbschnitt[static_cast<size_t>(*a - 1)] = AlsGanzzahl(row[static_cast<size_t>(anzahl)]).value_or(0);
    }
}

void TKeDataForm::MenueFreigeben(int fensterCode, int64_t anzahl)
{
    if (!host_.fensterVorhanden(fensterCode)) return;
    host_.tabelleGefuellt(fensterCode, anzahl > 0);
}

void TKeDataForm::MenueFreigebenTabelle(int fensterCode, const std::string& datenmengenName)
{
    if (!host_.fensterVorhanden(fensterCode)) return;
    engine::TableDataSet* t = tabelle(datenmengenName);
    if (!t) return;
    host_.tabelleGefuellt(fensterCode, tools_.Datensatzanzahl(t->path()) > 0);
}

} // namespace trevo::data
