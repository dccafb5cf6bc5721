// The other-items window's settings and layout: the price-list panel on top, the items'
// grid and entry panel of the pattern below, and the menus of price lists and details.
#include "masterdata/sonstige_form.h"

#include "common/fenster/window_codes.h"
#include "data/module/datenquelle.h"
#include "dbcontrols/db_check_box.h"
#include "dbcontrols/db_edit.h"
#include "dbcontrols/db_grid.h"
#include "dbcontrols/db_lookup_combo.h"
#include "dbcontrols/db_navigator.h"
#include "engine/dataset/table_data_set.h"
#include "dbcontrols/jahreskorrektur.h"
#include "masterdata/feldpruefungen.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace trevo::masterdata {

StammdatenEinstellungen TSonstigeform::einstellungenSonstige()
{
    StammdatenEinstellungen s;
    s.caption = QStringLiteral("Sonstige Beträge");
    s.fensterCode = common::Fenster::Sonstige;
    s.dataSourceName = "SonstigeDataSource1";
    s.dataSetName = "Sonstigetable1";
    s.notOpenMessage = QStringLiteral("Die Tabelle mit sonstigen Beträgen ist nicht geoeffnet");
    s.nameField = "BEZEICHNUN";
    s.sortOptions = {{QStringLiteral("Nummer"), "NUMMER"}, {QStringLiteral("Preisliste"), "PREISLISTE"}};
    s.gridColumns = {"NUMMER", "BEZEICHNUN", "EINZELPREI", "MITTELWERT", "GUELTIG"};
    s.entryPanelHeight = 186;
    s.insertButtonText = QStringLiteral("Detail einfügen ");
    s.searchNext = true;
    s.referenceField = "TYP"; // item counts of the evenings
    s.referenceFile = "SONSTKEG.DBF";
    s.printOption = "SonstigeListfilename";
    s.printDefault = "SONSTIGE.QR2";
    s.printFile = "SONSTYP0.DBF";
    s.gridEditable = true;
    s.deleteQuestion = QStringLiteral("Detail löschen ?");
    return s;
}

TSonstigeform::TSonstigeform(shell::ShellServices& shell, Datenzugang& zugang, Suchdialoge& dialoge,
                             QWidget* parent)
    : TStammdatenForm(shell, zugang, dialoge, einstellungenSonstige(), parent)
{
    setObjectName(QStringLiteral("Sonstigeform"));
    preislistenpanelBauen();
    detailfelderBauen();
    menuesAnpassen();
    tabulatorfolge();
    ToolButton10->setToolTip(QStringLiteral("Neues Detail"));
    // The navigator moves through the price lists; the items follow.
    DBNavigator2->setSource(datenquelleNamens("SonstigeMainDataSource1"));
    formateSetzen();
    auto nachWechsel = [this](engine::DataSet*) { formateSetzen(); };
    if (data::Datenquelle* q = datenquelleNamens("SonstigeMainDataSource1")) listenquelle_ = q->beobachten(nachWechsel);
    if (data::Datenquelle* q = datenquelleNamens("SonstigeDataSource1")) detailquelle_ = q->beobachten(nachWechsel);
    FormCreate();
}

engine::TableDataSet* TSonstigeform::preislisten() const
{
    data::Datenquelle* q = datenquelleNamens("SonstigeMainDataSource1");
    return q ? dynamic_cast<engine::TableDataSet*>(q->datenmenge()) : nullptr;
}

void TSonstigeform::formateSetzen()
{
    // Amounts of lists and items show two places (the data sets are made anew with the tables).
    if (engine::TableDataSet* t = tabelle()) t->setDisplayFormat("EINZELPREI", "0.00");
    if (engine::TableDataSet* l = preislisten()) l->setDisplayFormat("BEITRAG", "0.00");
}

