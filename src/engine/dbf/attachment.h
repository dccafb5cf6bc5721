#pragma once
// Things that hang on an open table and follow its changes: indexes, hash indexes
// of the SQL planner, caches. A table notifies every attachment of every change.
#include "engine/core/value.h"

#include <cstdint>
#include <vector>

namespace trevo::engine {

using Record = std::vector<Value>;

class TableAttachment {
public:
    virtual ~TableAttachment() = default;
    // A record was appended (before == nullptr), changed, or its deletion flag changed
    // (deleted records count as absent: before/after is nullptr for a deleted state).
    virtual void recordChanged(uint32_t recno, const Record* before, const Record* after) = 0;
    // The whole table changed (zap, pack, rollback, reload): rebuild from scratch.
    virtual void tableReset() = 0;
};

} // namespace trevo::engine
