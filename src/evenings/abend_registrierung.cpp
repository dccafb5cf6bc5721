#include "evenings/abend_registrierung.h"

#include "common/fenster/window_codes.h"
#include "evenings/terminform.h"
#include "shell/stammdaten/datenzugang.h"
#include "shell/stammdaten/suchdialoge.h"
#include "shell/window_registry.h"

namespace trevo::evenings {

void abendRegistrieren(shell::WindowRegistry& registry, shell::stammdaten::Datenzugang& zugang,
                       std::shared_ptr<shell::stammdaten::Suchdialoge> dialoge)
{
    registry.addWindow(common::Fenster::Termine, [&zugang, dialoge](shell::ShellServices& s) -> shell::ChildWindow* {
        return new TTerminform(s, zugang, *dialoge);
    });
}

} // namespace trevo::evenings
