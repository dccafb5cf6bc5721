#pragma once
// Data sets: a cursor with a record buffer, what windows and the data module work on.
// TableDataSet (table_data_set.h) edits a table; QueryDataSet (query_data_set.h) shows
// the rows of a SELECT read-only. Both share this interface.
//
// States and what is legal in them
//   Inactive  closed. Only definitions (calculated and lookup fields, display formats,
//             labels, required fields; for tables also order, filter, master link),
//             open() and close().
//   Browse    the current record is read from the table. Moves, searches, order, range
//             and filter changes, refresh, append/insert, edit, delete.
//   Insert    a new record lives only in the buffer, not yet in the table; its fields
//             may be set. post() stores it, cancel() drops it.
//   Edit      the current record is copied into the buffer and changed there; post()
//             writes it back, cancel() drops the changes.
// Setting a stored field is legal only in Insert and Edit; calculated fields are set
// only by the calcFields handler; lookup fields are never set.
//
// The implicit post: append/insert, every move (first, last, next, prior, moveBy,
// moveTo, gotoRecord, findKey, findNearest, locate), a change of order, range or
// filter, refresh, and a move of the master while the data set is in Insert or Edit
// state first store the pending record when any field was set since it entered that
// state (values set by the afterInsert handler count: modified()), and otherwise drop
// it with cancel() - both with their usual events. When storing fails, the operation is
// not carried out and the error reaches the caller.
//
// Events, the handlers of the data module (one per event), in this order:
//   append/insert  [implicit post] beforeInsert, afterInsert, afterScroll
//   edit           beforeEdit, afterEdit (on an empty data set: append instead)
//   post           beforePost, [write inside the session's atomically], afterPost.
//                  When the write fails: postError; its answer Fail passes the error on,
//                  Abort replaces it by Aborted (a silent end). The state stays Insert
//                  or Edit with the buffer as it was.
//   cancel         beforeCancel, afterCancel
//   delete         beforeDelete, [delete], afterDelete, afterScroll (in Insert: cancel)
//   moves, open    afterScroll (also when the position could not change; findKey,
//                  locate and gotoRecord only when they found their record)
//   calcFields     when a calculated field is read and the record (or its pending
//                  values) changed since the last calculation.
// A before-handler stops its operation by throwing. Observers (subscribe) are told
// separately of moves, state changes, field changes and data changes.
#include "engine/core/error.h"
#include "engine/core/value.h"
#include "engine/core/observers.h"
#include "engine/dbf/field.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trevo::engine {

class DataSet;

enum class DataSetState { Inactive, Browse, Insert, Edit };
enum class FieldKind { Stored, Calculated, Lookup };
enum class PostErrorAction { Fail, Abort };

// A silent end of an operation (postError answered Abort); shown to nobody.
class Aborted : public EngineError {
public:
    Aborted() : EngineError("Vorgang abgebrochen") {}
};

struct DataSetEvents {
    using Handler = std::function<void(DataSet&)>;
    Handler beforeInsert, afterInsert;
    Handler beforeEdit, afterEdit;
    Handler beforePost, afterPost;
    Handler beforeCancel, afterCancel;
    Handler beforeDelete, afterDelete;
    Handler afterScroll;
    Handler calcFields;
    std::function<PostErrorAction(DataSet&, const EngineError&)> postError;
};

// What observers are told.
struct DataSetEvent {
    enum class Kind {
        Scrolled,      // another record is current, or the current one was re-read
        StateChanged,  // Browse/Insert/Edit/Inactive
        FieldChanged,  // one field of the pending record was set (field = its position)
        DataChanged,   // records of the data set changed: show them again
        LayoutChanged, // opened or closed: the field list may differ
        Destroyed,     // the data set goes; do not touch it any more
    };
    Kind kind;
    int field = -1;
    DataSet* source = nullptr;
};

struct DataField {
    FieldDef def; // name, type, length, decimals
    FieldKind kind = FieldKind::Stored;
    int source = -1; // stored: the table's field; calculated: its slot
    std::string label;
    std::string displayFormat;
    bool required = false;
    std::string requiredMessage;
    // Lookup: the record of lookupSet whose keyThere equals this record's keyHere gives result.
    DataSet* lookupSet = nullptr;
    std::string keyHere, keyThere, result;
    int keyHereField = -1;
};

struct LocateOptions {
    bool caseInsensitive = false;
    bool partialKey = false; // texts: the field starts with the value
};

class DataSet {
public:
    using Listener = ObserverList<DataSetEvent>::Listener;

    DataSet(const DataSet&) = delete;
    DataSet& operator=(const DataSet&) = delete;
    virtual ~DataSet();

