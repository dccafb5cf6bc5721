#pragma once
// Statement files of the SQL window. The memo's lines are written one per line with
// CR LF after each, in UTF-8; reading takes UTF-8 (a byte order mark is dropped) and
// falls back to Windows-1252 for files that are no valid UTF-8, the code page in which
// older statement files were written. Reading what was written gives the memo's text
// back exactly, blank and trailing lines included.
//
// Failures are the file system's German errors (engine::IoError naming the file).
#include <QString>

namespace trevo::engine {
class FileSystem;
}

namespace trevo::sqlwindow {

// The file chooser's filter and the extension added to a name without one.
QString sqlDateifilter();
inline constexpr const char* sqlStandardendung = "SQL";

// The chosen name with ".SQL" added when its file name has no extension. For opening,
// the name stays as chosen when such a file exists.
QString mitStandardendung(const QString& path, engine::FileSystem& fs, bool zumOeffnen);

QString sqlTextLesen(engine::FileSystem& fs, const QString& path);
void sqlTextSchreiben(engine::FileSystem& fs, const QString& path, const QString& text);

// The bytes of a file as text and back (the format described above).
QString sqlTextAusBytes(const std::string& bytes);
std::string sqlTextAlsBytes(const QString& text);

} // namespace trevo::sqlwindow
