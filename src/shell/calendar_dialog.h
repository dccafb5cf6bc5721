#pragma once
// The calendar dialog: a month calendar with OK and Abbrechen; OK or a double-click on
// a day closes it with OK. Created once and kept; the main window shows it.
#include <QDialog>

class QCalendarWidget;
class QPushButton;

namespace trevo::shell {

class Kalenderform : public QDialog {
    Q_OBJECT
public:
    explicit Kalenderform(QWidget* parent = nullptr);

    // Shows the dialog modally; the chosen date as "dd.mm.yyyy", or empty without OK.
    // The dialog is hidden afterwards.
    QString choose();

    QCalendarWidget* Calendar1 = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
};

} // namespace trevo::shell
