#pragma once
// The range dialog: one field of a table, a condition and one or two values, from which
// it builds the filter expression of the calling window; "Komplett" asks for the whole
// table again. Created once at start-up and shared by every window; it keeps field,
// condition and texts while it is used for the same file, and its condition and caption
// even then.
#include "shell/stammdaten/anweisungen.h"
#include "shell/stammdaten/tabellen_felder.h"

#include <QDialog>

#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace trevo::shell::stammdaten {

class Datenzugang;

class TAbfrageDlgEinFeld : public QDialog {
    Q_OBJECT
public:
    explicit TAbfrageDlgEinFeld(Datenzugang& zugang, QWidget* parent = nullptr);

    // Prepares the dialog for folder + file (errors of opening the file reach the caller).
    void TabelleSetzen(const std::string& folder, const std::string& file);
    // The filter expression of the selected field, condition and values; ValueError when
    // a value is no value of the field.
    std::string FilterErzeugen() const;
    // "Komplett": the caller removes its filter.
    bool komplett() const;

    const engine::FieldDef* gewaehltesFeld() const;
    Bedingung bedingung() const;
    const TabellenFelder& Table1() const { return tabelle_; }

    QListWidget* FieldListBox1 = nullptr;
    QListWidget* BedingungListBox1 = nullptr;
    QLabel* FeldnamenLabel = nullptr;
    QLabel* BedingungLabel = nullptr;
    QLineEdit* FromEdit = nullptr;
    QLabel* UndLabel = nullptr;
    QLineEdit* ToEdit = nullptr;
    QCheckBox* KomplettCheckBox = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // "Abbruch" and Esc: both value texts are cleared.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SatzAnzeigen();
    void KomplettClick(bool checked);
    void WertGeaendert(const QString& text);
    void OKBtnClick();

    Datenzugang& zugang_;
    TabellenFelder tabelle_;
};

} // namespace trevo::shell::stammdaten
