// The members window and the shared search dialogs made known to the shell: the window
// under its code 5, the dialogs as the start-up components that create them.
#include "masterdata/mitglieder_form.h"
#include "masterdata/modul_zugang.h"
#include "masterdata/suchdialoge.h"
#include "common/fenster/window_codes.h"
#include "shell/window_registry.h"
#include "shell/wiring/programm.h"

#include <QCoreApplication>

#include <memory>

namespace trevo::masterdata {

namespace {

// The windows reach the running program's data module through the data access; it is
// plugged in when the first of them is made (tests plug in their own beforehand).
void zugangAnschliessen()
{
    static std::unique_ptr<ModulZugang> zugang;
    if (hatDatenzugang()) return;
    shell::Programm* programm = shell::Programm::current();
    if (!programm || !programm->datenmodul()) return;
    zugang = std::make_unique<ModulZugang>(programm->datenbank(), *programm->datenmodul());
    setDatenzugang(zugang.get());
}

void freeAtEnd()
{
    static bool registered = false;
    if (registered) return;
    registered = true;
    // The dialogs are widgets: they go with the application's end, not after it.
    qAddPostRoutine(suchdialogeFreigeben);
}

const bool registered = [] {
    auto& r = shell::WindowRegistry::instance();
    r.addWindow(common::Fenster::Mitglieder,
                [](shell::ShellServices& s) -> shell::ChildWindow* {
                    zugangAnschliessen();
                    return new TMitgliederform(s);
                });
    r.addCommand(shell::Komponente::Suchdialog, [] {
        freeAtEnd();
        zugangAnschliessen();
        SuchDlgKomplex();
    });
    r.addCommand(shell::Komponente::Bereichsdialog, [] {
        freeAtEnd();
        AbfrageDlgEinFeld();
    });
    r.addCommand(shell::Komponente::SuchenErsetzenDialog, [] {
        freeAtEnd();
        SuchenErsetzenDlg();
    });
    return true;
}();

} // namespace

// Referenced by the program so that the linker keeps this registration.
bool mitgliederRegistriert() { return registered; }

} // namespace trevo::masterdata
