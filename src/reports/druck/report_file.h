#pragma once
// Where the report file of a print lies. Options name report files by file name alone
// ("MITGLIEDERLIST.QR2") or with a folder, possibly one of another machine or one that
// no longer exists; the data folder is where the program's reports live.
#include "common/stream/stored_options.h"
#include "engine/fs/file_system.h"

#include <QString>

#include <optional>
#include <string>

namespace trevo::reports {

// The file that a report option ("Mitgliederlistfilename", without regard to case)
// holds; `standard` for a name that is no text option of the stored options, or an empty one.
QString reportFileOfOption(const common::StoredOptions& options, const QString& option, const QString& standard);

// The report file to load:
//  - a name without folder lies in the data folder;
//  - the file itself, when it exists (its name matched without regard to case);
//  - else, unless its folder is the data folder (compared without regard to case), the
//    file of the same name in the data folder, when that exists;
//  - else nothing: the report is missing.
std::optional<std::string> findReportFile(engine::FileSystem& fs, const std::string& file, const std::string& dataFolder);

// Whether two folder names name the same folder, written either way ('/' or '\',
// with or without the closing separator, in any case).
bool sameFolder(const std::string& a, const std::string& b);

} // namespace trevo::reports
