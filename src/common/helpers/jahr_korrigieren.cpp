#include "common/helpers/jahr_korrigieren.h"

#include "engine/core/error.h"
#include "engine/core/value.h"

#include <cstdio>

namespace trevo::common {

void JahrKorrigieren(std::string& text)
{
    const auto tag = engine::parseDate(text);
    if (!tag) throw engine::ValueError("'" + text + "' ist kein gültiges Datum");
    int jahr = 0, monat = 0, tagImMonat = 0;
    engine::civilFromDays(*tag, jahr, monat, tagImMonat);
    if (jahr >= 1930) return;
    jahr += 100;
    char neu[32];
    std::snprintf(neu, sizeof neu, "%02d.%02d.%04d", tagImMonat, monat, jahr);
    if (!engine::validCivil(jahr, monat, tagImMonat))
        throw engine::ValueError("'" + std::string(neu) + "' ist kein gültiges Datum");
    text = neu;
}

} // namespace trevo::common
