#pragma once
// The program assembled: every window layer registers its windows and start-up components
// with the registry, by name, so that no layer can go missing from the program. The
// program's main and the tests of the assembly use this one class.
#include "masterdata/modul_zugang.h"

namespace trevo::shell {
class Programm;
class WindowRegistry;
struct ProgramPaths;
} // namespace trevo::shell

namespace trevo::app {

class Zusammensetzung {
public:
    Zusammensetzung(shell::WindowRegistry& registry, shell::Programm& programm, shell::ProgramPaths& paths);
    Zusammensetzung(const Zusammensetzung&) = delete;
    Zusammensetzung& operator=(const Zusammensetzung&) = delete;

private:
    // The master-data windows' access to the data module; lives as long as the windows.
    masterdata::ModulZugang stammdatenZugang_;
};

} // namespace trevo::app
