#pragma once
// A check box bound to a field. An empty field shows the greyed third state; a click
// stores the checked or unchecked value (true/false for logical fields, or the two
// values given for fields of other types).
#include "dbcontrols/data_link.h"

#include <QCheckBox>

namespace trevo::controls {

class DBCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit DBCheckBox(const QString& text = {}, QWidget* parent = nullptr);

    FieldLink& link() { return link_; }
    void setDataSet(engine::DataSet* ds) { link_.setDataSet(ds); }
    void setSource(data::Datenquelle* source) { link_.setSource(source); }
    void setDataField(const std::string& field);
    // The values stored for checked and unchecked in fields that are not logical.
    void setValues(engine::Value checked, engine::Value unchecked);

protected:
    void nextCheckState() override;

private:
    void refresh();
    Qt::CheckState stateOf(const engine::Value& v) const;

    FieldLink link_;
    engine::Value checked_ = engine::Value::logical(true);
    engine::Value unchecked_ = engine::Value::logical(false);
    bool quiet_ = false;
};

// Whether two field values name the same thing (numbers by value, texts without
// trailing blanks, a number and its text alike).
bool sameValue(const engine::Value& a, const engine::Value& b);

} // namespace trevo::controls
