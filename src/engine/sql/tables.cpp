#include "engine/sql/tables.h"

#include "engine/expr/error.h"

namespace trevo::engine::sql {

namespace {

bool isAbsolute(const std::string& p)
{
    return (!p.empty() && p[0] == '/') || (p.size() > 2 && p[1] == ':' && p[2] == '/');
}

} // namespace

std::string tableBaseName(const std::string& name)
{
    std::string file = fileNameOf(normalizePath(name));
    const size_t dot = file.rfind('.');
    if (dot != std::string::npos && dot > 0) file.erase(dot);
    return file;
}

std::string resolveTablePath(Database& db, const std::string& folder, const std::string& name, bool mustExist)
{
    expr::checkNameCharacters(name, 1);
    FileSystem& fs = db.fs();
    std::string p = normalizePath(name);
    if (!isAbsolute(p) && !folder.empty()) p = joinPath(normalizePath(folder), p);
    std::string found = resolveCaseInsensitive(fs, p);
    if (db.storage().exists(found)) return found;
    const bool hasExtension = fileNameOf(p).find('.') != std::string::npos;
    if (!hasExtension) {
        std::string withExt = resolveCaseInsensitive(fs, p + ".DBF");
        if (db.storage().exists(withExt) || !mustExist) return withExt;
    }
    if (mustExist)
        throw expr::SqlError("Datei '" + name + (hasExtension ? "" : ".DBF") + "' nicht gefunden");
    return found;
}

TableSlot openTable(Database& db, const std::string& folder, const TableRef& ref)
{
    TableSlot s;
    s.path = resolveTablePath(db, folder, ref.name, true);
    s.name = ref.alias.empty() ? tableBaseName(ref.name) : ref.alias;
    auto t = db.table(s.path);
    s.table = t.get();
    s.handle = t;
    s.fields = t->fields();
    s.join = ref.join;
    return s;
}

} // namespace trevo::engine::sql
