#pragma once
// The windows of the evenings layer made known to the program: the evening window and the
// schedule. The caller keeps the data access and the dialogs alive as long as the registry.
#include <memory>

namespace trevo::shell {
class WindowRegistry;
}

namespace trevo::shell::stammdaten {
class Datenzugang;
class Suchdialoge;
} // namespace trevo::shell::stammdaten

namespace trevo::evenings {

void registrieren(shell::WindowRegistry& registry, shell::stammdaten::Datenzugang& zugang,
                  std::shared_ptr<shell::stammdaten::Suchdialoge> dialoge);

} // namespace trevo::evenings
