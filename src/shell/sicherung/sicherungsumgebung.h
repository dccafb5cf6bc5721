#pragma once
// What the backup commands need of the running program: where the data and the options
// lie, the remembered backup folder, whether to back up at the end, and closing and
// reopening the tables around a restore.
#include <QString>

namespace trevo::shell {

class Sicherungsumgebung {
public:
    virtual ~Sicherungsumgebung() = default;
    virtual QString datenordner() const = 0;   // ending in '/'
    virtual QString programmordner() const = 0;
    virtual QString optionsdatei() const = 0;
    // The stored option Backuppfad as it stands (".\" by default).
    virtual QString backuppfad() const = 0;
    virtual void setBackuppfad(const QString& pfad) = 0;
    virtual bool automatischSichern() const = 0;
    virtual void setAutomatischSichern(bool an) = 0;
    // Opens every table again from the files (after a restore replaced them).
    virtual void tabellenNeuOeffnen() = 0;
    // The please-wait indication.
    virtual void bitteWarten(bool an) = 0;
};

} // namespace trevo::shell
