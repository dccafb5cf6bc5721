#include "evaluation/registrierung.h"

#include "common/fenster/window_codes.h"
#include "common/options/programmoptionen.h"
#include "evaluation/auswerte_form.h"
#include "shell/stammdaten/datenzugang.h"
#include "shell/window_registry.h"

namespace trevo::evaluation {

namespace {

Auswertungsoptionen aus(const common::TProgrammoptionen& o)
{
    Auswertungsoptionen a;
    a.rundung = {o.rundenAufZehntel, o.durchschnittImmerAufrunden};
    a.zahlweise = o.zahlweise;
    return a;
}

void fensterRegistrieren(shell::WindowRegistry& registry, shell::stammdaten::Datenzugang& zugang,
                         TAuswerteForm2::Optionenquelle optionen)
{
    registry.addWindow(common::Fenster::Auswerten, [&zugang, optionen](shell::ShellServices& s) -> shell::ChildWindow* {
        return new TAuswerteForm2(s, zugang, optionen);
    });
}

} // namespace

void registrieren(shell::WindowRegistry& registry, shell::stammdaten::Datenzugang& zugang,
                  std::shared_ptr<shell::stammdaten::Suchdialoge>, const common::TProgrammoptionen& optionen)
{
    fensterRegistrieren(registry, zugang, [&optionen] { return aus(optionen); });
}

void registrieren(shell::WindowRegistry& registry, shell::stammdaten::Datenzugang& zugang,
                  std::shared_ptr<shell::stammdaten::Suchdialoge>)
{
    fensterRegistrieren(registry, zugang, [] { return Auswertungsoptionen(); });
}

} // namespace trevo::evaluation
