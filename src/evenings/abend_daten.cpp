#include "evenings/abend_daten.h"

#include "data/dbtools/anweisung.h"
#include "data/module/datenmengen.h"
#include "data/module/ke_data_form.h"
#include "engine/sql/sql.h"
#include "shell/stammdaten/datenzugang.h"

namespace trevo::evenings {

data::TKeDataForm& Abenddaten::modul() const
{
    data::TKeDataForm* m = zugang_.aktuellesDatenmodul();
    if (!m) throw engine::EngineError("Die Datenbank ist nicht geöffnet");
    return *m;
}

common::TProgrammoptionen* Abenddaten::optionen() const
{
    return zugang_.programmoptionen();
}

std::string Abenddaten::datei(const char* file) const
{
    return data::InAnfuehrung(zugang_.datenordner() + file);
}

engine::sql::QueryResult Abenddaten::abfrage(const std::string& statement) const
{
    return engine::sql::execute(zugang_.datenbank(), zugang_.session(), statement, zugang_.datenordner());
}

void Abenddaten::ausfuehren(const std::string& statement) const
{
    engine::sql::execute(zugang_.datenbank(), zugang_.datenbank().session(data::kTerminsession), statement,
                         zugang_.datenordner());
}

std::string zeilen(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& l : lines) text += l + "\n";
    return text;
}

} // namespace trevo::evenings
