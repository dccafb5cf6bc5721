#include "engine/index/table_indexes.h"

#include "engine/core/error.h"
#include "engine/dbf/dbf_table.h"
#include "engine/fs/file_system.h"

namespace trevo::engine {

TableIndexes::TableIndexes(DbfTable& table) : table_(table) {}

TableIndexes::~TableIndexes() = default;

TableIndex& TableIndexes::byField(std::string_view fieldName)
{
    if (TableIndex* existing = find(fieldName)) return *existing;
    const int field = table_.fieldIndex(fieldName);
    const std::string file = fileNameOf(table_.path());
    if (field < 0)
        throw EngineError("Die Tabelle '" + file + "' hat kein Feld '" + std::string(fieldName) + "' für einen Index");
    const FieldDef& def = table_.fields()[static_cast<size_t>(field)];
    if (def.type == 'M')
        throw EngineError("Nach dem Memofeld '" + def.name + "' der Tabelle '" + file + "' kann nicht sortiert werden");
    auto index = std::make_unique<TableIndex>(table_, field);
    TableIndex& ref = *index;
    indexes_[def.name] = std::move(index);
    return ref;
}

TableIndex* TableIndexes::find(std::string_view fieldName)
{
    const int field = table_.fieldIndex(fieldName);
    if (field < 0) return nullptr;
    auto it = indexes_.find(table_.fields()[static_cast<size_t>(field)].name);
    return it == indexes_.end() ? nullptr : it->second.get();
}

TableIndex& TableIndexes::physical()
{
    if (!physical_) physical_ = std::make_unique<TableIndex>(table_, -1);
    return *physical_;
}

std::vector<std::string> TableIndexes::names() const
{
    std::vector<std::string> out;
    for (const auto& [name, index] : indexes_) out.push_back(name);
    return out;
}

void TableIndexes::reindex()
{
    for (auto& [name, index] : indexes_) index->rebuild();
    if (physical_) physical_->rebuild();
    ++resets_;
    listeners_.notify(TableChange{TableChange::Kind::Reset, 0});
}

void TableIndexes::recordChanged(uint32_t recno, const Record* before, const Record* after)
{
    for (auto& [name, index] : indexes_) index->recordChanged(recno, before, after);
    if (physical_) physical_->recordChanged(recno, before, after);
    listeners_.notify(TableChange{TableChange::Kind::Record, recno});
}

void TableIndexes::tableReset()
{
    reindex();
}

} // namespace trevo::engine
