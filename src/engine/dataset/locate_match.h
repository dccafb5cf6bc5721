#pragma once
// Whether a stored value matches the value searched by locate.
#include "engine/core/value.h"
#include "engine/dataset/data_set.h"
#include "engine/dbf/field.h"

namespace trevo::engine {

// Texts: trailing blanks do not count; case-insensitive compares the German upper case;
// partial: the stored text starts with the searched one. Other types: equal values
// (a NULL or blank searched value finds NULL).
bool locateMatches(const FieldDef& def, const Value& stored, const Value& wanted, LocateOptions options);

} // namespace trevo::engine
