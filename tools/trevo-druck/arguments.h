#pragma once
// The command line of trevo-druck: ORDNER REPORTDATEI [--pdf DATEI] [--kopien N].
#include <QString>
#include <QStringList>

#include <optional>

namespace trevo::drucktool {

struct Arguments {
    QString folder;     // the data folder
    QString layoutPath; // the layout file; a bare file name lies in the data folder
    QString pdfPath;    // empty: print on the default printer
    std::optional<int> copies;
};

struct ParseResult {
    std::optional<Arguments> arguments;
    QString error; // German; empty with arguments, and when only the usage is to be shown
};

// The arguments after the program name. Options may stand before, between or after the
// two names and take their value as the next argument or after '=' (--kopien=2).
ParseResult parseArguments(const QStringList& args);

// The path of the layout file: as given when it names a folder, else in the data folder.
QString layoutFilePath(const Arguments& a);

inline constexpr int maxCopies = 99;

} // namespace trevo::drucktool
