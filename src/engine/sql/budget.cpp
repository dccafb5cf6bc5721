#include "engine/sql/budget.h"

namespace trevo::engine::sql {

namespace {
size_t limitBytes = size_t{512} << 20;
thread_local MemoryBudget* current = nullptr;
} // namespace

size_t memoryLimit() { return limitBytes; }
void setMemoryLimit(size_t bytes) { limitBytes = bytes; }

MemoryBudget::MemoryBudget() : limit_(limitBytes), outer_(current) { current = this; }
MemoryBudget::~MemoryBudget() { current = outer_; }

void MemoryBudget::charge(size_t bytes)
{
    MemoryBudget* b = current;
    if (!b) return;
    b->used_ += bytes;
    if (b->used_ > b->limit_) throw OutOfMemory();
}

size_t bytesOf(const Value& v) { return sizeof(Value) + (v.isText() ? v.text().capacity() : 0); }

size_t bytesOf(const Record& r)
{
    size_t n = sizeof(Record);
    for (const Value& v : r) n += bytesOf(v);
    return n;
}

} // namespace trevo::engine::sql