namespace {

QLabel* fett(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

} // namespace

void TSonstigeform::preislistenpanelBauen()
{
    EingabemainPanel1 = new QWidget(GitterPanel);
    EingabemainPanel1->setObjectName(QStringLiteral("EingabemainPanel1"));
    EingabemainPanel1->setFixedHeight(163);
    auto* spalte = new QVBoxLayout(EingabemainPanel1);
    spalte->setContentsMargins(4, 2, 4, 2);
    spalte->setSpacing(3);

    data::Datenquelle* listen = datenquelleNamens("SonstigeMainDataSource1");
    DBGrid2 = new controls::DBGrid(EingabemainPanel1);
    DBGrid2->setObjectName(QStringLiteral("DBGrid2"));
    DBGrid2->setSource(listen);
    DBGrid2->setColumns({{"NUMMER", {}, -1, {}, true}, {"DATUM", {}, 90}, {"WAEHRUNG"}, {"WaehrungStr"}});
    DBGrid2->setReadOnly(false);
    DBGrid2->setInsertAction([this] { preislisteImGitterAnfuegen(); });
    DBGrid2->setDeleteCheck([this] { return preislistePruefen(); });
    DBGrid2->setDeleteAction([this] { preislisteEntfernen(); });
    spalte->addWidget(DBGrid2, 1);

    auto* zeile = new QWidget(EingabemainPanel1);
    preislistenzeileBauen(zeile);
    spalte->addWidget(zeile);
    auto* details = fett(QStringLiteral("Details:"), EingabemainPanel1);
    details->setObjectName(QStringLiteral("DetailsLabel"));
    spalte->addWidget(details);

    // Between the toolbars and the items' grid.
    static_cast<QVBoxLayout*>(GitterPanel->layout())->insertWidget(1, EingabemainPanel1);
}

void TSonstigeform::preislistenzeileBauen(QWidget* zeile)
{
    data::Datenquelle* listen = datenquelleNamens("SonstigeMainDataSource1");
    auto* reihe = new QHBoxLayout(zeile);
    reihe->setContentsMargins(0, 0, 0, 0);
    reihe->setSpacing(6);
    auto feld = [&](const std::string& field, const char* name, int breite, bool anzeige) {
        auto* e = new controls::DBEdit(zeile);
        e->setObjectName(QString::fromLatin1(name));
        e->setSource(listen);
        e->setDataField(field);
        e->setFixedWidth(breite);
        if (anzeige) e->setDisplayOnly(true);
        steuerelementAufnehmen(e, !anzeige, anzeige);
        return e;
    };
    auto titel = [&](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, zeile);
        if (buddy) l->setBuddy(buddy);
        reihe->addWidget(l);
        return l;
    };

    auto* ueberschrift = fett(QStringLiteral("Preisliste"), zeile);
    reihe->addWidget(ueberschrift);
    reihe->addSpacing(12);
    DBEdit1 = feld("NUMMER", "DBEdit1", 60, true);
    titel(QStringLiteral("Nummer"), nullptr);
    reihe->addWidget(DBEdit1);
    Datumedit = feld("DATUM", "Datumedit", 90, false);
    controls::Jahreskorrektur::anbringen(Datumedit);
    titel(QStringLiteral("&Datum"), Datumedit);
    reihe->addWidget(Datumedit);

    Waehrungsedit = new controls::DBLookupComboBox(zeile);
    Waehrungsedit->setObjectName(QStringLiteral("Waehrungsedit"));
    Waehrungsedit->setSource(listen);
    Waehrungsedit->setDataField("WAEHRUNG");
    Waehrungsedit->setListSource(datenquelleNamens("WaehrungsDataSource1"));
    Waehrungsedit->setListFields("NUMMER", {"NUMMER", "NAME"}, {QStringLiteral("Nummer"), QStringLiteral("Name")});
    Waehrungsedit->setMaxVisibleItems(15);
    Waehrungsedit->setFixedWidth(250);
    steuerelementAufnehmen(Waehrungsedit, true);
    titel(QStringLiteral("&Währung Nr."), Waehrungsedit);
    reihe->addWidget(Waehrungsedit);
    WaehrungStrEdit = feld("WaehrungStr", "WaehrungStrEdit", 50, true);
    reihe->addWidget(WaehrungStrEdit);
    // The sign follows the chosen currency at once (it is looked up from WAEHRUNG).
    connect(Waehrungsedit, &QComboBox::currentIndexChanged, this,
            [this] { WaehrungStrEdit->setDataField("WaehrungStr"); });

    Beitragedit = feld("BEITRAG", "Beitragedit", 80, false);
    titel(QStringLiteral("&Beitrag"), Beitragedit);
    reihe->addWidget(Beitragedit);
    reihe->addStretch(1);
}

