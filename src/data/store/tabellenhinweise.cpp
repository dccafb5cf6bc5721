#include "data/store/tabellenhinweise.h"

#include "data/module/ke_data_form.h"

#include <algorithm>

namespace trevo::data {

namespace {

constexpr size_t kGenannteSchaeden = 5;

// "Die Tabelle 'X' ist nur zum Lesen geöffnet, weil sie beschädigt ist:" and the faults.
std::string schadenText(const engine::DbfTable& t)
{
    const std::vector<std::string> schaeden = t.damage();
    if (schaeden.size() <= 1) return t.readOnlyText();
    std::string text = "Die Tabelle '" + engine::fileNameOf(t.path()) + "' ist nur zum Lesen geöffnet, weil sie "
                       "beschädigt ist:";
    for (size_t i = 0; i < schaeden.size() && i < kGenannteSchaeden; ++i) text += "\n- " + schaeden[i];
    if (schaeden.size() > kGenannteSchaeden)
        text += "\n- und " + std::to_string(schaeden.size() - kGenannteSchaeden) + " weitere";
    return text;
}

} // namespace

std::vector<std::string> tabellenHinweise(const std::vector<const engine::DbfTable*>& tabellen,
                                          const std::vector<std::string>& speicherHinweise)
{
    std::vector<std::string> hinweise;
    std::vector<const engine::DbfTable*> gesehen;
    for (const engine::DbfTable* t : tabellen) {
        if (!t || std::find(gesehen.begin(), gesehen.end(), t) != gesehen.end()) continue;
        gesehen.push_back(t);
        if (t->readOnly()) hinweise.push_back(schadenText(*t));
        for (const std::string& n : t->notices()) hinweise.push_back(n);
    }
    for (const std::string& n : speicherHinweise)
        if (std::find(hinweise.begin(), hinweise.end(), n) == hinweise.end()) hinweise.push_back(n);
    return hinweise;
}

std::vector<std::string> tabellenHinweise(TKeDataForm& modul, engine::Database& db)
{
    std::vector<const engine::DbfTable*> tabellen;
    for (engine::TableDataSet* ds : modul.d().tabellen)
        if (ds->active()) tabellen.push_back(ds->table());
    return tabellenHinweise(tabellen, db.storage().notices());
}

} // namespace trevo::data
