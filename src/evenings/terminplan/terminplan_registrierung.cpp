#include "evenings/terminplan/terminplan_registrierung.h"

#include "common/fenster/window_codes.h"
#include "evenings/terminplan/terminplan_form.h"
#include "shell/stammdaten/datenzugang.h"
#include "shell/stammdaten/suchdialoge.h"
#include "shell/window_registry.h"

namespace trevo::evenings {

void terminplanRegistrieren(shell::WindowRegistry& registry, shell::stammdaten::Datenzugang& zugang,
                            std::shared_ptr<shell::stammdaten::Suchdialoge> dialoge)
{
    registry.addWindow(common::Fenster::Terminplan, [&zugang, dialoge](shell::ShellServices& shell) {
        return static_cast<shell::ChildWindow*>(new TTerminplanform(shell, zugang, *dialoge));
    });
}

} // namespace trevo::evenings
