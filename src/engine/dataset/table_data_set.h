#pragma once
// A data set over one table of a session (the state machine is described in
// data_set.h). Posting and deleting run inside the session's atomically, so they join
// an open transaction of that session or commit on their own.
//
// Order, range, filter and master link:
//   - setIndex picks the index of a field ("" = physical order) and keeps the record;
//   - setRange limits the keys of the current index (inclusive), then goes first;
//   - the filter (a predicate over the record or a filter text in the expression
//     language) applies while filtered() is on; switching or changing it goes first;
//   - a master link shows only the records whose detail field equals the master's
//     current value of its field, using the range of the detail's index when the
//     current index is that field; a master without a record (or with a NULL key)
//     leaves the detail empty. The detail follows whenever the master moves, changes
//     that field, posts or cancels, storing its own pending record first. A new detail
//     record gets the master's key in the detail field (not counted as a change).
#include "engine/dataset/data_set.h"
#include "engine/index/cursor.h"
#include "engine/index/table_indexes.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace trevo::engine {

class Database;
class DbfTable;
class Session;

class TableDataSet : public DataSet {
public:
    using RecordFilter = std::function<bool(const Record&)>;

    // Over a table that is already open.
    TableDataSet(Session& session, std::shared_ptr<DbfTable> table);
    // Over the table file of a database, opened (shared) by open().
    TableDataSet(Database& db, Session& session, std::string path);
    ~TableDataSet() override;

    Session& session() const { return *session_; }
    const std::string& path() const { return path_; }
    // The table; nullptr before the first open of a data set made from a path.
    DbfTable* table() const { return table_.get(); }
    std::shared_ptr<DbfTable> tablePtr() const { return table_; }

    void open() override;
    void close() override;
    bool readOnly() const override;
    void setReadOnly(bool on) { readOnly_ = on; }

    // Order: the index of that field; "" for the physical order.
    void setIndex(std::string_view fieldName);
    // The field name of the current index as the table writes it; "" for physical order.
    std::string indexName() const;

    // Searches on the current index; a text is converted to the key field's type first.
    bool findKey(const Value& key);
    bool findNearest(const Value& key);

    void setRange(std::optional<Value> low, std::optional<Value> high);
    void cancelRange();
    bool hasRange() const { return userRange_; }

    void setFilter(RecordFilter filter);
    // Compiles the text at once when open (throws and keeps the old filter on error).
    void setFilterText(std::string_view text);
    const std::string& filterText() const { return filterText_; }
    void setFiltered(bool on);
    bool filtered() const { return filtered_; }

    void setMasterLink(DataSet& master, std::string detailField, std::string masterField);
    void clearMasterLink();
    DataSet* master() const { return link_ ? link_->master : nullptr; }

    // The physical record number of the current record (none in Insert or when empty).
    std::optional<uint32_t> recordNumber();
    // To that record when it is visible here (else the position stays, without events).
    bool gotoRecord(uint32_t recno);

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

    void append() override;
    void insert() override;
    void edit() override;
    void post() override;
    void cancel() override;
    void deleteRecord() override;
    void checkBrowseMode() override;
    Value oldValue(int field) override;

protected:
    Value currentStored(int storedField) override;
    Value rowStored(size_t row, int storedField) override;
    Value convertText(int storedField, std::string_view text) override;
    void storeValue(int storedField, Value v) override;

private:
    struct Link {
        DataSet* master = nullptr;
        std::string detailField, masterField;
        Subscription subscription;
        std::optional<Value> key; // nullopt: nothing visible
    };

    Cursor& cursor();
    void requireWritable() const;
    template <class F>
    auto move(F&& op);
    void applyFilter();
    RecordFilter compileFilter(std::string_view text) const;
    void applyRange();
    std::optional<Value> masterKey() const;
    void followMaster();
    void onMasterEvent(const DataSetEvent& e);
    void onTableChanged(const TableChange& change);
    Value convertKey(const Value& key) const;
    bool writeInsert(uint32_t& recno);
    [[noreturn]] void postFailed(const EngineError& e);
    bool staleAfterReset() const;
    void leaveEditing();

    Session* session_;
    Database* db_ = nullptr;
    std::string path_;
    std::shared_ptr<DbfTable> table_;
    std::unique_ptr<Cursor> cursor_;
    Subscription tableSubscription_;
    bool readOnly_ = false;

    std::string indexName_;
    bool userRange_ = false;
    std::optional<Value> rangeLow_, rangeHigh_;
    RecordFilter filter_;
    std::string filterText_;
    bool filtered_ = false;
    std::unique_ptr<Link> link_;

    Record buffer_;   // the pending record in Insert and Edit
    Record original_; // the record as it was when Edit began
    uint32_t editRecno_ = 0;
    uint64_t resetsAtEdit_ = 0; // resets of the table when Edit began
    bool writing_ = false;     // our own change of the table is under way
    bool inPostError_ = false; // the postError handler runs
};

} // namespace trevo::engine
