#pragma once
// Data-aware text controls. DBEdit shows the field with its display format and, while it
// has the focus, as plain text to edit; typing puts the data set into edit state, and the
// text is converted into the field when the focus leaves, on Enter, or by updateRecord.
// DBMemo edits a memo or text field the same way; DBText only shows a field.
// A DBEdit set to display only is the grey, read-only field of a running number: it shows
// the field and is never typed into, whatever the data set allows.
#include "dbcontrols/data_link.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace trevo::controls {

class DBEdit : public QLineEdit, public PendingEditor {
    Q_OBJECT
public:
    explicit DBEdit(QWidget* parent = nullptr);

    FieldLink& link() { return link_; }
    void setDataSet(engine::DataSet* ds) { link_.setDataSet(ds); }
    void setSource(data::Datenquelle* source) { link_.setSource(source); }
    void setDataField(const std::string& field);
    // Grey, read-only, skipped by Tab and clicks.
    void setDisplayOnly(bool on);
    bool displayOnly() const { return displayOnly_; }

    engine::DataSet* pendingDataSet() const override { return pending_ ? link_.dataSet() : nullptr; }
    void commitPending() override;
    bool pending() const { return pending_; }

protected:
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void onEvent(const engine::DataSetEvent& e);
    void typed();
    void refresh();

    FieldLink link_;
    bool pending_ = false;
    bool quiet_ = false;
    bool displayOnly_ = false;
};

class DBMemo : public QPlainTextEdit, public PendingEditor {
    Q_OBJECT
public:
    explicit DBMemo(QWidget* parent = nullptr);

    FieldLink& link() { return link_; }
    void setDataSet(engine::DataSet* ds) { link_.setDataSet(ds); }
    void setSource(data::Datenquelle* source) { link_.setSource(source); }
    void setDataField(const std::string& field);

    engine::DataSet* pendingDataSet() const override { return pending_ ? link_.dataSet() : nullptr; }
    void commitPending() override;

protected:
    void focusOutEvent(QFocusEvent* e) override;

private:
    void onEvent(const engine::DataSetEvent& e);
    void typed();
    void refresh();

    FieldLink link_;
    bool pending_ = false;
    bool quiet_ = false;
};

class DBText : public QLabel {
    Q_OBJECT
public:
    explicit DBText(QWidget* parent = nullptr);

    FieldLink& link() { return link_; }
    void setDataSet(engine::DataSet* ds) { link_.setDataSet(ds); }
    void setSource(data::Datenquelle* source) { link_.setSource(source); }
    void setDataField(const std::string& field);

private:
    FieldLink link_;
};

} // namespace trevo::controls
