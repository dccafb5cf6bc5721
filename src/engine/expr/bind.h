#pragma once
// Binding: names of an expression are resolved to the columns of a scope (the tables
// of a statement, or the one table of a filter), the static types are worked out and
// the operands of comparisons are converted to a common type:
//  - a text compared with a date is read as a date (d.m.yyyy, two-digit years allowed),
//    a number compared with a date is a day number counted from 30.12.1899;
//  - a text compared with a logical is TRUE/FALSE (any case), with a number a number.
#include "engine/dbf/field.h"
#include "engine/expr/ast.h"

#include <string>
#include <vector>

namespace trevo::engine::expr {

struct ScopeTable {
    std::string name; // alias, or the table's name when it has none
    const std::vector<FieldDef>* fields = nullptr;
};

struct Scope {
    std::vector<ScopeTable> tables;
    // When >= 0 only the tables at slots below it are visible (an ON condition sees
    // the tables joined so far).
    int visibleUpTo = -1;
    // An unqualified name that several tables have refers to the first of them (the
    // rule of the program's own statements over comma-separated table lists, which
    // rely on it); otherwise it is an error.
    bool firstTableWins = false;
};

ValueType valueTypeOf(char fieldType);
bool sameName(std::string_view a, std::string_view b);

// Resolves every Column below root and returns the (possibly replaced) root: a lone
// double-quoted name that no table of the scope has becomes a text literal.
// Throws SqlError "Unbekannte Spalte 'X'", "Mehrdeutige Spalte 'X'", "Unbekannte Tabelle 'X'".
void bindNames(NodePtr& root, const Scope& scope);
// Works out types bottom-up and inserts conversions; call after bindNames.
void bindTypes(NodePtr& root);
// A condition (WHERE, ON, HAVING, filter): throws "Typfehler ...: Text ist keine Bedingung".
void requireConditionType(NodePtr& root);
inline void bind(NodePtr& root, const Scope& scope)
{
    bindNames(root, scope);
    bindTypes(root);
}

} // namespace trevo::engine::expr
