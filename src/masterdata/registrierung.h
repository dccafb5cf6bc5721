#pragma once
// The master-data windows made known to the program under their window codes. The windows
// reach the data module through the data access given here and search through the shared
// dialogs; the caller keeps both alive as long as the registry.
#include <memory>

namespace trevo::shell {
class WindowRegistry;
}

namespace trevo::shell::stammdaten {
class Datenzugang;
class Suchdialoge;
} // namespace trevo::shell::stammdaten

namespace trevo::masterdata {

void registrieren(shell::WindowRegistry& registry, shell::stammdaten::Datenzugang& zugang,
                  std::shared_ptr<shell::stammdaten::Suchdialoge> dialoge);

} // namespace trevo::masterdata
