#include "engine/fs/io_error_text.h"

#include "engine/core/error.h"

#include <cerrno>

namespace trevo::engine {

std::string germanErrorText(int err)
{
    switch (err) {
    case ENOSPC: return "Kein Speicherplatz auf dem Datenträger";
    case EDQUOT: return "Speicherkontingent überschritten";
    case EACCES:
    case EPERM: return "Zugriff verweigert";
    case ENOENT: return "Datei oder Ordner nicht vorhanden";
    case EEXIST: return "Datei existiert bereits";
    case EROFS: return "Datenträger ist schreibgeschützt";
    case EIO: return "Ein-/Ausgabefehler des Datenträgers";
    case EISDIR: return "Es handelt sich um einen Ordner";
    case ENOTDIR: return "Ein Teil des Pfades ist kein Ordner";
    case ENOTEMPTY: return "Ordner ist nicht leer";
    case EMFILE:
    case ENFILE: return "Zu viele geöffnete Dateien";
    case ENAMETOOLONG: return "Dateiname zu lang";
    case EBUSY: return "Datei wird gerade benutzt";
    case EFBIG: return "Datei zu groß";
    case EINVAL: return "Ungültiges Argument";
    case EBADF: return "Datei ist nur zum Lesen geöffnet";
    case ENOMEM: return "Nicht genügend Arbeitsspeicher";
    case EXDEV: return "Verschieben zwischen Datenträgern nicht möglich";
    default: return "Systemfehler " + std::to_string(err);
    }
}

void throwFileError(const std::string& path, const std::string& verb, int err)
{
    throw IoError("Datei '" + path + "' konnte nicht " + verb + " werden: " + germanErrorText(err));
}

void throwFolderError(const std::string& path, const std::string& verb, int err)
{
    throw IoError("Ordner '" + path + "' konnte nicht " + verb + " werden: " + germanErrorText(err));
}

} // namespace trevo::engine