void TSonstigeform::detailfelderBauen()
{
    DBGrid1->setColumns({{"NUMMER", {}, -1, {}, true},
                         {"BEZEICHNUN"},
                         {"EINZELPREI", QStringLiteral("Preis"), -1, "0.00"},
                         {"MITTELWERT"},
                         {"GUELTIG"}});
    EditNummer = nummernanzeige("NUMMER", "EditNummer");
    EditNummer->setFixedWidth(80);
    NameDBEdit = eingabefeld("BEZEICHNUN", "NameDBEdit");
    NameDBEdit->setFixedWidth(300);
    PreisEdit = eingabefeld("EINZELPREI", "PreisEdit");
    PreisEdit->setFixedWidth(100);
    Gueltigedit = eingabefeld("GUELTIG", "Gueltigedit");
    Gueltigedit->setFixedWidth(40);
    Zahlenauswahl::anbringen(Gueltigedit, {1, 2}, QStringLiteral("Ungültiger Wert in \"Wer zahlt\""));
    Mittelwertedit = kontrollkaestchen("MITTELWERT", QStringLiteral("Mittelwert bilden"), "Mittelwertedit");

    // "Wer zahlt" with the meaning of its two values beside it.
    auto* werZahlt = new QWidget(eingabeflaeche());
    auto* reihe = new QHBoxLayout(werZahlt);
    reihe->setContentsMargins(0, 0, 0, 0);
    Gueltigedit->setParent(werZahlt);
    reihe->addWidget(Gueltigedit);
    auto* erklaerung = new QLabel(QStringLiteral("1: Der Kegler   2: Alle anderen Teilnehmer"), werZahlt);
    erklaerung->setObjectName(QStringLiteral("WerZahltLabel"));
    reihe->addWidget(erklaerung);

    feldzeilen({{QStringLiteral("Nummer"), EditNummer},
                {QStringLiteral("Bezeichnung"), NameDBEdit},
                {QStringLiteral("Preis"), PreisEdit},
                {QStringLiteral("Wer zahlt"), werZahlt, Gueltigedit},
                {QString(), Mittelwertedit}});
}

void TSonstigeform::menuesAnpassen()
{
    auto aktion = [this](const char* name, const QString& text, void (TSonstigeform::*handler)()) {
        auto* a = new QAction(text, this);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        return a;
    };
    // Browse menu: the price list before the detail; copying is offered only while entering.
    NeueingabePreisliste1 = aktion("NeueingabePreisliste1", QStringLiteral("Neueingabe &Preisliste"),
                                   &TSonstigeform::NeueingabePreisliste1Click);
    Eingabe1->insertAction(Neueingabe1, NeueingabePreisliste1);
    Neueingabe1->setText(QStringLiteral("&Neueingabe Detail"));
    Eingabe1->removeAction(Kopierenundndern1);
    Eingabe1->addAction(Kopierenundndern1);
    Kopierenundndern1->setVisible(false);
    Preislistel1 = aktion("Preislistel1", QStringLiteral("&Preisliste löschen"), &TSonstigeform::Preislistel1Click);
    Bearbeiten1->insertAction(Lschen2, Preislistel1);
    Lschen2->setText(QStringLiteral("Detail &löschen"));

    // Entry menu.
    NeuePreisliste1 = aktion("NeuePreisliste1", QStringLiteral("Neue &Preisliste"), &TSonstigeform::NeuePreisliste1Click);
    Preislistendern1 = aktion("Preislistendern1", QStringLiteral("P&reisliste ändern"), &TSonstigeform::Aendern1Click);
    Eingabe2->insertAction(Neueingabe2, NeuePreisliste1);
    Eingabe2->insertAction(Neueingabe2, Preislistendern1);
    Eingabe2->insertSeparator(Neueingabe2);
    Neueingabe2->setText(QStringLiteral("&Neues Detail"));
    Kopierenundndern2->setText(QStringLiteral("&Detail Kopieren und ändern"));
}

void TSonstigeform::tabulatorfolge()
{
    // From the list's fields down to the item's fields and the entry buttons.
    const QList<QWidget*> folge = {Datumedit,      Waehrungsedit,         Beitragedit,
                                   NameDBEdit,     PreisEdit,             Gueltigedit,
                                   Mittelwertedit, EingabebeendenBitBtn1, DatensatzeinfuegenBitBtn1,
                                   EingabeAbbruchBitBtn1};
    for (int i = 1; i < folge.size(); ++i) setTabOrder(folge[i - 1], folge[i]);
}

QWidget* TSonstigeform::ersteEingabe() const { return NameDBEdit; }

void TSonstigeform::nachModuswechsel(bool on)
{
    // A change starts in the list's date, every other entry in the item's name.
    if (on && tag() == shell::Eingabemodus::Aendern) Datumedit->setFocus();
}

} // namespace trevo::masterdata
