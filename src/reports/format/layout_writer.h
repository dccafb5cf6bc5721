#pragma once
// Writes report layouts in the file format that layout_reader.h describes. What the
// writer writes, the reader reads back into an equal layout.
#include "reports/model/layout.h"

#include <QByteArray>
#include <QString>

namespace trevo::reports {

QByteArray writeLayout(const Layout& layout);

// Writes the file (replacing it as a whole); on failure false and a German message.
bool writeLayoutFile(const Layout& layout, const QString& path, QString* error);

} // namespace trevo::reports
