#pragma once
// The report selection "Report auswählen": the report files of the data folder with the
// first line of their descriptions (reportliste.h), the instruction, "OK" and "Abbrechen".
// OK with a report chosen closes the dialog as accepted; OK without a choice does
// nothing. A double click on an entry is OK.
#include "engine/fs/file_system.h"

#include <QDialog>

#include <string>

class QLabel;
class QListWidget;
class QPushButton;

namespace trevo::reports::auswahl {

class TReportauswahlForm : public QDialog {
    Q_OBJECT
public:
    TReportauswahlForm(engine::FileSystem& fs, const std::string& datenordner, QWidget* parent = nullptr);

    // The file name of the chosen report (as the folder holds it), empty for none.
    QString gewaehlteDatei() const;

    QListWidget* ListBox1 = nullptr;
    QLabel* HinweisLabel = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

private:
    void FormCreate(engine::FileSystem& fs, const std::string& datenordner);
    void OKBtnClick();
};

} // namespace trevo::reports::auswahl
