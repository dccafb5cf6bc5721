#include "dbcontrols/db_check_box.h"

#include "dbcontrols/command_guard.h"

#include "engine/core/collation.h"

namespace trevo::controls {

bool sameValue(const engine::Value& a, const engine::Value& b)
{
    if (a.isNull() || b.isNull()) return a.isNull() && b.isNull();
    if (a.type() == b.type()) {
        if (a.isText()) return engine::trimRight(a.text()) == engine::trimRight(b.text());
        return a == b;
    }
    if (a.isNumber() || b.isNumber()) {
        const auto x = engine::parseNumber(a.toText());
        const auto y = engine::parseNumber(b.toText());
        return x && y && *x == *y;
    }
    return engine::trimRight(a.toText()) == engine::trimRight(b.toText());
}

DBCheckBox::DBCheckBox(const QString& text, QWidget* parent)
    : QCheckBox(text, parent), link_({}, [this](const engine::DataSetEvent& e) {
          if (!quiet_ && link_.concerns(e)) refresh();
      })
{
    setTristate(true);
}

void DBCheckBox::setDataField(const std::string& field)
{
    link_.setFieldName(field);
    refresh();
}

void DBCheckBox::setValues(engine::Value checked, engine::Value unchecked)
{
    checked_ = std::move(checked);
    unchecked_ = std::move(unchecked);
    refresh();
}

Qt::CheckState DBCheckBox::stateOf(const engine::Value& v) const
{
    if (v.isNull()) return Qt::PartiallyChecked;
    if (v.isLogical()) return v.logical() ? Qt::Checked : Qt::Unchecked;
    if (sameValue(v, checked_)) return Qt::Checked;
    if (sameValue(v, unchecked_)) return Qt::Unchecked;
    return Qt::PartiallyChecked;
}

void DBCheckBox::refresh()
{
    const QuietGuard guard(quiet_);
    setCheckState(link_.hasRecord() ? stateOf(link_.value()) : Qt::PartiallyChecked);
}

void DBCheckBox::nextCheckState()
{
    // A click checks an empty or unchecked box and unchecks a checked one.
    const bool check = checkState() != Qt::Checked;
    const engine::DataField* f = link_.field();
    const bool logical = f && f->def.type == 'L';
    const engine::Value v = check ? (logical ? engine::Value::logical(true) : checked_)
                                  : (logical ? engine::Value::logical(false) : unchecked_);
    const bool ok = runGuarded([this, &v] {
        const QuietGuard guard(quiet_);
        link_.writeValue(v);
    });
    refresh();
    (void)ok;
}

} // namespace trevo::controls
