#include "masterdata/waehrungen_form.h"

#include "common/dialogs/dialogs.h"
#include "common/fenster/window_codes.h"
#include "dbcontrols/db_edit.h"
#include "engine/dataset/table_data_set.h"

#include <QHBoxLayout>
#include <QLabel>

namespace trevo::masterdata {

StammdatenEinstellungen TWaehrungsform::einstellungenWaehrungen()
{
    StammdatenEinstellungen s;
    s.caption = QStringLiteral("Währungen");
    s.fensterCode = common::Fenster::Waehrungen;
    s.dataSourceName = "WaehrungsDataSource1";
    s.dataSetName = "Waehrungstable1";
    s.notOpenMessage = QStringLiteral("Die Tabelle mit Währungen ist nicht geöffnet");
    s.nameField = "NAME";
    s.sortOptions = {{QStringLiteral("Nummer"), "NUMMER"}};
    s.gridColumns = {"NUMMER", "NAME", "KUERZEL", "FAKTOR"};
    s.gridEditable = true;
    s.entryPanelHeight = 200;
    s.referenceField = "WAEHRUNG"; // a price list's currency
    s.referenceFile = "SONSTYP0.DBF";
    s.printOption = "WaehrungslisteFilename";
    s.printDefault = "WAEHRUNGSLISTE.QR2";
    return s;
}

TWaehrungsform::TWaehrungsform(shell::ShellServices& shell, Datenzugang& zugang, Suchdialoge& dialoge,
                               QWidget* parent)
    : TStammdatenForm(shell, zugang, dialoge, einstellungenWaehrungen(), parent)
{
    setObjectName(QStringLiteral("Waehrungsform"));
    felderBauen();
    FormCreate();
}

void TWaehrungsform::felderBauen()
{
    QWidget* flaeche = eingabeflaeche();
    DBEdit1 = nummernanzeige("NUMMER", "DBEdit1");
    DBEdit1->setFixedWidth(80);
    NameDBEdit2 = eingabefeld("NAME", "NameDBEdit2");
    NameDBEdit2->setFixedWidth(300);
    KuerzelDBEdit3 = eingabefeld("KUERZEL", "KuerzelDBEdit3");
    KuerzelDBEdit3->setFixedWidth(50);
    FaktorDBEdit4 = eingabefeld("FAKTOR", "FaktorDBEdit4");
    FaktorDBEdit4->setFixedWidth(100);
    DBMemo1 = memofeld("BEMERKUNGE", "DBMemo1");
    DBMemo1->setFixedSize(500, 56);
    auto* erklaerung = new QLabel(
        QStringLiteral("durch den ein Betrag geteilt werden muß, um 1 Euro zu erhalten, z.B. DM = 1,95583"), flaeche);
    erklaerung->setObjectName(QStringLiteral("ErklaerungLabel"));
    erklaerung->setWordWrap(true);
    // The explanation stands right beside the factor, within the width of the memo.
    auto* faktorZeile = new QWidget(flaeche);
    auto* faktorBox = new QHBoxLayout(faktorZeile);
    faktorBox->setContentsMargins(0, 0, 0, 0);
    FaktorDBEdit4->setParent(faktorZeile);
    faktorBox->addWidget(FaktorDBEdit4);
    faktorBox->addWidget(erklaerung, 1);
    faktorZeile->setFixedWidth(DBMemo1->width());

    feldzeilen({{QStringLiteral("lfd. Nummer"), DBEdit1},
                {QStringLiteral("Bezeichnung"), NameDBEdit2},
                {QStringLiteral("Kürzel"), KuerzelDBEdit3},
                {QStringLiteral("Umrechnungsfaktor"), faktorZeile, FaktorDBEdit4},
                {QStringLiteral("Beschreibung"), DBMemo1}});
}

QWidget* TWaehrungsform::ersteEingabe() const { return NameDBEdit2; }

void TWaehrungsform::Lotsenbefehl(shell::Lotsencode) {}

void TWaehrungsform::vorAendern()
{
    common::dialogs().show(common::BoxKind::Warning,
                           QStringLiteral("Achtung ! Änderungen an den Währungen können sich auf gespeicherte "
                                          "Termine und Konten auswirken"),
                           common::Buttons::Ok);
}

bool TWaehrungsform::loeschenErlaubt(engine::TableDataSet& t)
{
    if (t.value("NUMMER").toNumber() != 1) return true;
    common::dialogs().message(QStringLiteral("Datensatz 1 kann nicht gelöscht werden."));
    return false;
}

} // namespace trevo::masterdata
