#include "engine/sql/plan.h"

#include <cstdio>

namespace trevo::engine::sql {

namespace {

std::string conditions(const std::vector<const Node*>& list)
{
    std::string s;
    for (const Node* n : list) {
        if (!s.empty()) s += " AND ";
        s += expr::toText(*n);
    }
    return s;
}

std::string lookupText(const KeyLookup& l, const TableSlot& t)
{
    std::string s = t.fields[l.field].name + " = " + expr::toText(*l.key);
    if (l.field2 >= 0) s += " UND " + t.fields[l.field2].name + " = " + expr::toText(*l.key2);
    return s;
}

std::string estimate(double v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.3g", v);
    return buf;
}

} // namespace

std::string describePlan(const Plan& plan, const std::vector<TableSlot>& slots)
{
    std::string s;
    if (!plan.constantFilters.empty()) s += "Vorab geprüft: " + conditions(plan.constantFilters) + "\n";
    int depth = 0;
    for (const Step& st : plan.steps) {
        const TableSlot& t = slots[st.slot];
        std::string line(static_cast<size_t>(depth) * 2, ' ');
        line += std::to_string(depth + 1) + ". " + t.name + (st.outer ? " (LEFT JOIN)" : "") + ": ";
        switch (st.access) {
        case Access::Scan: line += "alle Datensätze lesen"; break;
        case Access::Lookup: line += "Hash-Index " + lookupText(st.lookup, t); break;
        case Access::Union: {
            line += "Vereinigung der Suchen ";
            bool first = true;
            for (const Alternative& a : st.alternatives) {
                if (!first) line += " | ";
                first = false;
                line += a.scan ? "alle Datensätze" : lookupText(a.lookup, t);
                if (!a.guards.empty()) line += " wenn " + conditions(a.guards);
            }
            break;
        }
        }
        line += ", geschätzt " + estimate(st.estimate) + " Zeile(n)";
        s += line + "\n";
        if (!st.filters.empty())
            s += std::string(static_cast<size_t>(depth) * 2 + 3, ' ') + (st.outer ? "ON " : "Filter ") +
                 conditions(st.filters) + "\n";
        if (!st.post.empty())
            s += std::string(static_cast<size_t>(depth) * 2 + 3, ' ') + "WHERE " + conditions(st.post) + "\n";
        ++depth;
    }
    return s;
}

} // namespace trevo::engine::sql
