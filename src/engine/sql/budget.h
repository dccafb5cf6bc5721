#pragma once
// The memory a statement may use for what it builds up while it runs: result rows,
// groups, the records it found and the new records it computed. The statement counts
// them against its budget and ends with OutOfMemory when the budget is spent, long
// before the machine runs out, so that nothing was written and the program goes on.
// The tables' own data and indexes are not counted.
//
//   MemoryBudget budget;          // one per statement (sql::execute)
//   MemoryBudget::charge(bytes);  // by every loop that keeps something per row
#include "engine/core/error.h"
#include "engine/core/value.h"
#include "engine/dbf/attachment.h"

#include <cstddef>

namespace trevo::engine::sql {

class OutOfMemory : public EngineError {
public:
    OutOfMemory() : EngineError("Nicht genug Arbeitsspeicher für die Anweisung") {}
};

// Bytes a statement may keep; by default 512 MB.
size_t memoryLimit();
void setMemoryLimit(size_t bytes);

class MemoryBudget {
public:
    MemoryBudget();
    ~MemoryBudget();
    MemoryBudget(const MemoryBudget&) = delete;
    MemoryBudget& operator=(const MemoryBudget&) = delete;

    // Counts bytes against the budget of the running statement (none: nothing to count);
    // throws OutOfMemory when it is spent.
    static void charge(size_t bytes);

private:
    size_t used_ = 0;
    size_t limit_;
    MemoryBudget* outer_;
};

// The approximate heap size of a value and of a row of values.
size_t bytesOf(const Value& v);
size_t bytesOf(const Record& r);

} // namespace trevo::engine::sql
