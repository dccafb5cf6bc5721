#pragma once
// Layout files as the designer reads and writes them, through the engine's file system
// (so that tests can use one that fails on purpose).
//
// Saving is safe: the layout is first checked by reading its own bytes back (a layout
// the reader would refuse is never written), then written into a new file beside the
// old one, made durable, and renamed over the old file. A crash, a full disk or a
// read-only folder leaves either the old file or the new one, never a half-written one.
#include "engine/fs/file_system.h"
#include "reports/format/layout_reader.h"

#include <QString>

namespace trevo::reports::designer {

// Reads the layout file (its name matched without regard to case). Never throws.
LayoutReadResult ladeLayout(engine::FileSystem& fs, const QString& path);

// Writes the layout file. Empty on success, else the German reason; the old file is
// then untouched and no temporary file remains (as far as the file system lets us remove it).
QString speichereLayout(engine::FileSystem& fs, const Layout& layout, const QString& path);

// The name of the temporary file beside the layout file.
std::string temporaereDatei(const std::string& path);

} // namespace trevo::reports::designer
