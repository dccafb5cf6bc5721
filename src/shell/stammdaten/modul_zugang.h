#pragma once
// The data access of the master-data windows in the running program: the program's
// database and the data module it makes during start-up (after the windows were
// registered), reached anew at every call. Lists print through the program's print
// facility once the composition handed it over; until then "Liste" is disabled.
#include "shell/stammdaten/datenmodul_zugang.h"

namespace trevo::shell {
class Druckdienst;
class Programm;
} // namespace trevo::shell

namespace trevo::shell::stammdaten {

class ModulZugang : public DatenmodulZugang {
public:
    explicit ModulZugang(shell::Programm& programm) : programm_(programm) {}

    engine::Database& datenbank() override;

    // Before the windows are made; the facility outlives them.
    void setDruckdienst(shell::Druckdienst* druckdienst) { druckdienst_ = druckdienst; }
    bool druckenMoeglich() const override { return druckdienst_ != nullptr; }
    Druckdienst* druckdienst() const override { return druckdienst_; }
    common::TProgrammoptionen* programmoptionen() override;
    // The report file of the option (or the default) printed over the table.
    void DruckeListe(const std::string& reportOption, const std::string& defaultReport,
                     const std::string& tablePath) override;

protected:
    data::TKeDataForm* datenmodul() const override;

private:
    shell::Programm& programm_;
    shell::Druckdienst* druckdienst_ = nullptr;
};

} // namespace trevo::shell::stammdaten
