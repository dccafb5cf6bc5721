#include "engine/expr/bind.h"

#include "engine/core/collation.h"
#include "engine/expr/error.h"
#include "engine/expr/token.h"

namespace trevo::engine::expr {

ValueType valueTypeOf(char fieldType)
{
    switch (fieldType) {
    case 'C': case 'M': return ValueType::Text;
    case 'N': case 'F': return ValueType::Number;
    case 'D': return ValueType::Date;
    case 'L': return ValueType::Logical;
    default: return ValueType::Null;
    }
}

bool sameName(std::string_view a, std::string_view b)
{
    if (equalsNoCase(a, b)) return true;
    for (unsigned char c : a)
        if (c >= 0x80) return toUpperGerman(a) == toUpperGerman(b);
    return false;
}

namespace {

[[noreturn]] void nameError(const Node& n, const std::string& what)
{
    throw SqlError(what + " in Zeile " + std::to_string(n.line));
}

int findTable(const Scope& scope, const std::string& name, size_t visible)
{
    for (size_t i = 0; i < visible; ++i)
        if (sameName(scope.tables[i].name, name)) return static_cast<int>(i);
    return -1;
}

int findField(const std::vector<FieldDef>& fields, std::string_view name)
{
    for (size_t i = 0; i < fields.size(); ++i)
        if (sameName(fields[i].name, name)) return static_cast<int>(i);
    return -1;
}

void bindColumn(NodePtr& p, const Scope& scope)
{
    Node& n = *p;
    const size_t visible = scope.visibleUpTo >= 0 ? static_cast<size_t>(scope.visibleUpTo) : scope.tables.size();
    if (!n.qualifier.empty()) {
        const int t = findTable(scope, n.qualifier, visible);
        if (t < 0) nameError(n, "Unbekannte Tabelle '" + n.qualifier + "'");
        const int f = findField(*scope.tables[t].fields, n.name);
        if (f < 0) nameError(n, "Unbekannte Spalte '" + n.qualifier + "." + n.name + "'");
        n.table = t;
        n.field = f;
    } else {
        if (n.quoted && !isPlainName(n.name)) { // "Mei%", "7": always a text
            const int line = n.line;
            p = makeLiteral(Value::text(n.name));
            p->line = line;
            return;
        }
        int found = 0;
        for (size_t t = 0; t < visible; ++t) {
            const int f = findField(*scope.tables[t].fields, n.name);
            if (f < 0) continue;
            if (found && scope.firstTableWins) break;
            if (++found > 1) nameError(n, "Mehrdeutige Spalte '" + n.name + "'");
            n.table = static_cast<int>(t);
            n.field = f;
        }
        if (!found) {
            if (n.quoted) { // "Mei%" is a text when no column has that name
                const int line = n.line;
                p = makeLiteral(Value::text(n.name));
                p->line = line;
                return;
            }
            nameError(n, "Unbekannte Spalte '" + n.name + "'");
        }
    }
    const FieldDef& fd = (*scope.tables[n.table].fields)[n.field];
    n.fieldType = fd.type;
    n.type = valueTypeOf(fd.type);
}

} // namespace

void bindNames(NodePtr& root, const Scope& scope)
{
    if (root->kind == NodeKind::Column && root->table < 0 && root->outputRef < 0) {
        bindColumn(root, scope);
        return;
    }
    for (auto& a : root->args) bindNames(a, scope);
}

} // namespace trevo::engine::expr
