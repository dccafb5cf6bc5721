#pragma once
// The search dialog: one field of a table and a search text, from which it writes the
// search statement that the calling window runs. Created once at start-up and shared
// by every window; it keeps field and text while it is used for the same file.
#include "shell/stammdaten/tabellen_felder.h"

#include <QDialog>

#include <string>
#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace trevo::shell::stammdaten {

class Datenzugang;

class TSuchDlgKomplex : public QDialog {
    Q_OBJECT
public:
    explicit TSuchDlgKomplex(Datenzugang& zugang, QWidget* parent = nullptr);

    // Prepares the dialog for folder + file (errors of opening the file reach the caller).
    void TabelleSetzen(const std::string& folder, const std::string& file);
    // Replaces the lines by the search statement for the selected field and the text:
    // texts match from their start. ValueError when the text is no value of the field.
    void SQLErzeugen(std::vector<std::string>& lines) const;

    // The selected field; nullptr when none is selected.
    const engine::FieldDef* gewaehltesFeld() const;
    const TabellenFelder& Table1() const { return tabelle_; }

    QListWidget* FieldListBox1 = nullptr;
    QLineEdit* FromEdit = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // "Abbruch" and Esc: the search text is cleared.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OKBtnClick();
    void CancelBtnClick();

    Datenzugang& zugang_;
    TabellenFelder tabelle_;
};

} // namespace trevo::shell::stammdaten
