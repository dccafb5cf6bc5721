#pragma once
// The period dialog of the schedule: "Alle Termine innerhalb der nächsten N Tage". It only
// returns the typed text; the schedule turns it into its filter. The second value and its
// label exist for the layout but are never shown.
#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

namespace trevo::evenings {

class TAbfrageDlgTerminsuche : public QDialog {
    Q_OBJECT
public:
    explicit TAbfrageDlgTerminsuche(QWidget* parent = nullptr);

    // The text of FromEdit.
    QString Zeitraum() const;

    QLineEdit* FromEdit = nullptr;
    QLabel* UndLabel = nullptr;
    QLineEdit* ToEdit = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace trevo::evenings
