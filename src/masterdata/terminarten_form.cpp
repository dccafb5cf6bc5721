#include "masterdata/terminarten_form.h"

#include "common/fenster/window_codes.h"
#include "dbcontrols/db_edit.h"


namespace trevo::masterdata {

StammdatenEinstellungen TTerminartenform::einstellungenTerminarten()
{
    StammdatenEinstellungen s;
    s.caption = QStringLiteral("Terminarten");
    s.fensterCode = common::Fenster::Terminarten;
    s.dataSourceName = "TermintypDataSource1";
    s.dataSetName = "Termintyptable1";
    s.notOpenMessage = QStringLiteral("Die Tabelle mit Terminarten ist nicht geoeffnet");
    s.nameField = "BESCHREIBU";
    s.sortOptions = {{QStringLiteral("Nummer"), "NUMMER"}, {QStringLiteral("Beschreibung"), "BESCHREIBU"}};
    s.gridColumns = {"NUMMER", "BESCHREIBU"};
    s.gridEditable = true;
    s.entryPanelHeight = 130;
    s.printOption = "Termintyplistfilename";
    s.printDefault = "TERMART.QR2";
    return s;
}

TTerminartenform::TTerminartenform(shell::ShellServices& shell, Datenzugang& zugang, Suchdialoge& dialoge,
                                   QWidget* parent)
    : TStammdatenForm(shell, zugang, dialoge, einstellungenTerminarten(), parent)
{
    setObjectName(QStringLiteral("Terminartenform"));
    DBEdit1 = nummernanzeige("NUMMER", "DBEdit1");
    DBEdit1->setFixedWidth(80);
    NameDBEdit2 = eingabefeld("BESCHREIBU", "NameDBEdit2");
    NameDBEdit2->setFixedWidth(300);

    feldzeilen({{QStringLiteral("lfd. Nummer"), DBEdit1}, {QStringLiteral("Beschreibung"), NameDBEdit2}});
    FormCreate();
}

QWidget* TTerminartenform::ersteEingabe() const { return NameDBEdit2; }

} // namespace trevo::masterdata
