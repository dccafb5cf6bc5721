#pragma once
// The link of a data-aware control to a data set: directly, or through a data source of
// the data module, whose data set is replaced when the tables move to another folder.
// The control is told of every event of the data set, and once more (LayoutChanged)
// whenever the link points to another data set or to none.
//
// The control's handler runs while the data set tells its listeners. An error it throws
// is caught here and shown later (deferred_error.h); Qt signals the handler emits (a text
// shown anew, a check box set) reach their slots inside that notification, so those slots
// must not throw: connect them through controls::guarded.
#include "engine/dataset/data_set.h"

#include <QString>

#include <functional>
#include <string>

namespace trevo::data {
class Datenquelle;
}

namespace trevo::controls {

class DataLink {
public:
    using Handler = std::function<void(const engine::DataSetEvent&)>;

    explicit DataLink(Handler onEvent);
    DataLink(const DataLink&) = delete;
    DataLink& operator=(const DataLink&) = delete;

    void setDataSet(engine::DataSet* ds);
    void setSource(data::Datenquelle* source);
    engine::DataSet* dataSet() const { return ds_; }
    // Open and with a record or a pending record to show.
    bool hasRecord() const;

private:
    void attach(engine::DataSet* ds);
    void deliver(const engine::DataSetEvent& e);

    Handler onEvent_;
    engine::DataSet* ds_ = nullptr;
    engine::Subscription dsSubscription_;
    engine::Subscription sourceSubscription_;
};

// The link of a control that shows and edits one field.
class FieldLink : public DataLink {
public:
    FieldLink(std::string field, Handler onEvent);

    const std::string& fieldName() const { return field_; }
    void setFieldName(std::string field) { field_ = std::move(field); }
    // The field's position in the open data set; -1 when it is closed or lacks the field.
    int index() const;
    const engine::DataField* field() const;
    // Whether typing may change the field: a stored field of an open, writable data set.
    bool canModify() const;
    // True for events that concern this control (all but changes of other fields).
    bool concerns(const engine::DataSetEvent& e) const;

    // The field of the current (or pending) record as plain text or with its display format,
    // for showing it: a field that cannot be read (a failing calculation) shows empty, and
    // the error is shown once the event loop runs again.
    std::string text() const;
    std::string displayText() const;
    engine::Value value() const;

    // Puts the data set into edit state when it is browsing (on an empty one: a new record).
    void beginEdit();
    void writeText(const std::string& text);
    void writeValue(const engine::Value& v);

private:
    template <class T, class Read>
    T shown(Read read) const;

    std::string field_;
};

// Controls whose typed text is not yet in the field. Commands that post a record call
// updateRecord first, so that nothing typed is lost; the controls also write their text
// when the focus leaves them.
class PendingEditor {
public:
    PendingEditor();
    virtual ~PendingEditor();
    PendingEditor(const PendingEditor&) = delete;
    PendingEditor& operator=(const PendingEditor&) = delete;

    // The data set the typed text belongs to, nullptr when nothing is pending.
    virtual engine::DataSet* pendingDataSet() const = 0;
    // Writes the typed text into the field; conversion errors reach the caller.
    virtual void commitPending() = 0;
};

// Writes the typed texts of every control bound to the data set into its fields.
void updateRecord(engine::DataSet& ds);

// Sets a flag for the lifetime of the scope (a control ignoring the events it causes itself).
class QuietGuard {
public:
    explicit QuietGuard(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~QuietGuard() { flag_ = old_; }
    QuietGuard(const QuietGuard&) = delete;
    QuietGuard& operator=(const QuietGuard&) = delete;

private:
    bool& flag_;
    bool old_;
};

QString toQString(const std::string& s);
std::string toStd(const QString& s);

} // namespace trevo::controls
