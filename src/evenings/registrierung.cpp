#include "evenings/registrierung.h"

#include "evenings/abend_registrierung.h"
#include "evenings/terminplan/terminplan_registrierung.h"

namespace trevo::evenings {

void registrieren(shell::WindowRegistry& registry, shell::stammdaten::Datenzugang& zugang,
                  std::shared_ptr<shell::stammdaten::Suchdialoge> dialoge)
{
    abendRegistrieren(registry, zugang, dialoge);
    terminplanRegistrieren(registry, zugang, dialoge);
}

} // namespace trevo::evenings
