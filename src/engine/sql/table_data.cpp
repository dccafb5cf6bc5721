#include "engine/sql/table_data.h"

#include "engine/core/collation.h"
#include "engine/expr/bind.h"
#include "engine/expr/eval.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace trevo::engine::sql {

size_t ValueKeyHash::operator()(const Value& v) const
{
    switch (v.type()) {
    case ValueType::Null: return 0;
    case ValueType::Number: {
        const double d = v.number() == 0 ? 0.0 : v.number();
        return std::hash<double>()(d);
    }
    case ValueType::Text: return std::hash<std::string_view>()(trimRight(v.text()));
    case ValueType::Date: return std::hash<int32_t>()(v.date()) ^ 0x9e3779b9u;
    case ValueType::Logical: return v.logical() ? 17 : 23;
    }
    return 0;
}

bool ValueKeyEqual::operator()(const Value& a, const Value& b) const
{
    if (a.type() != b.type()) return false;
    if (a.isText()) return trimRight(a.text()) == trimRight(b.text());
    if (a.isNumber()) return a.number() == b.number();
    return a == b;
}

Value keyForField(const Value& v, char fieldType)
{
    if (v.isNull()) return v;
    auto r = expr::convertValue(v, expr::valueTypeOf(fieldType));
    return r ? std::move(*r) : Value::null();
}

Value pairKey(const Value& a, char typeA, const Value& b, char typeB)
{
    const Value x = keyForField(a, typeA), y = keyForField(b, typeB);
    if (x.isNull() || y.isNull()) return Value::null();
    std::string k;
    for (const Value* v : {&x, &y}) {
        switch (v->type()) {
        case ValueType::Number: {
            const double d = v->number() == 0 ? 0.0 : v->number();
            k += 'n';
            k.append(reinterpret_cast<const char*>(&d), sizeof d);
            break;
        }
        case ValueType::Text: {
            const std::string_view t = trimRight(v->text());
            k += 't';
            k += std::to_string(t.size());
            k += ':';
            k.append(t.data(), t.size());
            break;
        }
        case ValueType::Date: k += 'd' + std::to_string(v->date()); break;
        case ValueType::Logical: k += v->logical() ? "lT" : "lF"; break;
        case ValueType::Null: break;
        }
    }
    k += '|'; // never ends in a blank, which the text comparison would drop
    return Value::text(std::move(k));
}

const std::vector<uint32_t>* HashIndex::find(const Value& key) const
{
    if (key.isNull()) return nullptr;
    auto it = map_.find(key);
    return it == map_.end() ? nullptr : &it->second;
}

void HashIndex::add(const Value& key, uint32_t recno)
{
    if (key.isNull()) return;
    auto& list = map_[key];
    if (list.empty() || list.back() < recno) {
        list.push_back(recno);
    } else {
        list.insert(std::lower_bound(list.begin(), list.end(), recno), recno);
    }
}

void HashIndex::remove(const Value& key, uint32_t recno)
{
    if (key.isNull()) return;
    auto it = map_.find(key);
    if (it == map_.end()) return;
    auto& list = it->second;
    auto pos = std::lower_bound(list.begin(), list.end(), recno);
    if (pos != list.end() && *pos == recno) list.erase(pos);
    if (list.empty()) map_.erase(it);
}

TableData::TableData(DbfTable& table) : table_(table) { seen_ = table.changeCounter(); }

void TableData::clear()
{
    liveValid_ = false;
    live_.clear();
    columns_.clear();
    indexes_.clear();
    pairIndexes_.clear();
}

void TableData::refresh()
{
    if (seen_ == table_.changeCounter()) return;
    clear();
    seen_ = table_.changeCounter();
}

const std::vector<uint32_t>& TableData::liveRecords()
{
    refresh();
    if (!liveValid_) {
        live_.clear();
        const uint32_t n = table_.recordCount();
        live_.reserve(n);
        for (uint32_t r = 0; r < n; ++r)
            if (!table_.isDeleted(r)) live_.push_back(r);
        liveValid_ = true;
    }
    return live_;
}

const std::vector<Value>& TableData::column(int field)
{
    refresh();
    if (columns_.size() < table_.fields().size()) columns_.resize(table_.fields().size());
    auto& slot = columns_[field];
    if (!slot) {
        slot = std::make_unique<std::vector<Value>>();
        const uint32_t n = table_.recordCount();
        slot->reserve(n);
        for (uint32_t r = 0; r < n; ++r) slot->push_back(table_.get(r, field));
    }
    return *slot;
}

bool TableData::hasHashIndex(int field) const
{
    return static_cast<size_t>(field) < indexes_.size() && indexes_[field] && seen_ == table_.changeCounter();
}

const HashIndex& TableData::hashIndex(int field)
{
    refresh();
    if (indexes_.size() < table_.fields().size()) indexes_.resize(table_.fields().size());
    auto& slot = indexes_[field];
    if (!slot) {
        const std::vector<Value>& col = column(field);
        const char type = table_.fields()[field].type;
        slot = std::make_unique<HashIndex>();
        for (uint32_t r : liveRecords()) slot->add(keyForField(col[r], type), r);
    }
    return *slot;
}

const HashIndex& TableData::hashIndex(int field, int field2)
{
    refresh();
    auto& slot = pairIndexes_[{field, field2}];
    if (!slot) {
        const std::vector<Value>& a = column(field);
        const std::vector<Value>& b = column(field2);
        const char ta = table_.fields()[field].type, tb = table_.fields()[field2].type;
        slot = std::make_unique<HashIndex>();
        for (uint32_t r : liveRecords()) slot->add(pairKey(a[r], ta, b[r], tb), r);
    }
    return *slot;
}

void TableData::recordChanged(uint32_t recno, const Record* before, const Record* after)
{
    if (seen_ + 1 != table_.changeCounter()) { // something changed unseen before this
        clear();
        seen_ = table_.changeCounter();
        return;
    }
    seen_ = table_.changeCounter();
    const auto& fields = table_.fields();
    for (size_t f = 0; f < columns_.size(); ++f) {
        auto& col = columns_[f];
        if (!col) continue;
        if (col->size() <= recno) col->resize(recno + 1);
        if (after) (*col)[recno] = (*after)[f];
    }
    for (size_t f = 0; f < indexes_.size(); ++f) {
        auto& idx = indexes_[f];
        if (!idx) continue;
        const char type = fields[f].type;
        if (before) idx->remove(keyForField((*before)[f], type), recno);
        if (after) idx->add(keyForField((*after)[f], type), recno);
    }
    for (auto& [pair, idx] : pairIndexes_) {
        const char ta = fields[pair.first].type, tb = fields[pair.second].type;
        if (before) idx->remove(pairKey((*before)[pair.first], ta, (*before)[pair.second], tb), recno);
        if (after) idx->add(pairKey((*after)[pair.first], ta, (*after)[pair.second], tb), recno);
    }
    if (liveValid_) {
        auto pos = std::lower_bound(live_.begin(), live_.end(), recno);
        const bool listed = pos != live_.end() && *pos == recno;
        if (after && !listed) live_.insert(pos, recno);
        else if (!after && listed) live_.erase(pos);
    }
}

void TableData::tableReset()
{
    clear();
    seen_ = table_.changeCounter();
}

} // namespace trevo::engine::sql
