#include "shell/stammdaten/modul_zugang.h"

#include "shell/druckdienst.h"
#include "shell/wiring/programm.h"

namespace trevo::shell::stammdaten {

engine::Database& ModulZugang::datenbank() { return programm_.datenbank(); }

data::TKeDataForm* ModulZugang::datenmodul() const { return programm_.datenmodul(); }

common::TProgrammoptionen* ModulZugang::programmoptionen() { return &programm_.optionen(); }

void ModulZugang::DruckeListe(const std::string& reportOption, const std::string& defaultReport,
                              const std::string& tablePath)
{
    if (!druckdienst_) return;
    const QString file = druckdienst_->Reportdatei(QString::fromStdString(reportOption), QString::fromStdString(defaultReport));
    druckdienst_->DruckeListe(file, QString::fromStdString(tablePath));
}

} // namespace trevo::shell::stammdaten
