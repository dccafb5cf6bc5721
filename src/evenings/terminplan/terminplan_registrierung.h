#pragma once
// The schedule window and its period dialog made known to the program.
#include <memory>

namespace trevo::shell {
class WindowRegistry;
}

namespace trevo::shell::stammdaten {
class Datenzugang;
class Suchdialoge;
} // namespace trevo::shell::stammdaten

namespace trevo::evenings {

void terminplanRegistrieren(shell::WindowRegistry& registry, shell::stammdaten::Datenzugang& zugang,
                            std::shared_ptr<shell::stammdaten::Suchdialoge> dialoge);

} // namespace trevo::evenings
