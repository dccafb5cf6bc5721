#include "reports/druck/druckumgebung.h"

#include "shell/wiring/programm.h"

namespace trevo::reports {

engine::Database& ProgrammUmgebung::datenbank() { return programm_.datenbank(); }

std::string ProgrammUmgebung::datenordner() const
{
    if (const data::TKeDataForm* modul = programm_.datenmodul()) return modul->ordner();
    return programm_.pfade().datenordner;
}

const common::StoredOptions& ProgrammUmgebung::optionen() const { return programm_.optionen().gespeichert; }

QByteArray ProgrammUmgebung::logo() const
{
    const std::string& bytes = programm_.optionen().logo;
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

} // namespace trevo::reports
