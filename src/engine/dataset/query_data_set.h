#pragma once
// The rows of a SELECT as a read-only data set, with the same reading interface as a
// table data set (moves, values, texts, locate, lookup) and calculated and lookup
// fields. Its rows come either from a result handed over (setResult) or from a source
// that open() runs each time (setSource), so "close, change the statement, open"
// gives fresh rows.
#include "engine/dataset/data_set.h"
#include "engine/sql/result.h"

#include <functional>

namespace trevo::engine {

class QueryDataSet : public DataSet {
public:
    using Source = std::function<sql::QueryResult()>;

    QueryDataSet() = default;
    explicit QueryDataSet(sql::QueryResult result);
    ~QueryDataSet() override;

    // New rows; when open, the data set shows them at once from the first row.
    void setResult(sql::QueryResult result);
    void setSource(Source source) { source_ = std::move(source); }
    const sql::QueryResult& result() const { return result_; }

    void open() override;
    void close() override;
    bool readOnly() const override { return true; }

    bool first() override;
    bool last() override;
    bool next() override;
    bool prior() override;
    long moveBy(long n) override;
    bool moveTo(size_t position) override;
    bool eof() override;
    bool bof() override;
    bool isEmpty() override;
    size_t recordCount() override;
    std::optional<size_t> position() override;
    using DataSet::locate;
    bool locate(const std::vector<std::string>& fields, const std::vector<Value>& values,
                LocateOptions options = {}) override;
    Value lookup(std::string_view keyField, const Value& key, std::string_view resultField) override;
    void refresh() override;

protected:
    Value currentStored(int storedField) override;
    Value rowStored(size_t row, int storedField) override;
    Value convertText(int storedField, std::string_view text) override;

private:
    template <class F>
    auto move(F&& op);
    int column(std::string_view name) const;

    Source source_;
    sql::QueryResult result_;
    size_t row_ = 0;
    bool eof_ = true, bof_ = true;
};

} // namespace trevo::engine
