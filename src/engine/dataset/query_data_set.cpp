#include "engine/dataset/query_data_set.h"

#include "engine/core/collation.h"
#include "engine/dataset/field_text.h"
#include "engine/dataset/locate_match.h"

namespace trevo::engine {

QueryDataSet::QueryDataSet(sql::QueryResult result) : result_(std::move(result)) {}

QueryDataSet::~QueryDataSet() = default;

void QueryDataSet::setResult(sql::QueryResult result)
{
    result_ = std::move(result);
    if (!active()) return;
    rebuildFields(result_.columns);
    notify(DataSetEvent::Kind::LayoutChanged);
    notify(DataSetEvent::Kind::DataChanged);
    first();
}

void QueryDataSet::open()
{
    if (active()) return;
    if (source_) result_ = source_();
    rebuildFields(result_.columns);
    state_ = DataSetState::Browse;
    notify(DataSetEvent::Kind::LayoutChanged);
    notify(DataSetEvent::Kind::StateChanged);
    first();
}

void QueryDataSet::close()
{
    if (!active()) return;
    state_ = DataSetState::Inactive;
    row_ = 0;
    eof_ = bof_ = true;
    notify(DataSetEvent::Kind::StateChanged);
    notify(DataSetEvent::Kind::LayoutChanged);
}

template <class F>
auto QueryDataSet::move(F&& op)
{
    requireActive();
    auto result = op();
    notify(DataSetEvent::Kind::Scrolled);
    fire(events.afterScroll);
    return result;
}

bool QueryDataSet::first()
{
    return move([this] {
        row_ = 0;
        bof_ = true;
        eof_ = result_.rows.empty();
        return !result_.rows.empty();
    });
}

bool QueryDataSet::last()
{
    return move([this] {
        const size_t n = result_.rows.size();
        row_ = n ? n - 1 : 0;
        eof_ = true;
        bof_ = n == 0;
        return n != 0;
    });
}

bool QueryDataSet::next()
{
    return move([this] {
        if (result_.rows.empty()) return false;
        bof_ = false;
        if (row_ + 1 < result_.rows.size()) {
            ++row_;
            eof_ = false;
            return true;
        }
        eof_ = true;
        return false;
    });
}

bool QueryDataSet::prior()
{
    return move([this] {
        if (result_.rows.empty()) return false;
        eof_ = false;
        if (row_ > 0) {
            --row_;
            bof_ = false;
            return true;
        }
        bof_ = true;
        return false;
    });
}

long QueryDataSet::moveBy(long n)
{
    return move([this, n] {
        if (result_.rows.empty()) return 0L;
        const long last = static_cast<long>(result_.rows.size()) - 1;
        const long target = std::clamp(static_cast<long>(row_) + n, 0L, last);
        const long moved = target - static_cast<long>(row_);
        row_ = static_cast<size_t>(target);
        eof_ = n > 0 && moved < n;
        bof_ = n < 0 && moved > n;
        return moved;
    });
}

bool QueryDataSet::moveTo(size_t position)
{
    return move([this, position] {
        if (position >= result_.rows.size()) return false;
        row_ = position;
        eof_ = bof_ = false;
        return true;
    });
}

bool QueryDataSet::eof()
{
    requireActive();
    return eof_;
}

bool QueryDataSet::bof()
{
    requireActive();
    return bof_;
}

bool QueryDataSet::isEmpty()
{
    requireActive();
    return result_.rows.empty();
}

size_t QueryDataSet::recordCount()
{
    requireActive();
    return result_.rows.size();
}

std::optional<size_t> QueryDataSet::position()
{
    requireActive();
    if (result_.rows.empty()) return std::nullopt;
    return row_;
}

int QueryDataSet::column(std::string_view name) const
{
    const std::string u = toUpperGerman(name);
    for (size_t i = 0; i < result_.columns.size(); ++i)
        if (toUpperGerman(result_.columns[i].name) == u) return static_cast<int>(i);
    return -1;
}

bool QueryDataSet::locate(const std::vector<std::string>& fields, const std::vector<Value>& values, LocateOptions options)
{
    requireActive();
    if (fields.size() != values.size() || fields.empty())
        throw EngineError("Suche in " + displayName() + ": Felder und Werte passen nicht zusammen");
    std::vector<int> cols;
    std::vector<Value> wanted;
    for (size_t i = 0; i < fields.size(); ++i) {
        const int c = column(fields[i]);
        if (c < 0) throw EngineError(displayName() + " hat kein Feld '" + fields[i] + "'");
        const FieldDef& def = result_.columns[static_cast<size_t>(c)];
        Value v = values[i];
        if (v.isText() && def.type != 'C' && def.type != 'M') v = valueFromText(def, v.text());
        cols.push_back(c);
        wanted.push_back(std::move(v));
    }
    for (size_t r = 0; r < result_.rows.size(); ++r) {
        bool all = true;
        for (size_t i = 0; i < cols.size() && all; ++i) {
            const size_t c = static_cast<size_t>(cols[i]);
            const Value stored = c < result_.rows[r].size() ? result_.rows[r][c] : Value();
            all = locateMatches(result_.columns[c], stored, wanted[i], options);
        }
        if (all) return moveTo(r);
    }
    return false;
}

Value QueryDataSet::lookup(std::string_view keyField, const Value& key, std::string_view resultField)
{
    if (!active()) return {};
    const int k = column(keyField), res = column(resultField);
    if (k < 0 || res < 0) throw EngineError(displayName() + " hat kein Feld '" + std::string(k < 0 ? keyField : resultField) + "'");
    const FieldDef& def = result_.columns[static_cast<size_t>(k)];
    for (const Record& row : result_.rows) {
        if (static_cast<size_t>(std::max(k, res)) >= row.size()) continue;
        if (locateMatches(def, row[static_cast<size_t>(k)], key, {})) return row[static_cast<size_t>(res)];
    }
    return {};
}

void QueryDataSet::refresh()
{
    requireActive();
    notify(DataSetEvent::Kind::DataChanged);
    notify(DataSetEvent::Kind::Scrolled);
}

Value QueryDataSet::currentStored(int f)
{
    if (row_ >= result_.rows.size()) return {};
    const Record& r = result_.rows[row_];
    return static_cast<size_t>(f) < r.size() ? r[static_cast<size_t>(f)] : Value();
}

Value QueryDataSet::rowStored(size_t row, int f)
{
    if (row >= result_.rows.size()) return {};
    const Record& r = result_.rows[row];
    return static_cast<size_t>(f) < r.size() ? r[static_cast<size_t>(f)] : Value();
}

Value QueryDataSet::convertText(int f, std::string_view text)
{
    return valueFromText(result_.columns.at(static_cast<size_t>(f)), text);
}

} // namespace trevo::engine
