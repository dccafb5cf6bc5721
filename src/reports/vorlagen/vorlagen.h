#pragma once
// The report layouts every installation gets (MITGLIEDERLIST.QR2, ERGEBNISSE1.QR2, ...).
// They are kept in the program as resources and written into a data folder, where the
// user may change them; a layout already there is never overwritten.
#include "data/store/installation.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <string>

namespace trevo::reports {

// The file names of the layouts, in upper case and in alphabetical order.
QStringList vorlagenNamen();

// The bytes of the layout of that name as the program ships it (the name matched without
// regard to case); empty for a name that is not among them.
QByteArray vorlage(const QString& name);

// Writes every layout into the data folder (made when missing) unless a file of its name
// exists there, the name compared without regard to case, so that a layout the user has
// changed survives. `created` names the files written, `unchanged` those left alone.
// Throws engine::IoError (German text) when the folder or a file cannot be written.
data::SetupReport vorlagenAnlegen(const std::string& dataFolder);

} // namespace trevo::reports
