#pragma once
// The about box: the product line of the program, modal, white, with an OK button.
#include <QDialog>

class QPushButton;

namespace trevo::shell {

class AboutForm : public QDialog {
    Q_OBJECT
public:
    explicit AboutForm(QWidget* parent = nullptr);
    QPushButton* OKButton = nullptr;
};

} // namespace trevo::shell
