#include "masterdata/mitglieder_form.h"

#include "common/fenster/window_codes.h"
#include "dbcontrols/deferred_error.h"
#include "dbcontrols/db_check_box.h"
#include "dbcontrols/db_edit.h"
#include "dbcontrols/db_grid.h"
#include "dbcontrols/db_lookup_combo.h"
#include "engine/dataset/table_data_set.h"
#include "dbcontrols/command_guard.h"
#include "masterdata/import/importieren.h"
#include "shell/stammdaten/datenzugang.h"
#include "shell/stammdaten/dialog_hilfen.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace trevo::masterdata {

StammdatenEinstellungen TMitgliederform::einstellungenMitglieder()
{
    StammdatenEinstellungen s;
    s.caption = QStringLiteral("Mitglieder/Gastkegler");
    s.fensterCode = common::Fenster::Mitglieder;
    s.dataSourceName = "KeglerDataSource1";
    s.dataSetName = "KeglerTable1";
    s.notOpenMessage = QStringLiteral("Die Mitglieder-Tabelle ist nicht geoeffnet");
    s.nameField = "NAME";
    s.quickSearchLabel = QStringLiteral(" Name suchen  ");
    s.sortOptions = {{QStringLiteral("Mitgliedsnummer"), "MITGLIEDNR"},
                     {QStringLiteral("Name"), "NAME"},
                     {QStringLiteral("Nummer"), "NUMMER"}};
    s.gridColumns = {"MITGLIEDNR", "NAME", "VORNAME", "ALIAS", "FUNKTION", "STRASSE",
                     "PLZ",        "ORT",  "TEL1",    "TEL2",  "EMAIL"};
    s.entryPanelHeight = 318;
    s.insertButtonText = QStringLiteral("Datensatz einfügen ");
    s.searchNext = true;
    s.rangeHint.clear();
    s.referenceField = "KEGLER";
    s.referenceFile = "KEGLTERM.DBF";
    s.printOption = "Mitgliederlistfilename";
    s.printDefault = "MITGLIEDERLIST.QR2";
    s.lookupToRefresh = "KeglernamenlookupTable1";
    s.browseOnActivate = true;
    s.incompleteCheckOnNew = true;
    s.importItem = true;
    return s;
}

TMitgliederform::TMitgliederform(shell::ShellServices& shell, Datenzugang& zugang, Suchdialoge& dialoge,
                                 QWidget* parent)
    : TStammdatenForm(shell, zugang, dialoge, einstellungenMitglieder(), parent)
{
    setObjectName(QStringLiteral("Mitgliederform"));
    felderBauen();
    QFont gridFont(QStringLiteral("Arial"));
    gridFont.setPointSize(8);
    DBGrid1->setFont(gridFont);
    FormCreate();
    if (Importieren1) {
        Importieren1->setEnabled(true);
        connect(Importieren1, &QAction::triggered, this, controls::guarded([this] {
            // The grid shows the imported bowlers at once.
            if (Importieren(this->zugang()) > 0 && tabelle()) tabelle()->refresh();
        }));
    }
}

// The rows of the entry panel: a title on the left, the fields of the row beside it.
class TMitgliederform::Raster {
public:
    explicit Raster(QWidget* flaeche) : flaeche_(flaeche), gitter_(new QGridLayout(flaeche))
    {
        gitter_->setContentsMargins(0, 0, 0, 0);
        gitter_->setHorizontalSpacing(6);
        gitter_->setVerticalSpacing(5);
    }
    QWidget* flaeche() const { return flaeche_; }
    QLabel* titel(const QString& text, int row, QWidget* buddy = nullptr)
    {
        auto* l = new QLabel(text, flaeche_);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (buddy) l->setBuddy(buddy);
        gitter_->addWidget(l, row, 0);
        return l;
    }
    // A title inside the row, before its field.
    QLabel* beschriftung(const QString& text, QWidget* buddy = nullptr)
    {
        auto* l = new QLabel(text, flaeche_);
        if (buddy) l->setBuddy(buddy);
        return l;
    }
    void zeile(int row, std::initializer_list<QWidget*> widgets)
    {
        auto* box = new QHBoxLayout;
        box->setSpacing(6);
        for (QWidget* w : widgets) box->addWidget(w);
        box->addStretch();
        gitter_->addLayout(box, row, 1, 1, 3);
    }
    void ende(int row) { gitter_->setRowStretch(row, 1); }

private:
    QWidget* flaeche_;
    QGridLayout* gitter_;
};

