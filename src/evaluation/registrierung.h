#pragma once
// The evaluation window and its request dialog made known to the program. The caller keeps
// the data access and the options alive as long as the registry.
#include <memory>

namespace trevo::common {
class TProgrammoptionen;
}

namespace trevo::shell {
class WindowRegistry;
}

namespace trevo::shell::stammdaten {
class Datenzugang;
class Suchdialoge;
} // namespace trevo::shell::stammdaten

namespace trevo::evaluation {

// The window reads the evaluation switches and the payment mode from the program's options
// at every evaluation.
void registrieren(shell::WindowRegistry& registry, shell::stammdaten::Datenzugang& zugang,
                  std::shared_ptr<shell::stammdaten::Suchdialoge> dialoge, const common::TProgrammoptionen& optionen);

// Without the program's options: the window evaluates with the options' defaults.
void registrieren(shell::WindowRegistry& registry, shell::stammdaten::Datenzugang& zugang,
                  std::shared_ptr<shell::stammdaten::Suchdialoge> dialoge);

} // namespace trevo::evaluation
