#pragma once
// The backup commands of the "Extras" menu and the backup at the end of the program.
//
// The backup folder is the stored option Backuppfad: an absolute folder as chosen, a
// relative one below the program folder; the default ".\" means the folder "Sicherungen"
// of the program folder, so that backups do not mix with the program's files.
// A restore replaces the data folder's files only; the options of the running program
// stay (they are written at its end anyway), the backup keeps the options file it had.
#include <QString>

#include <map>
#include <string>
#include <utility>

namespace trevo::shell {

class Sicherungsumgebung;

class Datensicherung {
public:
    explicit Datensicherung(Sicherungsumgebung& umgebung) : umgebung_(umgebung) {}

    // "Daten&sicherung ...": asks for the folder, writes the backup, says where.
    void DatensicherungClick();
    // "Datensicherung &zurückspielen ...": lists the backups, asks, restores.
    void ZurueckspielenClick();

    // Notes the state of the data folder at the start of the run.
    void startStand();
    // At the end: a backup when the run changed data and the option is on, keeping the
    // newest ten. Problems are shown and never stop the end.
    void Programmende();

    QString sicherungsordner() const;

private:
    using Stand = std::map<std::string, std::pair<uintmax_t, long long>>;
    Stand aktuellerStand() const;

    Sicherungsumgebung& umgebung_;
    Stand start_;
    bool startBekannt_ = false;
};

// "dd.mm.yyyy hh:mm" of a backup's moment.
QString sicherungsZeit(long long zeitpunkt);

} // namespace trevo::shell
