#pragma once
// The options window: evaluation switches, contribution and payment mode, and the data
// folder. OK takes the values over (a changed data folder reopens every table there);
// Abbrechen takes nothing. Both go back to the previous window.
#include "shell/child_window.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace trevo::shell {

class DataModuleSeam;
class OptionsSeam;
struct ProgramPaths;

class Setupform : public ChildWindow {
    Q_OBJECT
public:
    Setupform(ShellServices& shell, OptionsSeam& options, ProgramPaths& paths, DataModuleSeam* data,
              QWidget* parent = nullptr);

    // Fills the controls from the current options.
    void fill();
    void OKBtnClick();
    void CancelBtnClick();

    // The contribution as the window shows it: two decimals with the system's decimal
    // separator, left-aligned in eight places ("2,50    ").
    static QString formatBeitrag(double amount);

    QCheckBox* RundenCheckBox1 = nullptr;
    QCheckBox* AufrundenCheckBox1 = nullptr;
    QCheckBox* MittelwertefuerFehlendeMitgliederCheckBox1 = nullptr;
    QLineEdit* BeitragEdit = nullptr;
    QRadioButton* Zahlweise[3] = {};
    QLineEdit* SuchpfadEdit = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

private:
    int selectedZahlweise() const;
    void chooseFolder();

    OptionsSeam& options_;
    ProgramPaths& paths_;
    DataModuleSeam* data_;
};

} // namespace trevo::shell
