#pragma once
// The next free number of a numbered table, read through an ordered cursor on it, with a
// self-repair when the highest number cannot be read: records without a number are
// deleted, or the indexes rebuilt, and the number is read again.
#include "engine/dataset/table_data_set.h"
#include "data/dbtools/db_tools.h"

#include <cstdint>
#include <string>

namespace trevo::data {

// `start` for an empty table; otherwise the highest value of the field (the last record in
// the order of the field's index) + 1, where an empty field counts as 0. Failures are told
// only by the result: -1 when positioning or repairing failed, 0 when reading after the
// repair failed, `start` when the value after the repair is still no integer.
// The data set is left ordered by the field, on its last record.
int64_t NaechsteNummer(engine::TableDataSet& tabelle, const std::string& feld, int64_t start, TDBTools& tools);

// The text of a field as an integer: blanks around it allowed, the empty text is 0.
// nullopt for anything else ("12,5", "x").
std::optional<int64_t> TextAlsGanzzahl(const std::string& text);

} // namespace trevo::data
