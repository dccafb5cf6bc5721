#include "app/zusammensetzung.h"

#include "masterdata/registrierung.h"
#include "reports/registrierung.h"
#include "shell/registrierung.h"
#include "shell/wiring/programm.h"

namespace trevo::app {

Zusammensetzung::Zusammensetzung(shell::WindowRegistry& registry, shell::Programm& programm,
                                 shell::ProgramPaths& paths, shell::ShellServices& shell)
    : stammdatenZugang_(programm)
{
    shell::registrieren(registry, programm, paths, &programm);
    druckdienst_ = reports::registrieren(registry, programm, shell);
    stammdatenZugang_.setDruckdienst(druckdienst_.get());
    masterdata::registrieren(registry, stammdatenZugang_);
}

} // namespace trevo::app
