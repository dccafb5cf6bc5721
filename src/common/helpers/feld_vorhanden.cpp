#include "common/helpers/feld_vorhanden.h"

#include "engine/core/collation.h"

namespace trevo::common {

bool FeldVorhanden(const std::vector<engine::FieldDef>& felder, std::string_view name)
{
    const std::string gesucht = engine::toUpperGerman(engine::trimRight(name));
    for (const auto& f : felder)
        if (engine::toUpperGerman(f.name) == gesucht) return true;
    return false;
}

} // namespace trevo::common
