#pragma once
// A check that runs when the focus leaves an entry field, as the user moves on: a field of
// a few allowed whole numbers refuses any other text with its message and takes the focus
// back. It does not act while the field is disabled, nor when only the window lost the
// focus (to a message box or a menu). (Date fields: controls::Jahreskorrektur.)
#include <QObject>
#include <QString>

#include <functional>
#include <vector>

namespace trevo::controls {
class DBEdit;
}

namespace trevo::masterdata {

class Zahlenauswahl : public QObject {
    Q_OBJECT
public:
    // `fehler` is shown for a whole number outside `erlaubt`; a text that is no whole
    // number is refused with the conversion message.
    static void anbringen(controls::DBEdit* feld, std::vector<int> erlaubt, QString fehler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Zahlenauswahl(controls::DBEdit* feld, std::vector<int> erlaubt, QString fehler);
    bool gueltig();
    controls::DBEdit* feld_;
    std::vector<int> erlaubt_;
    QString fehler_;
};

} // namespace trevo::masterdata
