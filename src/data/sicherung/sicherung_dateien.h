#pragma once
// The file work of backups: which files of a data folder belong to a backup, reading them,
// replacing one safely (written under a temporary name, synced, renamed), and the checks
// that an archive is a backup whose names stay inside the data folder.
#include "data/sicherung/sicherung.h"
#include "data/sicherung/zip_archiv.h"

#include <ctime>
#include <string>
#include <vector>

namespace trevo::data {

// The regular files of the data folder that a backup holds, sorted by name.
std::vector<std::string> sicherbareDateien(const Sicherungsquelle& quelle);

ZipEintrag dateiLesen(const std::string& ordner, const std::string& name);

// The moment a backup's file name gives, and its place among the backups of that minute
// ("-2", "-3", ...); false for other names.
bool zeitpunktAusName(const std::string& name, std::time_t& zeitpunkt, int* folge = nullptr);

// Refuses an archive that is no backup (no table) or names a file outside the data folder.
void archivPruefen(const std::string& pfad, const std::vector<ZipEintrag>& eintraege, const std::string& optionen);

void dateiErsetzen(const std::string& pfad, const std::vector<uint8_t>& daten);
// Replaces the file of that name (a file whose name differs only in case included);
// returns the name written.
std::string dateiImOrdnerErsetzen(const std::string& ordner, const std::string& name, const std::vector<uint8_t>& daten);

} // namespace trevo::data
