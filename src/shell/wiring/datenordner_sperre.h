#pragma once
// One writer per data folder: the program holds its data folder while it runs. When another
// program holds it, the user learns who and since when and chooses between reading only and
// ending the program.
#include "engine/database.h"

#include <string>

namespace trevo::shell {

// False when the user chose to end the program.
bool DatenordnerSperren(engine::Database& db, const std::string& datenordner);

} // namespace trevo::shell
