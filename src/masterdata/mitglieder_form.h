#pragma once
// The members window: the register of club members and guest bowlers in KEGLER.DBF.
// Beside the commands of every master-data window it shows the member-only fields just
// for members, the office's name beside its number, refuses to delete a bowler who took
// part in an evening and switches to browse whenever it becomes the active window.
#include "masterdata/stammdaten_form.h"

class QLabel;
class QLineEdit;

namespace trevo::masterdata {

class TMitgliederform : public TStammdatenForm {
    Q_OBJECT
public:
    explicit TMitgliederform(shell::ShellServices& shell, QWidget* parent = nullptr);

    static StammdatenEinstellungen einstellungenMitglieder();

    // Entry fields in tab order.
    bindung::Eingabefeld* DBEdit1 = nullptr; // NUMMER, grey
    bindung::Kontrollkaestchen* MitgliedCheckBox1 = nullptr;
    QLabel* Mitgliednrlabel = nullptr;
    bindung::Eingabefeld* MitgliednummerDBEdit2 = nullptr;
    QLabel* EintrittLabel = nullptr;
    bindung::Eingabefeld* EintrittEdit = nullptr;
    bindung::Eingabefeld* GeburtstagsEdit = nullptr;
    bindung::Auswahlfeld* Amtedit = nullptr;
    QLineEdit* Funktionsnamedit2 = nullptr; // the office's name, not bound
    bindung::Eingabefeld* DBEdit2 = nullptr; // NAME
    bindung::Eingabefeld* VornameEdit = nullptr;
    bindung::Eingabefeld* DBEdit10 = nullptr; // ALIAS
    bindung::Eingabefeld* DBEdit3 = nullptr;  // STRASSE
    bindung::Eingabefeld* DBEdit4 = nullptr;  // PLZ
    bindung::Eingabefeld* DBEdit5 = nullptr;  // ORT
    bindung::Eingabefeld* DBEdit6 = nullptr;  // TEL1
    bindung::Eingabefeld* DBEdit7 = nullptr;  // TEL2
    bindung::Eingabefeld* DBEdit8 = nullptr;  // EMAIL
    bindung::Memofeld* DBMemo1 = nullptr;     // BEMERKUNGE

    // Member number and joining text are shown for members only.
    void MitgliedsfelderZeigen();
    // The office's name for the text of "Amt".
    void AmteditChange(const QString& text);

protected:
    QWidget* ersteEingabe() const override;
    void nachModuswechsel(bool on) override;
    void nachAnfuegen() override;

private:
    void buildFields();
};

} // namespace trevo::masterdata
