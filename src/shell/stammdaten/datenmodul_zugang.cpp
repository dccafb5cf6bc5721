#include "shell/stammdaten/datenmodul_zugang.h"

#include "data/module/ke_data_form.h"
#include "engine/core/collation.h"
#include "engine/core/error.h"
#include "engine/database.h"
#include "engine/dataset/table_data_set.h"

namespace trevo::shell::stammdaten {

data::TKeDataForm& DatenmodulZugang::modul() const
{
    data::TKeDataForm* module = datenmodul();
    if (!module) throw engine::EngineError("Die Datenbank ist nicht geöffnet");
    return *module;
}

engine::Session& DatenmodulZugang::session() { return datenbank().session(); }

std::string DatenmodulZugang::datenordner() const { return modul().ordner(); }

data::Datenquelle* DatenmodulZugang::datenquelle(std::string_view name)
{
    data::TKeDataForm& module = modul();
    try {
        return &module.datenquelle(std::string(name));
    } catch (const engine::EngineError&) {
        return nullptr; // the module has no source of that name
    }
}

engine::TableDataSet* DatenmodulZugang::tabelle(std::string_view name)
{
    data::TKeDataForm& module = modul();
    if (engine::TableDataSet* t = module.tabelle(std::string(name))) return t;
    // Windows name their data sets as they are written in the menu rule ("Keglertable1").
    const std::string wanted = engine::toUpperGerman(name);
    for (engine::TableDataSet* t : module.d().tabellen)
        if (engine::toUpperGerman(t->name()) == wanted) return t;
    return nullptr;
}

void DatenmodulZugang::MenueFreigebenTabelle(int fensterCode, const std::string& dataSetName)
{
    modul().MenueFreigebenTabelle(fensterCode, dataSetName);
}

int DatenmodulZugang::AnzahlMitWert(const std::string& field, long number, const std::string& path)
{
    return static_cast<int>(modul().AnzahlMitWert(field, std::to_string(number), path));
}

std::string DatenmodulZugang::FunktionsName(const std::string& number) { return modul().FunktionsName(number); }

} // namespace trevo::shell::stammdaten
