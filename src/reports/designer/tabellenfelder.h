#pragma once
// What the designer offers in its lists: the table files of the data folder and the
// fields of a table, read from the table files themselves.
#include "engine/database.h"

#include <QStringList>

#include <string>

namespace trevo::reports::designer {

// The names of the fields of the table file in the folder (file name matched without
// regard to case); empty when the file is missing or cannot be read.
QStringList tabellenFelder(engine::Database& db, const std::string& folder, const QString& fileName);

// The *.DBF files of the folder, in upper case, sorted.
QStringList tabellenDateien(engine::FileSystem& fs, const std::string& folder);

} // namespace trevo::reports::designer
