#pragma once
// The tie between one control and one field of a data set: the control shows the field
// of the current record (or of the pending one) whenever the data set moves or changes,
// and writes what the user typed back into the field. Typing into a record that is not
// being entered puts the data set into edit state first.
//
// Text fields are written at every keystroke; numbers and dates, whose half-typed text
// is no value yet, when the control is left and when the window takes the values over
// before a command (uebernehmen), so a conversion error ends that command.
#include "engine/dataset/data_set.h"

#include <QObject>

#include <string>

namespace trevo::masterdata::bindung {

class FeldBindung : public QObject {
    Q_OBJECT
public:
    // The data set may be null or closed: the control then stays empty.
    FeldBindung(QObject* parent, engine::DataSet* ds, std::string field);

    engine::DataSet* dataSet() const { return ds_; }
    // Binds the control to another data set (the tables moved to another folder).
    void setDataSet(engine::DataSet* ds);
    const std::string& field() const { return field_; }
    // The field's position in the open data set, -1 when closed or absent.
    int fieldIndex() const;
    // Whether the field takes the control's text at every keystroke.
    bool writesAtOnce() const;

    // Writes a pending text of the control into the field; errors reach the caller.
    void uebernehmen();

    // The value of the field as text for display ("" when closed or empty).
    std::string text() const;
    engine::Value value() const;
    bool hasRecord() const;

    // The user changed the control: the text is pending until uebernehmen().
    void setPending(std::string text);
    bool pending() const { return pending_; }
    // Writes a value straight away (check boxes, choice lists).
    void write(const engine::Value& v);

signals:
    // Show the field again (another record, another state, a changed value).
    void anzeigen();

private:
    void onEvent(const engine::DataSetEvent& e);
    void ensureEditing();

    engine::DataSet* ds_;
    std::string field_;
    engine::Subscription subscription_;
    std::string pendingText_;
    bool pending_ = false;
    bool writing_ = false;
};

} // namespace trevo::masterdata::bindung
