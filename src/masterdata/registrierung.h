#pragma once
// The master-data windows made known to the program: the members window under its window
// code, and the shared search, range and search-and-replace dialogs as the start-up
// components that create them. The windows and dialogs reach the data module through the
// data access given here; the caller keeps it alive as long as the registry.
namespace trevo::shell {
class WindowRegistry;
}

namespace trevo::masterdata {

class Datenzugang;

void registrieren(shell::WindowRegistry& registry, Datenzugang& zugang);

} // namespace trevo::masterdata
