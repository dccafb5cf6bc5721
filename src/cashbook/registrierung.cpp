#include "cashbook/registrierung.h"

#include "cashbook/konto_form.h"
#include "common/fenster/window_codes.h"
#include "shell/stammdaten/datenzugang.h"
#include "shell/stammdaten/suchdialoge.h"
#include "shell/window_registry.h"

namespace trevo::cashbook {

void registrieren(shell::WindowRegistry& registry, shell::stammdaten::Datenzugang& zugang,
                  std::shared_ptr<shell::stammdaten::Suchdialoge> dialoge)
{
    registry.addWindow(common::Fenster::Kegelkasse, [&zugang, dialoge](shell::ShellServices& shell) {
        return static_cast<shell::ChildWindow*>(new TKontoform(shell, zugang, *dialoge));
    });
}

} // namespace trevo::cashbook
