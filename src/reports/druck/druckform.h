#pragma once
// The print dialog "Drucken": the number of copies ("Anzahl:" under "Exemplare") with
// an up-down control that goes no lower than 1, and the buttons "OK", "Abbrechen"
// (also Escape) and "Drucker einrichten". The field may be typed down to 0, which
// prints one copy. Every time the dialog shows, the field starts at 1.
//
// "Drucker einrichten" opens the system's printer set-up (the printer the program
// prints on) and then closes the dialog as cancelled: nothing is printed.
#include <QDialog>
#include <QSpinBox>

#include <functional>

class QPushButton;

namespace trevo::reports {

// The copies field: typing allows 0, the arrows stop at 1.
class ExemplarSpinBox : public QSpinBox {
    Q_OBJECT
public:
    explicit ExemplarSpinBox(QWidget* parent = nullptr);

    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override;
};

class TDruckform : public QDialog {
    Q_OBJECT
public:
    explicit TDruckform(QWidget* parent = nullptr);

    // The copies to print: the value of "Anzahl:"; below 1 counts as 1.
    int Exemplare() const;

    // The printer set-up behind "Drucker einrichten"; tests replace it.
    std::function<void(QWidget* parent)> druckerEinrichten;

    ExemplarSpinBox* Exemplaredit = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* DruckereinrichtenBtn = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void OKBtnClick();
    void CancelBtnClick();
    void DruckereinrichtenBtnClick();
};

// The system's printer set-up dialog for the printer the program prints on.
void systemDruckerEinrichten(QWidget* parent);

} // namespace trevo::reports
