#pragma once
// The cash book window made known to the program. The caller keeps the data access and the
// dialogs alive as long as the registry.
#include <memory>

namespace trevo::shell {
class WindowRegistry;
}

namespace trevo::shell::stammdaten {
class Datenzugang;
class Suchdialoge;
} // namespace trevo::shell::stammdaten

namespace trevo::cashbook {

void registrieren(shell::WindowRegistry& registry, shell::stammdaten::Datenzugang& zugang,
                  std::shared_ptr<shell::stammdaten::Suchdialoge> dialoge);

} // namespace trevo::cashbook
