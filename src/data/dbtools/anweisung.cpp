#include "data/dbtools/anweisung.h"

#include "engine/sql/sql.h"

namespace trevo::data {

std::string Zeilen(std::initializer_list<std::string> zeilen)
{
    std::string text;
    for (const auto& z : zeilen) {
        if (!text.empty()) text += "\n";
        text += z;
    }
    return text;
}

std::string InAnfuehrung(const std::string& wert) { return engine::sql::quoted(wert, '"'); }

} // namespace trevo::data
