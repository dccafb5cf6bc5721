#include "engine/sql/executor.h"

#include "engine/core/interrupt.h"

#include <algorithm>

namespace trevo::engine::sql {

Executor::Executor(const Plan& plan, const std::vector<TableSlot>& slots, const std::vector<std::vector<int>>& fields)
    : plan_(plan), slots_(slots)
{
    const size_t n = slots.size();
    data_.resize(n);
    columns_.resize(n);
    recnos_.assign(n, expr::kNoRecord);
    scratch_.resize(plan.steps.size());
    for (size_t s = 0; s < n; ++s) {
        data_[s] = slots[s].data();
        data_[s]->refresh();
        columns_[s].assign(slots[s].fields.size(), nullptr);
        for (int f : fields[s]) columns_[s][f] = &data_[s]->column(f);
    }
    // Lookup fields need their hash indexes; build them before any row is fetched.
    for (const Step& st : plan.steps) {
        auto build = [&](const KeyLookup& l) {
            if (l.field2 >= 0) data_[st.slot]->hashIndex(l.field, l.field2);
            else data_[st.slot]->hashIndex(l.field);
        };
        if (st.access == Access::Lookup) build(st.lookup);
        for (const Alternative& a : st.alternatives)
            if (!a.scan) build(a.lookup);
    }
    for (size_t s = 0; s < n; ++s) columnPtrs_.push_back(columns_[s].data());
    ctx_.columns = columnPtrs_.data();
    ctx_.recnos = recnos_.data();
}

bool Executor::passes(const std::vector<const Node*>& conditions) const
{
    for (const Node* c : conditions)
        if (!expr::holds(*c, ctx_)) return false;
    return true;
}

void Executor::run(RowSink& sink)
{
    sink_ = &sink;
    examined_ = 0;
    if (!passes(plan_.constantFilters)) return;
    if (plan_.steps.empty()) {
        sink.row(ctx_);
        return;
    }
    step(0);
}

const std::vector<uint32_t>* Executor::lookup(const KeyLookup& l, int slot)
{
    const Value key = expr::evaluate(*l.key, ctx_);
    const auto& fields = slots_[slot].fields;
    if (l.field2 >= 0) {
        const Value key2 = expr::evaluate(*l.key2, ctx_);
        return data_[slot]->hashIndex(l.field, l.field2).find(pairKey(key, fields[l.field].type, key2, fields[l.field2].type));
    }
    return data_[slot]->hashIndex(l.field).find(keyForField(key, fields[l.field].type));
}

bool Executor::candidate(size_t i, uint32_t recno, bool& matched)
{
    const Step& st = plan_.steps[i];
    if ((++examined_ & 0x3FF) == 0) checkInterrupt();
    recnos_[st.slot] = recno;
    if (!passes(st.filters)) return true;
    matched = true;
    if (!passes(st.post)) return true;
    if (i + 1 == plan_.steps.size()) return sink_->row(ctx_);
    return step(i + 1);
}

bool Executor::step(size_t i)
{
    const Step& st = plan_.steps[i];
    bool matched = false;
    bool go = true;
    switch (st.access) {
    case Access::Scan:
        for (uint32_t r : data_[st.slot]->liveRecords())
            if (!(go = candidate(i, r, matched))) break;
        break;
    case Access::Lookup:
        if (const auto* list = lookup(st.lookup, st.slot)) {
            for (uint32_t r : *list)
                if (!(go = candidate(i, r, matched))) break;
        }
        break;
    case Access::Union: {
        const std::vector<uint32_t>* lists[16];
        size_t count = 0;
        bool scan = false;
        std::vector<uint32_t>& merged = scratch_[i];
        merged.clear();
        for (const Alternative& a : st.alternatives) {
            if (!passes(a.guards)) continue;
            if (a.scan) {
                scan = true;
                break;
            }
            const auto* list = lookup(a.lookup, st.slot);
            if (!list || list->empty()) continue;
            if (count < 16) lists[count++] = list;
            else merged.insert(merged.end(), list->begin(), list->end());
        }
        const std::vector<uint32_t>* source = nullptr;
        if (scan) {
            source = &data_[st.slot]->liveRecords();
        } else if (count == 1 && merged.empty()) {
            source = lists[0];
        } else {
            for (size_t k = 0; k < count; ++k) merged.insert(merged.end(), lists[k]->begin(), lists[k]->end());
            std::sort(merged.begin(), merged.end());
            merged.erase(std::unique(merged.begin(), merged.end()), merged.end());
            source = &merged;
        }
        // The deeper steps use their own scratch, so `merged` stays valid here.
        if (source) {
            for (size_t k = 0; k < source->size(); ++k)
                if (!(go = candidate(i, (*source)[k], matched))) break;
        }
        break;
    }
    }
    if (go && st.outer && !matched) {
        recnos_[st.slot] = expr::kNoRecord;
        if (passes(st.post)) {
            go = i + 1 == plan_.steps.size() ? sink_->row(ctx_) : step(i + 1);
        }
    }
    recnos_[st.slot] = expr::kNoRecord;
    return go;
}

} // namespace trevo::engine::sql
