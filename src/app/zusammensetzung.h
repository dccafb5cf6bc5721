#pragma once
// The program assembled: every window layer registers its windows and start-up components
// with the registry, by name, so that no layer can go missing from the program. The
// program's main and the tests of the assembly use this one class.
#include "shell/stammdaten/modul_zugang.h"

#include <memory>

namespace trevo::shell {
class Datensicherung;
class Druckdienst;
class Programm;
class ShellServices;
class WindowRegistry;
struct ProgramPaths;
} // namespace trevo::shell

namespace trevo::shell::stammdaten {
class Suchdialoge;
}

namespace trevo::app {

class Zusammensetzung {
public:
    // `shell` is the main window: the print facility shows its please-wait indication.
    Zusammensetzung(shell::WindowRegistry& registry, shell::Programm& programm, shell::ProgramPaths& paths,
                    shell::ShellServices& shell);
    Zusammensetzung(const Zusammensetzung&) = delete;
    Zusammensetzung& operator=(const Zusammensetzung&) = delete;

    // The program's print facility, which the printing windows are given.
    shell::Druckdienst& druckdienst() { return *druckdienst_; }

    // Once start-up opened the tables: the run begins (the backup notes the data's state) and
    // the user learns what was noticed about the table files (damage, foreign files beside them).
    void laufBeginnt();
    // After the main window's end: the backup of a run that changed data.
    void programmende();

private:
    // Both live as long as the windows.
    shell::Programm& programm_;
    std::shared_ptr<shell::Druckdienst> druckdienst_;
    shell::stammdaten::ModulZugang datenZugang_;
    std::shared_ptr<shell::stammdaten::Suchdialoge> suchdialoge_;
    std::shared_ptr<shell::Datensicherung> sicherung_;
};

} // namespace trevo::app
