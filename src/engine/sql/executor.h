#pragma once
// Runs a plan: nested loops over the steps, each fetching its candidates by scan,
// lookup or union of lookups, and hands every row that passes all conditions to a sink.
#include "engine/expr/eval.h"
#include "engine/sql/plan.h"

#include <vector>

namespace trevo::engine::sql {

class RowSink {
public:
    virtual ~RowSink() = default;
    // The current row is readable through the context; false stops the run.
    virtual bool row(const expr::EvalContext& ctx) = 0;
};

class Executor {
public:
    // fields[slot] lists the fields of that table that the statement reads.
    Executor(const Plan& plan, const std::vector<TableSlot>& slots, const std::vector<std::vector<int>>& fields);
    void run(RowSink& sink);
    const expr::EvalContext& context() const { return ctx_; }
    const std::vector<uint32_t>& recnos() const { return recnos_; }
    // Records examined (for tests of the planner and for EXPLAIN).
    uint64_t examined() const { return examined_; }

private:
    bool step(size_t i);
    bool candidate(size_t i, uint32_t recno, bool& matched);
    bool passes(const std::vector<const Node*>& conditions) const;
    const std::vector<uint32_t>* lookup(const KeyLookup& l, int slot);

    const Plan& plan_;
    const std::vector<TableSlot>& slots_;
    std::vector<TableData*> data_;
    std::vector<std::vector<const std::vector<Value>*>> columns_;
    std::vector<const std::vector<Value>* const*> columnPtrs_;
    std::vector<uint32_t> recnos_;
    std::vector<std::vector<uint32_t>> scratch_;
    expr::EvalContext ctx_;
    RowSink* sink_ = nullptr;
    uint64_t examined_ = 0;
};

} // namespace trevo::engine::sql