void TMitgliederform::felderBauen()
{
    Raster raster(eingabeflaeche());
    mitgliedszeilenBauen(raster);
    adresszeilenBauen(raster);
    raster.ende(8);

    QWidget* order[] = {MitgliedCheckBox1, MitgliednummerDBEdit2, EintrittEdit, GeburtstagsEdit, Amtedit, DBEdit2,
                        VornameEdit,       DBEdit10,             DBEdit3,      DBEdit4,         DBEdit5, DBEdit6,
                        DBEdit7,           DBEdit8,              DBMemo1};
    for (size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
    setTabOrder(DBMemo1, EingabebeendenBitBtn1);
    setTabOrder(EingabebeendenBitBtn1, DatensatzeinfuegenBitBtn1);
    setTabOrder(DatensatzeinfuegenBitBtn1, EingabeAbbruchBitBtn1);

    connect(MitgliedCheckBox1, &QCheckBox::stateChanged, this, [this] { MitgliedsfelderZeigen(); });
    connect(Amtedit->lineEdit(), &QLineEdit::textChanged, this, &TMitgliederform::AmteditChange);
    MitgliedsfelderZeigen();
    AmteditChange(Amtedit->lineEdit()->text());
}

void TMitgliederform::mitgliedszeilenBauen(Raster& raster)
{
    DBEdit1 = nummernanzeige("NUMMER", "DBEdit1");
    DBEdit1->setFixedWidth(80);
    MitgliedCheckBox1 = kontrollkaestchen("MITGLIED", QStringLiteral("Mitglied"), "MitgliedCheckBox1");
    MitgliednummerDBEdit2 = eingabefeld("MITGLIEDNR", "MitgliednummerDBEdit2");
    MitgliednummerDBEdit2->setFixedWidth(90);
    EintrittEdit = eingabefeld("EINTRITT", "EintrittEdit");
    EintrittEdit->setFixedWidth(90);
    Mitgliednrlabel = raster.beschriftung(QStringLiteral("Mitgliedsnummer"));
    Mitgliednrlabel->setObjectName(QStringLiteral("Mitgliednrlabel"));
    EintrittLabel = raster.beschriftung(QStringLiteral("Mitglied seit"));
    EintrittLabel->setObjectName(QStringLiteral("EintrittLabel"));
    raster.titel(QStringLiteral("lfd. Nummer"), 0);
    raster.zeile(0, {DBEdit1, MitgliedCheckBox1, Mitgliednrlabel, MitgliednummerDBEdit2, EintrittLabel, EintrittEdit});

    GeburtstagsEdit = eingabefeld("GEBURTSTAG", "GeburtstagsEdit");
    GeburtstagsEdit->setFixedWidth(90);
    Amtedit = auswahlfeld("FUNKTION", "Amtedit", "FunktionsDataSource1", "NUMMER", {"NUMMER", "BEZEICHNUN"},
                          {QStringLiteral("lfd. Nummer"), QStringLiteral("Bezeichnung")});
    Amtedit->setFixedWidth(80);
    Funktionsnamedit2 = new QLineEdit(raster.flaeche());
    Funktionsnamedit2->setObjectName(QStringLiteral("Funktionsnamedit2"));
    Funktionsnamedit2->setReadOnly(true);
    Funktionsnamedit2->setFocusPolicy(Qt::NoFocus);
    Funktionsnamedit2->setFixedWidth(200);
    QPalette grey = Funktionsnamedit2->palette();
    grey.setColor(QPalette::Base, grey.color(QPalette::Button));
    Funktionsnamedit2->setPalette(grey);
    raster.titel(QStringLiteral("Geburtstag"), 1, GeburtstagsEdit);
    raster.zeile(1, {GeburtstagsEdit, raster.beschriftung(QStringLiteral("Amt"), Amtedit), Amtedit,
                    raster.beschriftung(QStringLiteral("Bezeichnung")), Funktionsnamedit2});

    DBEdit2 = eingabefeld("NAME", "DBEdit2");
    DBEdit2->setFixedWidth(220);
    VornameEdit = eingabefeld("VORNAME", "VornameEdit");
    VornameEdit->setFixedWidth(200);
    raster.titel(QStringLiteral("Name"), 2, DBEdit2);
    raster.zeile(2, {DBEdit2, raster.beschriftung(QStringLiteral("Vorname"), VornameEdit), VornameEdit});

    DBEdit10 = eingabefeld("ALIAS", "DBEdit10");
    DBEdit10->setFixedWidth(220);
    raster.titel(QStringLiteral("Alias"), 3, DBEdit10);
    raster.zeile(3, {DBEdit10});
}

void TMitgliederform::adresszeilenBauen(Raster& raster)
{
    DBEdit3 = eingabefeld("STRASSE", "DBEdit3");
    DBEdit3->setFixedWidth(300);
    raster.titel(QStringLiteral("Strasse,Hausnummer\noder Postfach"), 4, DBEdit3);
    raster.zeile(4, {DBEdit3});

    DBEdit4 = eingabefeld("PLZ", "DBEdit4");
    DBEdit4->setFixedWidth(55);
    DBEdit5 = eingabefeld("ORT", "DBEdit5");
    DBEdit5->setFixedWidth(239);
    raster.titel(QStringLiteral("Plz, Ort"), 5, DBEdit4);
    raster.zeile(5, {DBEdit4, DBEdit5});

    DBEdit6 = eingabefeld("TEL1", "DBEdit6");
    DBEdit6->setFixedWidth(150);
    DBEdit7 = eingabefeld("TEL2", "DBEdit7");
    DBEdit7->setFixedWidth(150);
    DBEdit8 = eingabefeld("EMAIL", "DBEdit8");
    DBEdit8->setFixedWidth(220);
    raster.titel(QStringLiteral("Telefon"), 6, DBEdit6);
    raster.zeile(6, {DBEdit6, raster.beschriftung(QStringLiteral("Fax"), DBEdit7), DBEdit7,
                    raster.beschriftung(QStringLiteral("EMail"), DBEdit8), DBEdit8});

    DBMemo1 = memofeld("BEMERKUNGE", "DBMemo1");
    DBMemo1->setFixedSize(640, 64);
    raster.titel(QStringLiteral("Bemerkungen"), 7, DBMemo1)->setAlignment(Qt::AlignRight | Qt::AlignTop);
    raster.zeile(7, {DBMemo1});
}

void TMitgliederform::MitgliedsfelderZeigen()
{
    // An empty MITGLIED shows the greyed box and hides the fields as for a guest; the
    // hidden values stay stored.
    const bool member = MitgliedCheckBox1->checkState() == Qt::Checked;
    for (QWidget* w : {static_cast<QWidget*>(Mitgliednrlabel), static_cast<QWidget*>(MitgliednummerDBEdit2),
                       static_cast<QWidget*>(EintrittLabel), static_cast<QWidget*>(EintrittEdit)})
        w->setVisible(member);
}

void TMitgliederform::AmteditChange(const QString& text)
{
    if (text.isEmpty()) {
        Funktionsnamedit2->clear();
        return;
    }
    QString name;
    // Runs while the data set tells its listeners (a new record shown): an error is shown afterwards.
    controls::catchAndReportLater([&] { name = qs(zugang().FunktionsName(ss(text))); });
    Funktionsnamedit2->setText(name);
}

QWidget* TMitgliederform::ersteEingabe() const
{
    if (MitgliednummerDBEdit2->isEnabled() && !MitgliednummerDBEdit2->isHidden()) return MitgliednummerDBEdit2;
    return GeburtstagsEdit;
}

void TMitgliederform::nachModuswechsel(bool)
{
    MitgliedCheckBox1->update();
    MitgliedsfelderZeigen();
}

void TMitgliederform::nachAnfuegen()
{
    // A new bowler starts as a club member.
    engine::TableDataSet* t = tabelle();
    if (t && t->editing() && t->value("MITGLIED").isNull()) t->setValue("MITGLIED", engine::Value::logical(true));
}

} // namespace trevo::masterdata
