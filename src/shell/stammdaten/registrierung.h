#pragma once
// The shared search, range and search-and-replace dialogs made known to the program as the
// start-up components that create them. Every window layer that searches gets the one set
// returned here; it lives as long as the registry's creators hold it.
#include <memory>

namespace trevo::shell {
class WindowRegistry;
}

namespace trevo::shell::stammdaten {

class Datenzugang;
class Suchdialoge;

std::shared_ptr<Suchdialoge> suchdialogeRegistrieren(WindowRegistry& registry, Datenzugang& zugang);

} // namespace trevo::shell::stammdaten
