#pragma once
// German texts for failed file operations: "Datei 'X' konnte nicht geschrieben werden: ..."
#include <string>

namespace trevo::engine {

// German text of a system error number (ENOSPC -> "Kein Speicherplatz auf dem Datenträger").
std::string germanErrorText(int err);

// Throws IoError "Datei '<path>' konnte nicht <verb> werden: <reason>".
// verb is a past participle such as "geöffnet", "gelesen", "geschrieben".
[[noreturn]] void throwFileError(const std::string& path, const std::string& verb, int err);
// The same for folders: "Ordner '<path>' konnte nicht <verb> werden: <reason>".
[[noreturn]] void throwFolderError(const std::string& path, const std::string& verb, int err);

} // namespace trevo::engine
