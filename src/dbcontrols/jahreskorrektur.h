#pragma once
// The year correction of a date field: when the focus moves on from the field with text in
// it, a date whose year reads below 1930 gains 100 years (JahrKorrigieren) and the field
// shows it as "DD.MM.YYYY" before the text goes into the record, as if typed. A text that
// is no date is left to the field, which refuses it with its own message. Nothing happens
// while the field is disabled, nor when only the window lost the focus (to a message box
// or a menu).
#include <QObject>

namespace trevo::controls {

class DBEdit;

class Jahreskorrektur : public QObject {
    Q_OBJECT
public:
    // Watches the field; the object belongs to it.
    static void anbringen(DBEdit* feld);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit Jahreskorrektur(DBEdit* feld);
    DBEdit* feld_;
};

// The focus left the field for another control of the window.
bool fokusWeitergegangen(QObject* watched, QWidget* feld, QEvent* event);

} // namespace trevo::controls
