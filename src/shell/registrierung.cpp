#include "shell/registrierung.h"

#include "common/fenster/window_codes.h"
#include "shell/setup_form.h"
#include "shell/window_registry.h"

namespace trevo::shell {

void registrieren(WindowRegistry& registry, OptionsSeam& options, ProgramPaths& paths, DataModuleSeam* data)
{
    registry.addWindow(common::Fenster::Optionen, [&options, &paths, data](ShellServices& shell) -> ChildWindow* {
        return new Setupform(shell, options, paths, data);
    });
}

} // namespace trevo::shell
