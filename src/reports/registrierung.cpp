#include "reports/registrierung.h"

#include "reports/druck/druckfunktion.h"
#include "shell/shell_services.h"
#include "shell/window_registry.h"

namespace trevo::reports {

namespace {

// The facility over the program, with the program's part it reads.
struct Druckanlage {
    Druckanlage(shell::Programm& programm, shell::ShellServices& shell)
        : umgebung(programm), funktion(umgebung, shell, dynamic_cast<QWidget*>(&shell))
    {
    }
    ProgrammUmgebung umgebung;
    Druckfunktion funktion;
};

} // namespace

std::shared_ptr<shell::Druckdienst> registrieren(shell::WindowRegistry& registry, shell::Programm& programm,
                                                 shell::ShellServices& shell)
{
    auto anlage = std::make_shared<Druckanlage>(programm, shell);
    std::shared_ptr<Druckfunktion> funktion(anlage, &anlage->funktion);
    registry.addCommand(shell::Komponente::Druckdialog, [funktion] { funktion->Druckform(); });
    // Komponente::Reportgenerator stays unregistered: start-up passes over it until the
    // report designer exists.
    return funktion;
}

} // namespace trevo::reports
