#include "masterdata/registrierung.h"

#include "common/fenster/window_codes.h"
#include "masterdata/funktionen_form.h"
#include "masterdata/mitglieder_form.h"
#include "masterdata/sonstige_form.h"
#include "masterdata/spielarten_form.h"
#include "masterdata/stammdaten.h"
#include "shell/stammdaten/suchdialoge.h"
#include "masterdata/terminarten_form.h"
#include "masterdata/waehrungen_form.h"
#include "shell/window_registry.h"

#include <memory>

namespace trevo::masterdata {

void registrieren(shell::WindowRegistry& registry, Datenzugang& zugang, std::shared_ptr<Suchdialoge> dialoge)
{
    registry.addWindow(common::Fenster::Mitglieder, [&zugang, dialoge](shell::ShellServices& shell) {
        return static_cast<shell::ChildWindow*>(new TMitgliederform(shell, zugang, *dialoge));
    });
    registry.addWindow(common::Fenster::Spiele, [&zugang, dialoge](shell::ShellServices& shell) {
        return static_cast<shell::ChildWindow*>(new TSpielartenform(shell, zugang, *dialoge));
    });
    registry.addWindow(common::Fenster::Sonstige, [&zugang, dialoge](shell::ShellServices& shell) {
        return static_cast<shell::ChildWindow*>(new TSonstigeform(shell, zugang, *dialoge));
    });
    registry.addWindow(common::Fenster::Aemter, [&zugang, dialoge](shell::ShellServices& shell) {
        return static_cast<shell::ChildWindow*>(new TFunktionenform(shell, zugang, *dialoge));
    });
    registry.addWindow(common::Fenster::Terminarten, [&zugang, dialoge](shell::ShellServices& shell) {
        return static_cast<shell::ChildWindow*>(new TTerminartenform(shell, zugang, *dialoge));
    });
    registry.addWindow(common::Fenster::Waehrungen, [&zugang, dialoge](shell::ShellServices& shell) {
        return static_cast<shell::ChildWindow*>(new TWaehrungsform(shell, zugang, *dialoge));
    });
}

} // namespace trevo::masterdata
