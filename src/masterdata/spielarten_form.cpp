#include "masterdata/spielarten_form.h"

#include "common/fenster/window_codes.h"
#include "dbcontrols/db_edit.h"
#include "shell/druckdienst.h"
#include "shell/stammdaten/datenzugang.h"

namespace trevo::masterdata {

StammdatenEinstellungen TSpielartenform::einstellungenSpielarten()
{
    StammdatenEinstellungen s;
    s.caption = QStringLiteral("Spiele");
    s.fensterCode = common::Fenster::Spiele;
    s.dataSourceName = "SpielartenDataSource1";
    s.dataSetName = "Spielartentable1";
    s.notOpenMessage = QStringLiteral("Die Tabelle mit Spielen ist nicht geöffnet");
    s.nameField = "NAME";
    s.sortOptions = {{QStringLiteral("Nummer"), "NUMMER"}};
    s.gridColumns = {"NUMMER", "NAME"};
    s.entryPanelHeight = 170;
    s.gridEditable = true;
    s.printOption = "Spielelistfilename";
    s.printDefault = "SPIELELISTE.QR2";
    return s;
}

TSpielartenform::TSpielartenform(shell::ShellServices& shell, Datenzugang& zugang, Suchdialoge& dialoge,
                                 QWidget* parent)
    : TStammdatenForm(shell, zugang, dialoge, einstellungenSpielarten(), parent)
{
    setObjectName(QStringLiteral("Spielartenform"));
    DBEdit1 = nummernanzeige("NUMMER", "DBEdit1");
    DBEdit1->setFixedWidth(80);
    NameDBEdit2 = eingabefeld("NAME", "NameDBEdit2");
    NameDBEdit2->setFixedWidth(300);
    DBMemo1 = memofeld("BEMERKUNGE", "DBMemo1");
    DBMemo1->setFixedSize(500, 80);

    feldzeilen({{QStringLiteral("lfd. Nummer"), DBEdit1},
                {QStringLiteral("Bezeichnung"), NameDBEdit2},
                {QStringLiteral("Beschreibung"), DBMemo1}});
    FormCreate();
}

QWidget* TSpielartenform::ersteEingabe() const { return NameDBEdit2; }

void TSpielartenform::listeDrucken()
{
    if (shell::Druckdienst* druck = zugang().druckdienst()) druck->DruckeSpielliste();
}

} // namespace trevo::masterdata
