#pragma once
// Filters of cursors: a condition over the fields of one table, written in the
// expression language of the SQL statements: "ABSCHNITT=1", "(NAME>='A' AND NAME<='K')",
// "TERMINNUM<=45000", "NOT MITGLIED", comparisons joined by AND/OR, parentheses,
// texts in single quotes, date fields against day numbers or date texts.
#include "engine/dbf/attachment.h"
#include "engine/dbf/field.h"
#include "engine/expr/ast.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace trevo::engine::expr {

class Filter {
public:
    Filter() = default; // lets every record pass
    // Throws SqlError ("Syntaxfehler in Zeile 1 bei 'XYZ'", "Unbekannte Spalte 'NUMMR'").
    // An empty or blank text lets every record pass.
    static Filter compile(std::string_view text, const std::vector<FieldDef>& fields);

    bool matches(const Record& record) const;
    const std::string& text() const { return text_; }
    bool empty() const { return !root_; }

private:
    std::string text_;
    std::vector<FieldDef> fields_;
    std::shared_ptr<Node> root_;
};

} // namespace trevo::engine::expr
