#include "masterdata/modul_zugang.h"

#include "shell/wiring/programm.h"

namespace trevo::masterdata {

engine::Database& ModulZugang::datenbank() { return programm_.datenbank(); }

data::TKeDataForm* ModulZugang::datenmodul() const { return programm_.datenmodul(); }

} // namespace trevo::masterdata