    const std::string& name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }

    DataSetEvents events;
    Subscription subscribe(Listener l) { return observers_.subscribe(std::move(l)); }

    // Lifecycle.
    virtual void open() = 0;
    virtual void close() = 0;
    bool active() const { return state_ != DataSetState::Inactive; }
    DataSetState state() const { return state_; }
    bool editing() const { return state_ == DataSetState::Insert || state_ == DataSetState::Edit; }
    virtual bool readOnly() const = 0;

    // Definitions, by field name (kept across close and open).
    void addCalculatedField(std::string name, char type, uint8_t length = 0, uint8_t decimals = 0);
    void addLookupField(std::string name, char type, DataSet& lookupSet, std::string keyHere, std::string keyThere,
                        std::string resultField, uint8_t length = 0, uint8_t decimals = 0);
    void setDisplayFormat(std::string_view field, std::string format);
    void setLabel(std::string_view field, std::string label);
    // A post with this field NULL (or blank) fails with the message; an empty message
    // means label + " muß eingegeben werden.".
    void setRequired(std::string_view field, std::string message = {});

    // The fields of the open data set: the stored ones in their order, then the
    // calculated and lookup fields in the order of their definition.
    int fieldCount() const { return static_cast<int>(fields_.size()); }
    const DataField& field(int i) const;
    int fieldIndex(std::string_view name) const; // without regard to case; -1 when absent
    int requireField(std::string_view name) const; // EngineError when absent

    // Values of the current record (in Insert and Edit: of the pending record).
    Value value(int field);
    Value value(std::string_view name) { return value(requireField(name)); }
    std::string text(int field);
    std::string text(std::string_view name) { return text(requireField(name)); }
    std::string displayText(int field); // with the display format
    std::string displayText(std::string_view name) { return displayText(requireField(name)); }
    // The stored value before the pending changes (Edit); NULL in Insert.
    virtual Value oldValue(int field);
    void setValue(int field, Value v);
    void setValue(std::string_view name, Value v) { setValue(requireField(name), std::move(v)); }
    // Typed text, converted the way the field takes it.
    void setText(int field, std::string_view text);
    void setText(std::string_view name, std::string_view text) { setText(requireField(name), text); }
    // Whether a field was set since the record entered Insert or Edit.
    bool modified() const { return modified_; }

    // Moves (each with the implicit post first). first/last: whether a record is current;
    // next/prior: whether the position moved.
    virtual bool first() = 0;
    virtual bool last() = 0;
    virtual bool next() = 0;
    virtual bool prior() = 0;
    virtual long moveBy(long n) = 0;
    virtual bool moveTo(size_t position) = 0;
    virtual bool eof() = 0;
    virtual bool bof() = 0;
    virtual bool isEmpty() = 0;
    virtual size_t recordCount() = 0;
    virtual std::optional<size_t> position() = 0;
    // First record, in the current order, whose fields have the values (a text for a
    // non-text field is converted). Moves there and returns true, else stays.
    virtual bool locate(const std::vector<std::string>& fields, const std::vector<Value>& values,
                        LocateOptions options = {}) = 0;
    bool locate(const std::string& field, const Value& v, LocateOptions options = {})
    {
        return locate(std::vector<std::string>{field}, std::vector<Value>{v}, options);
    }
    // The resultField of the first visible record whose keyField equals key, without
    // moving; NULL when there is none or the data set is closed.
    virtual Value lookup(std::string_view keyField, const Value& key, std::string_view resultField) = 0;
    virtual void refresh() = 0;

    // Rows by position without moving (for grids): the stored values as they are in
    // the table, derived fields worked out for that row.
    Value rowValue(size_t row, int field);
    std::string rowDisplayText(size_t row, int field);

    // Editing; read-only data sets refuse with EngineError.
    virtual void append();
    virtual void insert();
    virtual void edit();
    virtual void post();
    virtual void cancel();
    virtual void deleteRecord();
    // The implicit post: store a changed pending record, drop an unchanged one.
    virtual void checkBrowseMode();

protected:
    DataSet() = default;

    // Builds the field list from the stored fields and the definitions.
    void rebuildFields(const std::vector<FieldDef>& stored);
    void clearFields() { fields_.clear(); byName_.clear(); }

    // Stored values of the current record or of a row.
    virtual Value currentStored(int storedField) = 0;
    virtual Value rowStored(size_t row, int storedField) = 0;
    // Conversion of typed text for a stored field.
    virtual Value convertText(int storedField, std::string_view text) = 0;
    // Puts a stored value into the pending record; refuses outside Insert/Edit.
    virtual void storeValue(int storedField, Value v);

    void notify(DataSetEvent::Kind kind, int field = -1);
    void fire(const DataSetEvents::Handler& h)
    {
        if (h) h(*this);
    }
    void requireActive() const;
    [[noreturn]] void readOnlyError() const;
    // Checks the required fields against the pending values; ValueError with the message.
    void checkRequired(const std::vector<Value>& stored) const;
    std::string displayName() const;

    DataSetState state_ = DataSetState::Inactive;
    bool modified_ = false;

private:
    struct Settings {
        std::string label, displayFormat, requiredMessage;
        bool required = false;
    };
    struct CalcCache {
        bool valid = false;
        uint64_t generation = 0;
        size_t row = 0;
        std::vector<Value> values;
    };
    Value derivedValue(const DataField& f);
    const std::vector<Value>& calculated(CalcCache& cache);
    Settings& settingsFor(std::string_view field);

    std::string name_;
    ObserverList<DataSetEvent> observers_;
    std::vector<DataField> derivedDefs_;
    std::vector<Subscription> lookupWatch_;
    std::map<std::string, Settings> settings_;
    std::vector<DataField> fields_;
    std::map<std::string, int> byName_;
    int calcCount_ = 0;

    uint64_t generation_ = 1; // counts notifications: any of them may change derived values
    CalcCache current_, row_;
    std::optional<size_t> rowContext_;
    std::vector<Value>* calcTarget_ = nullptr; // set while the calcFields handler runs
};

} // namespace trevo::engine
