#pragma once
// Backups of a data folder: one ZIP file holding the club's files of the folder (tables,
// memo and index files, layouts; not the program or other files when the data folder is the
// program folder) at its root and the program's options file under "Programmordner/".
//
// Writing: the files are read first, then the archive is written under a temporary name,
// read back and compared file by file, and only then renamed to
// "Trevo-Sicherung-JJJJ-MM-TT-HHMM.zip" (with "-2", "-3", ... when that name is taken).
// Restoring: the archive is read and checked completely before anything changes; a
// backup of the current state is written first; then every file is written under a
// temporary name and renamed over the old one, and files the backup does not hold are
// removed, so that the folder holds exactly what was backed up (a journal of an
// interrupted write included or excluded as the backup had it). The caller closes the
// tables before and reopens them after, and holds the folder's lock for both.
#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace trevo::data {

inline constexpr const char* kSicherungPraefix = "Trevo-Sicherung-";
inline constexpr const char* kProgrammordnerImArchiv = "Programmordner/";

struct Sicherungsquelle {
    std::string datenordner;     // the folder whose files are backed up
    std::string optionsdatei;    // KEGELCFG.DB; empty or missing: not backed up
    // Files of the data folder that are never backed up or replaced (the folder's lock).
    std::vector<std::string> auslassen;
};

struct Sicherung {
    std::string pfad;
    std::time_t zeitpunkt = 0; // from the file name
    int folge = 1;             // 2, 3, ... for later backups within the same minute
    uint64_t groesse = 0;
};

// Called with the files done and their count.
using Fortschritt = std::function<void(int erledigt, int gesamt)>;

// The backup's file name for a moment (local time).
std::string sicherungsName(std::time_t zeitpunkt);

// Writes a backup into `zielordner` (made when missing) and returns its path.
std::string sichern(const Sicherungsquelle& quelle, const std::string& zielordner, std::time_t jetzt,
                    const Fortschritt& fortschritt = {});

// The backups in the folder, newest first.
std::vector<Sicherung> sicherungenIn(const std::string& ordner);

// Removes all but the newest `behalten` backups of the folder.
void alteSicherungenLoeschen(const std::string& ordner, int behalten);

// Replaces the data folder's files (and the options file, when `mitOptionen`) by those of
// the backup, after writing a backup of the current state into `sicherungsordner`; returns
// the path of that backup.
std::string zurueckspielen(const std::string& zipDatei, const Sicherungsquelle& ziel,
                           const std::string& sicherungsordner, bool mitOptionen, std::time_t jetzt,
                           const Fortschritt& fortschritt = {});

} // namespace trevo::data
