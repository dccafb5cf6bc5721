#include "app/zusammensetzung.h"

#include "masterdata/registrierung.h"
#include "shell/registrierung.h"
#include "shell/wiring/programm.h"

namespace trevo::app {

Zusammensetzung::Zusammensetzung(shell::WindowRegistry& registry, shell::Programm& programm,
                                 shell::ProgramPaths& paths)
    : stammdatenZugang_(programm)
{
    shell::registrieren(registry, programm, paths, &programm);
    masterdata::registrieren(registry, stammdatenZugang_);
}

} // namespace trevo::app
