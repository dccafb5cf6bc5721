#include "dbcontrols/entry_keys.h"

#include "dbcontrols/command_guard.h"
#include "common/dialogs/dialogs.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

namespace trevo::controls {

namespace {

bool isEntryField(QWidget* w)
{
    return qobject_cast<QLineEdit*>(w) || qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w)
        || qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractButton*>(w)
        || qobject_cast<QAbstractSpinBox*>(w);
}

bool takesTabFocus(QWidget* w)
{
    return w->isEnabled() && w->isVisible() && (w->focusPolicy() & Qt::TabFocus);
}

bool isComposite(QWidget* w)
{
    return qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w);
}

// The field a widget belongs to: the line edit inside a combo or spin box stands for it.
QWidget* fieldOf(QWidget* w)
{
    QWidget* p = w->parentWidget();
    return p && isComposite(p) ? p : w;
}

} // namespace

EntryKeys::EntryKeys(QObject* parent) : QObject(parent) {}

void EntryKeys::attach(QWidget* field)
{
    field->installEventFilter(this);
    if (isComposite(field))
        for (QLineEdit* inner : field->findChildren<QLineEdit*>()) inner->installEventFilter(this);
}

void EntryKeys::attachAll(QWidget* panel)
{
    for (QWidget* w : panel->findChildren<QWidget*>()) {
        if (!isEntryField(w)) continue;
        // Parts of composite fields (a combo's line edit, a spin box's edit) come with their owner.
        if (w->parentWidget() && isComposite(w->parentWidget())) continue;
        attach(w);
    }
}

QWidget* EntryKeys::neighbour(QWidget* from, bool forward)
{
    QWidget* start = fieldOf(from);
    QWidget* window = start->window();
    QWidget* w = start;
    for (;;) {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
        if (!w || w == start) return nullptr;
        if (w->window() != window || w == window || !takesTabFocus(w)) continue;
        QWidget* field = fieldOf(w);
        if (field == start || start->isAncestorOf(field)) continue; // inner parts of the field we leave
        return field;
    }
}

bool EntryKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress) return false;
    auto* field = qobject_cast<QWidget*>(watched);
    if (!field) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    switch (key->key()) {
    case Qt::Key_Escape:
        runGuarded([this] {
            if (common::dialogs().yesNo(QStringLiteral("Dateneingabe abbrechen ?"))) emit cancelConfirmed();
        });
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down:
    case Qt::Key_PageDown:
    case Qt::Key_Up:
    case Qt::Key_PageUp: {
        const bool forward = key->key() != Qt::Key_Up && key->key() != Qt::Key_PageUp;
        if (QWidget* next = neighbour(field, forward)) next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
    default:
        return false;
    }
}

} // namespace trevo::controls
