#pragma once
// The members window: the register of club members and guest bowlers in KEGLER.DBF.
// Beside the commands of every master-data window it shows the member-only fields just
// for members, the office's name beside its number, refuses to delete a bowler who took
// part in an evening and switches to browse whenever it becomes the active window.
#include "masterdata/stammdaten.h"
#include "shell/stammdaten/stammdaten_form.h"

class QLabel;
class QLineEdit;

namespace trevo::masterdata {

class TMitgliederform : public TStammdatenForm {
    Q_OBJECT
public:
    TMitgliederform(shell::ShellServices& shell, Datenzugang& zugang, Suchdialoge& dialoge, QWidget* parent = nullptr);

    static StammdatenEinstellungen einstellungenMitglieder();

    // Entry fields in tab order.
    controls::DBEdit* DBEdit1 = nullptr; // NUMMER, grey
    controls::DBCheckBox* MitgliedCheckBox1 = nullptr;
    QLabel* Mitgliednrlabel = nullptr;
    controls::DBEdit* MitgliednummerDBEdit2 = nullptr;
    QLabel* EintrittLabel = nullptr;
    controls::DBEdit* EintrittEdit = nullptr;
    controls::DBEdit* GeburtstagsEdit = nullptr;
    controls::DBLookupComboBox* Amtedit = nullptr;
    QLineEdit* Funktionsnamedit2 = nullptr; // the office's name, not bound
    controls::DBEdit* DBEdit2 = nullptr; // NAME
    controls::DBEdit* VornameEdit = nullptr;
    controls::DBEdit* DBEdit10 = nullptr; // ALIAS
    controls::DBEdit* DBEdit3 = nullptr;  // STRASSE
    controls::DBEdit* DBEdit4 = nullptr;  // PLZ
    controls::DBEdit* DBEdit5 = nullptr;  // ORT
    controls::DBEdit* DBEdit6 = nullptr;  // TEL1
    controls::DBEdit* DBEdit7 = nullptr;  // TEL2
    controls::DBEdit* DBEdit8 = nullptr;  // EMAIL
    controls::DBMemo* DBMemo1 = nullptr;     // BEMERKUNGE

    // Member number and joining text are shown for members only.
    void MitgliedsfelderZeigen();
    // The office's name for the text of "Amt".
    void AmteditChange(const QString& text);

protected:
    QWidget* ersteEingabe() const override;
    void nachModuswechsel(bool on) override;
    void nachAnfuegen() override;

private:
    class Raster;
    void felderBauen();
    void mitgliedszeilenBauen(Raster& raster);
    void adresszeilenBauen(Raster& raster);
};

} // namespace trevo::masterdata
