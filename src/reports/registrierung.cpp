#include "reports/registrierung.h"

#include "reports/designer/reportgenerator.h"
#include "reports/druck/druckfunktion.h"
#include "shell/shell_services.h"
#include "shell/window_registry.h"

namespace trevo::reports {

namespace {

// The facility over the program, with the program's part it reads, and the report
// designer host, made by the start-up step "Reportgenerator".
struct Druckanlage {
    Druckanlage(shell::Programm& programm, shell::ShellServices& shell)
        : umgebung(programm), hauptfenster(dynamic_cast<QWidget*>(&shell)), funktion(umgebung, shell, hauptfenster)
    {
    }
    designer::Reportgenerator& generator()
    {
        if (!reportgenerator) reportgenerator = std::make_unique<designer::Reportgenerator>(umgebung, hauptfenster);
        return *reportgenerator;
    }
    ProgrammUmgebung umgebung;
    QWidget* hauptfenster;
    Druckfunktion funktion;
    std::unique_ptr<designer::Reportgenerator> reportgenerator;
};

} // namespace

std::shared_ptr<shell::Druckdienst> registrieren(shell::WindowRegistry& registry, shell::Programm& programm,
                                                 shell::ShellServices& shell)
{
    auto anlage = std::make_shared<Druckanlage>(programm, shell);
    std::shared_ptr<Druckfunktion> funktion(anlage, &anlage->funktion);
    registry.addCommand(shell::Komponente::Druckdialog, [funktion] { funktion->Druckform(); });
    registry.addCommand(shell::Komponente::Reportgenerator, [anlage] { anlage->generator(); });
    registry.addCommand(shell::Komponente::Reportauswahl, [anlage] { anlage->generator().Reportauswahl(); });
    return funktion;
}

} // namespace trevo::reports
