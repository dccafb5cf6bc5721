#pragma once
// The print facility made known to the program: the start-up component that makes the
// print dialog ("Druckfunktion"), the report designer host ("Reportgenerator") with the
// report selection behind "Druckformulare (Reports) ändern", and the facility itself,
// which the program's composition hands to the windows that print. It prints over the program's database,
// data folder and report options; `shell` shows the please-wait indication, and when it
// is a window, the print dialog and the preview belong to it.
#include <memory>

namespace trevo::shell {
class Druckdienst;
class Programm;
class ShellServices;
class WindowRegistry;
} // namespace trevo::shell

namespace trevo::reports {

// The facility lives as long as the returned pointer or the registry holds it.
std::shared_ptr<shell::Druckdienst> registrieren(shell::WindowRegistry& registry, shell::Programm& programm,
                                                 shell::ShellServices& shell);

} // namespace trevo::reports
