#pragma once
// What printing needs of the running program: the database, the data folder of the
// moment, the stored options with the report files and the club's logo. The program's is
// ProgrammUmgebung over shell::Programm; tests bring their own over a data folder.
#include "common/stream/stored_options.h"
#include "engine/database.h"

#include <QByteArray>

#include <string>

namespace trevo::shell {
class Programm;
}

namespace trevo::reports {

class Druckumgebung {
public:
    virtual ~Druckumgebung() = default;
    virtual engine::Database& datenbank() = 0;
    // The folder of the tables (and of the report files), ending in the folder separator.
    virtual std::string datenordner() const = 0;
    virtual const common::StoredOptions& optionen() const = 0;
    // The club's logo from the options (the bytes of its picture file), empty for none.
    virtual QByteArray logo() const { return {}; }
};

class ProgrammUmgebung : public Druckumgebung {
public:
    explicit ProgrammUmgebung(shell::Programm& programm) : programm_(programm) {}

    engine::Database& datenbank() override;
    // The data module's folder once start-up made the module; the path variable before.
    std::string datenordner() const override;
    const common::StoredOptions& optionen() const override;
    QByteArray logo() const override;

private:
    shell::Programm& programm_;
};

} // namespace trevo::reports
