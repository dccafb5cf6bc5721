// Append, edit, post, cancel and delete of table data sets.
#include "engine/dataset/table_data_set.h"

#include "engine/dbf/dbf_table.h"
#include "engine/storage/session.h"

namespace trevo::engine {

namespace {

class Flag {
public:
    explicit Flag(bool& f) : f_(f), old_(f) { f_ = true; }
    ~Flag() { f_ = old_; }

private:
    bool& f_;
    bool old_;
};

} // namespace

void TableDataSet::checkBrowseMode()
{
    // While the postError handler runs (it may refresh), the failed record stays pending.
    if (!editing() || inPostError_) return;
    if (modified_) post();
    else cancel();
}

void TableDataSet::storeValue(int f, Value v)
{
    if (!editing()) throw EngineError(displayName() + " ist nicht im Bearbeitungs- oder Einfügemodus");
    table_->validate(f, v);
    buffer_[static_cast<size_t>(f)] = std::move(v);
}

Value TableDataSet::oldValue(int field)
{
    requireActive();
    const DataField& f = DataSet::field(field);
    if (state_ == DataSetState::Edit && f.kind == FieldKind::Stored) return original_[static_cast<size_t>(f.source)];
    if (state_ == DataSetState::Insert) return {};
    return value(field);
}

void TableDataSet::append()
{
    requireActive();
    checkBrowseMode();
    requireWritable();
    fire(events.beforeInsert);
    buffer_.assign(table_->fields().size(), Value());
    if (link_ && link_->key) {
        const int f = table_->fieldIndex(link_->detailField);
        buffer_[static_cast<size_t>(f)] = *link_->key;
    }
    state_ = DataSetState::Insert;
    modified_ = false;
    notify(DataSetEvent::Kind::StateChanged);
    notify(DataSetEvent::Kind::Scrolled);
    fire(events.afterInsert);
    fire(events.afterScroll);
}

// dBASE tables have no place in the middle: a new record always goes to the end.
void TableDataSet::insert() { append(); }

void TableDataSet::edit()
{
    requireActive();
    if (editing()) return;
    if (!cursor_->onRecord()) {
        append();
        return;
    }
    requireWritable();
    fire(events.beforeEdit);
    editRecno_ = cursor_->recno();
    buffer_ = table_->getRecord(editRecno_);
    original_ = buffer_;
    resetsAtEdit_ = table_->attachment<TableIndexes>().resets();
    state_ = DataSetState::Edit;
    modified_ = false;
    notify(DataSetEvent::Kind::StateChanged);
    fire(events.afterEdit);
}

void TableDataSet::post()
{
    requireActive();
    if (!editing()) return;
    fire(events.beforePost);
    if (!editing()) return; // the handler decided otherwise
    uint32_t recno = editRecno_;
    try {
        checkRequired(buffer_);
        Flag writing(writing_);
        if (state_ == DataSetState::Insert) {
            recno = session_->atomically([&] { return table_->append(buffer_); });
        } else {
            if (editRecno_ >= table_->recordCount() || table_->isDeleted(editRecno_))
                throw EngineError("Der bearbeitete Datensatz ist nicht mehr vorhanden");
            // Changed meanwhile by another data set on the file: the last writer wins. But
            // after a reset (rollback, pack) the number may name another record now.
            if (staleAfterReset()) throw EngineError("Der bearbeitete Datensatz wurde inzwischen entfernt");
            session_->atomically([&] { table_->put(editRecno_, buffer_); });
        }
    } catch (const EngineError& e) {
        postFailed(e);
    }
    leaveEditing();
    cursor_->gotoRecord(recno); // stays where it is when the record is not visible here
    notify(DataSetEvent::Kind::StateChanged);
    notify(DataSetEvent::Kind::DataChanged);
    notify(DataSetEvent::Kind::Scrolled);
    fire(events.afterPost);
}

// After a reset during the edit, the record must still be the one that was edited.
bool TableDataSet::staleAfterReset() const
{
    if (table_->attachment<TableIndexes>().resets() == resetsAtEdit_) return false;
    return !(table_->getRecord(editRecno_) == original_);
}

void TableDataSet::postFailed(const EngineError& e)
{
    PostErrorAction action = PostErrorAction::Fail;
    if (events.postError) {
        Flag handling(inPostError_);
        action = events.postError(*this, e);
    }
    if (action == PostErrorAction::Abort) throw Aborted();
    throw; // NOLINT: rethrows the error being handled by post()
}

void TableDataSet::leaveEditing()
{
    state_ = DataSetState::Browse;
    buffer_.clear();
    original_.clear();
    modified_ = false;
}

void TableDataSet::cancel()
{
    requireActive();
    if (!editing()) return;
    fire(events.beforeCancel);
    leaveEditing();
    notify(DataSetEvent::Kind::StateChanged);
    notify(DataSetEvent::Kind::Scrolled);
    fire(events.afterCancel);
}

void TableDataSet::deleteRecord()
{
    requireActive();
    if (state_ == DataSetState::Insert) {
        cancel();
        return;
    }
    if (!cursor_->onRecord()) throw EngineError(displayName() + " enthält keinen Datensatz zum Löschen");
    requireWritable();
    fire(events.beforeDelete);
    const uint32_t recno = state_ == DataSetState::Edit ? editRecno_ : cursor_->recno();
    {
        Flag writing(writing_);
        session_->atomically([&] { table_->setDeleted(recno, true); });
    }
    if (state_ == DataSetState::Edit) {
        leaveEditing();
        notify(DataSetEvent::Kind::StateChanged);
    }
    notify(DataSetEvent::Kind::DataChanged);
    notify(DataSetEvent::Kind::Scrolled);
    fire(events.afterDelete);
    fire(events.afterScroll);
}

} // namespace trevo::engine
