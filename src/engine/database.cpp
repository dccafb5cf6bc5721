#include "engine/database.h"

#include "engine/core/collation.h"

namespace trevo::engine {

namespace {
// The registry key of a table file: the path as found on disk, without regard to case.
std::string tableKey(FileSystem& fs, const std::string& path)
{
    return toUpperGerman(resolveCaseInsensitive(fs, normalizePath(path)));
}
} // namespace

Database::Database(FileSystem& fs) : fs_(fs), storage_(fs) {}

Database::~Database()
{
    // Tables first: a session that still holds a transaction rolls it back when it goes,
    // and the tables' restore listeners must find no table any more.
    tables_.clear();
    sessions_.clear();
}

Session& Database::session(const std::string& name)
{
    auto& slot = sessions_[name];
    if (!slot) slot = std::make_unique<Session>(storage_, name);
    return *slot;
}

std::shared_ptr<DbfTable> Database::table(const std::string& path)
{
    const std::string key = tableKey(fs_, path);
    auto it = tables_.find(key);
    if (it != tables_.end()) {
        // A table whose creation was rolled back has no file any more.
        if (storage_.exists(it->second->path())) return it->second;
        tables_.erase(it);
    }
    auto t = DbfTable::open(storage_, resolveCaseInsensitive(fs_, normalizePath(path)));
    tables_.emplace(key, t);
    return t;
}

std::shared_ptr<DbfTable> Database::createTable(const std::string& path, const std::vector<FieldDef>& fields,
                                                DbfVersion version, uint8_t languageDriver)
{
    auto t = DbfTable::create(storage_, normalizePath(path), fields, version, languageDriver);
    tables_[tableKey(fs_, path)] = t;
    return t;
}

void Database::holdFolder(const std::string& dir, std::chrono::milliseconds wait)
{
    storage_.holdFolder(normalizePath(dir), wait);
}

void Database::closeTable(const std::string& path) { tables_.erase(tableKey(fs_, path)); }

void Database::closeAll() { tables_.clear(); }

} // namespace trevo::engine
