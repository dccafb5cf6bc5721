#include "common/options/programmpfade.h"

namespace trevo::common {

std::string mitTrenner(const std::string& ordner)
{
    if (ordner.empty() || ordner.back() == '\\' || ordner.back() == '/') return ordner;
    return ordner + "\\";
}

Programmpfade Programmpfade::ausProgrammordner(const std::string& ordner)
{
    const std::string o = mitTrenner(ordner);
    return Programmpfade{o, o, o};
}

} // namespace trevo::common
