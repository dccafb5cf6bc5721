#pragma once
// The search-and-replace dialog: finds the records of a table whose field contains the
// search text anywhere and overwrites that field with the replacement text, through a
// cursor of its own. Created once at start-up; it keeps field and texts while it is used
// for the same file.
#include "shell/stammdaten/tabellen_felder.h"

#include <QDialog>

#include <string>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace trevo::shell {
class ShellServices;
}

namespace trevo::shell::stammdaten {

class Datenzugang;

class TSuchenErsetzenDlg : public QDialog {
    Q_OBJECT
public:
    explicit TSuchenErsetzenDlg(Datenzugang& zugang, QWidget* parent = nullptr);

    // The whole command for folder + file: prepare, show, search and replace. Returns
    // the number of records replaced (0 also when cancelled or nothing was found). The
    // shell, when given, shows the please-wait indication while the records change.
    int SuchenErsetzen(const std::string& folder, const std::string& file, shell::ShellServices* shell = nullptr);

    const engine::FieldDef* gewaehltesFeld() const;
    const TabellenFelder& Table1() const { return tabelle_; }

    QListWidget* FieldListBox1 = nullptr;
    QLineEdit* FromEdit = nullptr;
    QLineEdit* NeuEdit = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // "Abbruch" and Esc: the search text is cleared.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void vorbereiten(const std::string& folder, const std::string& file);
    void OKBtnClick();
    // The records replaced; -1 when the search found nothing.
    int ersetzen();

    Datenzugang& zugang_;
    TabellenFelder tabelle_;
};

} // namespace trevo::shell::stammdaten
