#pragma once
// Whether a table has a field of a given name.
#include "engine/dbf/field.h"

#include <string_view>
#include <vector>

namespace trevo::common {

// True when there are field definitions and one of them has that name; names compare
// without regard to case, as the engine compares field names.
bool FeldVorhanden(const std::vector<engine::FieldDef>& felder, std::string_view name);

} // namespace trevo::common
