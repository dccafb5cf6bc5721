#pragma once
// The sixteen dBASE tables of a data folder: file names, fields in their order with
// type, width, decimals and label, the index tags, and the relations between the
// tables. Every other part of the program takes names, labels and tags from here.
#include "engine/dbf/field.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trevo::data {

struct FieldSpec {
    std::string name;  // at most 10 characters
    char type = 'C';   // C text, N number, D date, L logical, M memo
    uint8_t length = 0;
    uint8_t decimals = 0;
    std::string label; // column heading shown to the user; empty where there is none
    engine::FieldDef def() const { return {name, type, length, decimals}; }
};

struct TableSchema {
    std::string fileName; // upper case, e.g. "TERMINE.DBF"
    std::vector<FieldSpec> fields;
    std::vector<std::string> tags; // each indexes the field of the same name, ascending

    const FieldSpec* field(std::string_view name) const; // without regard to case
    std::vector<engine::FieldDef> fieldDefs() const;
    bool hasMemo() const;
};

// A stored number that refers to the record of another table whose field has that value.
struct Relation {
    std::string fromTable, fromField;
    std::string toTable, toField;
};

// File names of the tables.
namespace tables {
inline constexpr const char* Termine = "TERMINE.DBF";
inline constexpr const char* Keglterm = "KEGLTERM.DBF";
inline constexpr const char* Kegler = "KEGLER.DBF";
inline constexpr const char* Spielkeg = "SPIELKEG.DBF";
inline constexpr const char* Sonstkeg = "SONSTKEG.DBF";
inline constexpr const char* Sonstype = "SONSTYPE.DBF";
inline constexpr const char* Sonstyp0 = "SONSTYP0.DBF";
inline constexpr const char* Spiele = "SPIELE.DBF";
inline constexpr const char* Funktion = "FUNKTION.DBF";
inline constexpr const char* Termplan = "TERMPLAN.DBF";
inline constexpr const char* Terminty = "TERMINTY.DBF";
inline constexpr const char* Waehrungen = "WAEHRUNGEN.DBF";
inline constexpr const char* Konto = "KONTO.DBF";
inline constexpr const char* Kontoinf = "KONTOINF.DBF";
inline constexpr const char* Auswertu = "AUSWERTU.DBF";
inline constexpr const char* Wertetab = "WERTETAB.DBF";
} // namespace tables

// All sixteen tables.
const std::vector<TableSchema>& allTables();
// The table of that file name (without regard to case), or null.
const TableSchema* findTable(std::string_view fileName);
// The table of that file name; throws std::out_of_range for an unknown name.
const TableSchema& tableSchema(std::string_view fileName);
// The relations; the engine enforces none of them.
const std::vector<Relation>& relations();

// The memo file that belongs to a table file ("KEGLER.DBF" -> "KEGLER.DBT").
std::string memoFileName(const std::string& tableFileName);

} // namespace trevo::data
