#include "masterdata/funktionen_form.h"

#include "common/fenster/window_codes.h"
#include "dbcontrols/db_edit.h"


namespace trevo::masterdata {

StammdatenEinstellungen TFunktionenform::einstellungenFunktionen()
{
    StammdatenEinstellungen s;
    s.caption = QStringLiteral("Ämter");
    s.fensterCode = common::Fenster::Aemter;
    s.dataSourceName = "FunktionsDataSource1";
    s.dataSetName = "Funktionstable1";
    s.notOpenMessage = QStringLiteral("Die Tabelle mit Mitgliederämtern ist nicht geöffnet");
    s.nameField = "BEZEICHNUN";
    s.sortOptions = {{QStringLiteral("Nummer"), "NUMMER"}};
    s.gridColumns = {"NUMMER", "BEZEICHNUN"};
    s.gridEditable = true;
    s.entryPanelHeight = 130;
    s.printOption = "AemterlisteFilename";
    s.printDefault = "AEMTERLISTE.QR2";
    return s;
}

TFunktionenform::TFunktionenform(shell::ShellServices& shell, Datenzugang& zugang, Suchdialoge& dialoge,
                                 QWidget* parent)
    : TStammdatenForm(shell, zugang, dialoge, einstellungenFunktionen(), parent)
{
    setObjectName(QStringLiteral("Funktionenform"));
    DBEdit1 = nummernanzeige("NUMMER", "DBEdit1");
    DBEdit1->setFixedWidth(80);
    NameDBEdit = eingabefeld("BEZEICHNUN", "NameDBEdit");
    NameDBEdit->setFixedWidth(300);

    feldzeilen({{QStringLiteral("Nummer"), DBEdit1}, {QStringLiteral("Bezeichnung"), NameDBEdit}});
    FormCreate();
}

QWidget* TFunktionenform::ersteEingabe() const { return NameDBEdit; }

} // namespace trevo::masterdata
