#pragma once
// The data access of the master-data windows in the running program: the program's
// database and the data module it makes during start-up (after the windows were
// registered), reached anew at every call.
#include "masterdata/datenmodul_zugang.h"

namespace trevo::shell {
class Programm;
}

namespace trevo::masterdata {

class ModulZugang : public DatenmodulZugang {
public:
    explicit ModulZugang(shell::Programm& programm) : programm_(programm) {}

    engine::Database& datenbank() override;

protected:
    data::TKeDataForm* datenmodul() const override;

private:
    shell::Programm& programm_;
};

} // namespace trevo::masterdata
