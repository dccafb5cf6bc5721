#include "evenings/terminplan/terminplan_registrierung.h"

#include "shell/stammdaten/datenzugang.h"
#include "shell/stammdaten/suchdialoge.h"
#include "shell/window_registry.h"

namespace trevo::evenings {

void terminplanRegistrieren(shell::WindowRegistry& registry, shell::stammdaten::Datenzugang& zugang,
                            std::shared_ptr<shell::stammdaten::Suchdialoge> dialoge)
{
    (void)registry;
    (void)zugang;
    (void)dialoge;
}

} // namespace trevo::evenings
