#include "dbcontrols/db_edit.h"

#include "dbcontrols/command_guard.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

namespace trevo::controls {

using Kind = engine::DataSetEvent::Kind;

namespace {

// Events after which a control shows the record again and forgets what was typed.
bool recordReplaced(Kind k)
{
    return k == Kind::Scrolled || k == Kind::DataChanged || k == Kind::StateChanged || k == Kind::LayoutChanged;
}

} // namespace

// ---- DBEdit ----

DBEdit::DBEdit(QWidget* parent) : QLineEdit(parent), link_({}, [this](const engine::DataSetEvent& e) { onEvent(e); })
{
    connect(this, &QLineEdit::textEdited, this, [this] { typed(); });
}

void DBEdit::setDataField(const std::string& field)
{
    link_.setFieldName(field);
    pending_ = false;
    refresh();
}

void DBEdit::setDisplayOnly(bool on)
{
    displayOnly_ = on;
    setFocusPolicy(on ? Qt::NoFocus : Qt::StrongFocus);
    QPalette p = palette();
    p.setColor(QPalette::Base, on ? p.color(QPalette::Button) : QPalette().color(QPalette::Base));
    setPalette(p);
    refresh();
}

void DBEdit::refresh()
{
    const QuietGuard guard(quiet_);
    const engine::DataField* f = link_.field();
    setReadOnly(displayOnly_ || !link_.canModify());
    setMaxLength(f && f->def.type == 'C' && f->def.length > 0 ? f->def.length : 32767);
    setText(toQString(hasFocus() ? link_.text() : link_.displayText()));
}

void DBEdit::onEvent(const engine::DataSetEvent& e)
{
    if (quiet_ || !link_.concerns(e)) return;
    if (recordReplaced(e.kind)) pending_ = false;
    if (!pending_) refresh();
}

void DBEdit::typed()
{
    if (quiet_) return;
    const QString typedText = text();
    const bool ok = runGuarded([this] {
        const QuietGuard guard(quiet_);
        link_.beginEdit();
    });
    if (!ok) {
        refresh();
        return;
    }
    if (text() != typedText) setText(typedText);
    pending_ = true;
}

void DBEdit::commitPending()
{
    if (!pending_) return;
    const std::string typedText = toStd(text());
    {
        const QuietGuard guard(quiet_);
        link_.writeText(typedText);
    }
    pending_ = false;
}

void DBEdit::focusInEvent(QFocusEvent* e)
{
    QLineEdit::focusInEvent(e);
    if (!pending_) {
        const QuietGuard guard(quiet_);
        setText(toQString(link_.text()));
    }
}

void DBEdit::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    if (pending_ && !runGuarded([this] { commitPending(); })) {
        // The text does not fit the field: back into the field to correct it.
        QTimer::singleShot(0, this, [this] { setFocus(); });
        return;
    }
    refresh();
}

void DBEdit::keyPressEvent(QKeyEvent* e)
{
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && pending_) runGuarded([this] { commitPending(); });
    QLineEdit::keyPressEvent(e);
}

// ---- DBMemo ----

DBMemo::DBMemo(QWidget* parent)
    : QPlainTextEdit(parent), link_({}, [this](const engine::DataSetEvent& e) { onEvent(e); })
{
    connect(this, &QPlainTextEdit::textChanged, this, [this] { typed(); });
}

void DBMemo::setDataField(const std::string& field)
{
    link_.setFieldName(field);
    pending_ = false;
    refresh();
}

void DBMemo::refresh()
{
    const QuietGuard guard(quiet_);
    setReadOnly(!link_.canModify());
    setPlainText(toQString(link_.text()));
}

void DBMemo::onEvent(const engine::DataSetEvent& e)
{
    if (quiet_ || !link_.concerns(e)) return;
    if (recordReplaced(e.kind)) pending_ = false;
    if (!pending_) refresh();
}

void DBMemo::typed()
{
    if (quiet_) return;
    const QString typedText = toPlainText();
    const bool ok = runGuarded([this] {
        const QuietGuard guard(quiet_);
        link_.beginEdit();
    });
    if (!ok) {
        refresh();
        return;
    }
    if (toPlainText() != typedText) {
        const QuietGuard guard(quiet_);
        setPlainText(typedText);
        moveCursor(QTextCursor::End);
    }
    pending_ = true;
}

void DBMemo::commitPending()
{
    if (!pending_) return;
    const std::string typedText = toStd(toPlainText());
    {
        const QuietGuard guard(quiet_);
        link_.writeText(typedText);
    }
    pending_ = false;
}

void DBMemo::focusOutEvent(QFocusEvent* e)
{
    QPlainTextEdit::focusOutEvent(e);
    if (pending_) runGuarded([this] { commitPending(); });
}

// ---- DBText ----

DBText::DBText(QWidget* parent)
    : QLabel(parent), link_({}, [this](const engine::DataSetEvent&) { setText(toQString(link_.displayText())); })
{
}

void DBText::setDataField(const std::string& field)
{
    link_.setFieldName(field);
    setText(toQString(link_.displayText()));
}

} // namespace trevo::controls
