#include "app/zusammensetzung.h"

#include "cashbook/registrierung.h"
#include "evaluation/registrierung.h"
#include "evenings/registrierung.h"
#include "masterdata/registrierung.h"
#include "reports/registrierung.h"
#include "shell/registrierung.h"
#include "shell/sicherung/datensicherung.h"
#include "shell/sicherung/sicherung_registrierung.h"
#include "shell/stammdaten/registrierung.h"
#include "shell/stammdaten/suchdialoge.h"
#include "shell/tabellenhinweise.h"
#include "shell/wiring/programm.h"
#include "sqlwindow/registrierung.h"

namespace trevo::app {

Zusammensetzung::Zusammensetzung(shell::WindowRegistry& registry, shell::Programm& programm,
                                 shell::ProgramPaths& paths, shell::ShellServices& shell)
    : programm_(programm), datenZugang_(programm)
{
    shell::registrieren(registry, programm, paths, &programm);
    druckdienst_ = reports::registrieren(registry, programm, shell);
    datenZugang_.setDruckdienst(druckdienst_.get());
    suchdialoge_ = shell::stammdaten::suchdialogeRegistrieren(registry, datenZugang_);
    sicherung_ = shell::sicherungRegistrieren(registry, programm, paths, shell);
    evenings::registrieren(registry, datenZugang_, suchdialoge_);
    masterdata::registrieren(registry, datenZugang_, suchdialoge_);
    cashbook::registrieren(registry, datenZugang_, suchdialoge_);
    evaluation::registrieren(registry, datenZugang_, suchdialoge_, programm.optionen());
    sqlwindow::registrieren(registry, datenZugang_, suchdialoge_);
}

void Zusammensetzung::laufBeginnt()
{
    sicherung_->startStand();
    if (data::TKeDataForm* modul = programm_.datenmodul())
        shell::TabellenhinweiseZeigen(*modul, programm_.datenbank());
}

void Zusammensetzung::programmende()
{
    sicherung_->Programmende();
}

} // namespace trevo::app
