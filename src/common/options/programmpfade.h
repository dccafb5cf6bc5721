#pragma once
// The two path variables of the run. Both start as the program folder; the data folder
// (where the dBASE tables live) is replaced by the option Datenordner when that is set,
// and by the folder the user picks when the data folder is missing. The configuration
// folder (where KEGELCFG.DB is looked for) stays the program folder.
// Folder names always end in "\" or "/".
#include <string>

namespace trevo::common {

struct Programmpfade {
    std::string programmordner;
    std::string datenordner;
    std::string konfigurationsordner;

    // Both variables set to the program folder.
    static Programmpfade ausProgrammordner(const std::string& ordner);
};

// The folder with "\" appended when it ends in neither "\" nor "/" (the empty text stays empty).
std::string mitTrenner(const std::string& ordner);

} // namespace trevo::common
