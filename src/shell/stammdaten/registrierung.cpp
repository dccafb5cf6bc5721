#include "shell/stammdaten/registrierung.h"

#include "shell/stammdaten/suchdialoge.h"
#include "shell/window_registry.h"

namespace trevo::shell::stammdaten {

std::shared_ptr<Suchdialoge> suchdialogeRegistrieren(WindowRegistry& registry, Datenzugang& zugang)
{
    auto dialoge = std::make_shared<Suchdialoge>(zugang);
    registry.addCommand(Komponente::Suchdialog, [dialoge] { dialoge->SuchDlgKomplex(); });
    registry.addCommand(Komponente::Bereichsdialog, [dialoge] { dialoge->AbfrageDlgEinFeld(); });
    registry.addCommand(Komponente::SuchenErsetzenDialog, [dialoge] { dialoge->SuchenErsetzenDlg(); });
    return dialoge;
}

} // namespace trevo::shell::stammdaten
