#pragma once
// Loading the logo picture named by the option LogoFilename.
#include "engine/fs/file_system.h"

#include <string>

namespace trevo::common {

struct LogoErgebnis {
    std::string bytes;  // the picture file's bytes; empty when it could not be loaded
    std::string fehler; // German text when it could not be loaded, else empty
};

// Reads the picture file; a relative name is taken from the program folder. A missing or
// unreadable file, an empty file and a file that is no picture of a known kind (BMP, PNG,
// JPEG, GIF, icon, metafile) give no bytes and a German text, never an exception.
LogoErgebnis LogoLaden(engine::FileSystem& fs, const std::string& dateiname,
                       const std::string& programmordner);

} // namespace trevo::common
