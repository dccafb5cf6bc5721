#pragma once
// The report files of a data folder as the report selection lists them: every file whose
// name ends in ".QR2" (in any case), sorted by name, each shown as its file name followed
// by " (" + the first line of its description + ")" when the description has a line. A
// file that cannot be read as a layout is listed by its name alone.
#include "engine/fs/file_system.h"

#include <QString>

#include <string>
#include <vector>

namespace trevo::reports::auswahl {

struct ReportEintrag {
    QString datei; // the file name as the folder holds it
    QString text;  // what the list shows
};

// Never throws: a folder that cannot be listed gives no entries.
std::vector<ReportEintrag> reportListe(engine::FileSystem& fs, const std::string& ordner);

// The first line of the description of the layout file, empty when it has none or the
// file cannot be read.
QString ersteBeschreibungszeile(engine::FileSystem& fs, const std::string& pfad);

} // namespace trevo::reports::auswahl
