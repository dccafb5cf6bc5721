#pragma once
// The backup commands made known to the program as commands of the registry, which the
// "Extras" menu runs; the returned object also writes the backup at the end of the run.
#include <memory>

namespace trevo::shell {

class Datensicherung;
class Programm;
class ShellServices;
class WindowRegistry;
struct ProgramPaths;

std::shared_ptr<Datensicherung> sicherungRegistrieren(WindowRegistry& registry, Programm& programm,
                                                      ProgramPaths& paths, ShellServices& shell);

} // namespace trevo::shell
