#pragma once
// The indexes of one open table, hung on the table as an attachment:
//
//     auto& indexes = table->attachment<TableIndexes>();
//     TableIndex& byName = indexes.byField("NAME");
//
// An index is built on its first request and from then on maintained on every
// insert, change and delete of the table; the whole set is rebuilt when the table is
// reset (zap, pack, rollback, reload) and on request (reindex).
//
// It also tells listeners of every change of the table, whoever made it (a data set,
// an SQL statement, a rollback), always after the indexes have followed the change.
#include "engine/core/observers.h"
#include "engine/dbf/attachment.h"
#include "engine/index/table_index.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace trevo::engine {

class DbfTable;

struct TableChange {
    enum class Kind { Record, Reset } kind = Kind::Record;
    uint32_t recno = 0; // the changed record, for Kind::Record
};

class TableIndexes : public TableAttachment {
public:
    explicit TableIndexes(DbfTable& table);
    ~TableIndexes() override;

    // The index of that field (name without regard to case), built on first request.
    // EngineError when the table has no such field or it is a memo field.
    TableIndex& byField(std::string_view fieldName);
    // The index of that field when it was requested before, else nullptr.
    TableIndex* find(std::string_view fieldName);
    // The live records in physical order.
    TableIndex& physical();
    // Names of the field indexes built so far, in alphabetical order.
    std::vector<std::string> names() const;

    // Rebuilds every index from the table.
    void reindex();
    // Counts the rebuilds of the whole set (resets of the table and reindex calls).
    uint64_t resets() const { return resets_; }

    Subscription subscribe(ObserverList<TableChange>::Listener l) { return listeners_.subscribe(std::move(l)); }

    void recordChanged(uint32_t recno, const Record* before, const Record* after) override;
    void tableReset() override;

private:
    DbfTable& table_;
    std::map<std::string, std::unique_ptr<TableIndex>> indexes_;
    std::unique_ptr<TableIndex> physical_;
    uint64_t resets_ = 0;
    ObserverList<TableChange> listeners_;
};

} // namespace trevo::engine
