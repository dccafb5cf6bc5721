#include "masterdata/modul_zugang.h"

#include "engine/core/collation.h"
#include "engine/dataset/table_data_set.h"
#include "data/module/ke_data_form.h"

namespace trevo::masterdata {

engine::Session& ModulZugang::session() { return db_.session(); }

std::string ModulZugang::datenordner() const { return module_.ordner(); }

engine::TableDataSet* ModulZugang::tabelle(std::string_view name)
{
    if (engine::TableDataSet* t = module_.tabelle(std::string(name))) return t;
    // Windows name their data sets as they are written in the menu rule ("Keglertable1").
    const std::string wanted = engine::toUpperGerman(name);
    for (engine::TableDataSet* t : module_.d().tabellen)
        if (engine::toUpperGerman(t->name()) == wanted) return t;
    return nullptr;
}

long ModulZugang::anzahlDatensaetze(std::string_view dataSetName)
{
    engine::TableDataSet* t = tabelle(dataSetName);
    if (!t) return -1;
    return static_cast<long>(module_.tools().Datensatzanzahl(t->path()));
}

int ModulZugang::AnzahlMitWert(const std::string& field, long number, const std::string& path)
{
    return static_cast<int>(module_.AnzahlMitWert(field, std::to_string(number), path));
}

std::string ModulZugang::FunktionsName(const std::string& number) { return module_.FunktionsName(number); }

} // namespace trevo::masterdata
