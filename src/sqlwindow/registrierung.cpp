#include "sqlwindow/registrierung.h"

#include "common/fenster/window_codes.h"
#include "shell/stammdaten/datenzugang.h"
#include "shell/window_registry.h"
#include "sqlwindow/sql_abfrage_form.h"

namespace trevo::sqlwindow {

void registrieren(shell::WindowRegistry& registry, shell::stammdaten::Datenzugang& zugang,
                  std::shared_ptr<shell::stammdaten::Suchdialoge> dialoge)
{
    (void)dialoge; // the SQL window has no search
    registry.addWindow(common::Fenster::SQLAbfrage, [&zugang](shell::ShellServices& shell) {
        return static_cast<shell::ChildWindow*>(new TSQLAbfrageForm(shell, zugang));
    });
}

} // namespace trevo::sqlwindow
