#pragma once
// The year correction of the schedule's date field: when the focus leaves the field with
// text in it, a date whose year reads below 1930 gains 100 years and the field shows it
// as "DD.MM.YYYY" before the text goes into the record. A text that is no date is left to
// the field, which refuses it with its own message.
#include <QObject>

namespace trevo::controls {
class DBEdit;
}

namespace trevo::evenings::terminplan {

class Datumskorrektur : public QObject {
    Q_OBJECT
public:
    // Watches the field; the object belongs to it.
    static void anbringen(controls::DBEdit* feld);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit Datumskorrektur(controls::DBEdit* feld);
    controls::DBEdit* feld_;
};

} // namespace trevo::evenings::terminplan
