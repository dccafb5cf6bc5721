#include "evenings/terminplan/terminplan_form.h"

#include "common/fenster/window_codes.h"
#include "dbcontrols/db_edit.h"
#include "dbcontrols/db_grid.h"
#include "dbcontrols/db_lookup_combo.h"
#include "engine/dataset/table_data_set.h"
#include "dbcontrols/jahreskorrektur.h"
#include "shell/shell_services.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

namespace trevo::evenings {

StammdatenEinstellungen TTerminplanform::einstellungenTerminplan()
{
    StammdatenEinstellungen s;
    s.caption = QStringLiteral("Terminplan");
    s.fensterCode = common::Fenster::Terminplan;
    s.dataSourceName = "TerminplanDataSource1";
    s.dataSetName = "TerminplanTable1";
    s.notOpenMessage = QStringLiteral("Die Terminplan-Tabelle ist nicht geoeffnet");
    s.nameField = "TERMIN";
    s.sortOptions = {{QStringLiteral("Nummer"), "NUMMER"}};
    s.gridColumns = {"NUMMER", "TERMIN", "ZEIT", "BESCHREIBU"};
    s.entryPanelHeight = 211;
    s.rangeHint.clear();
    s.printOption = "Terminplanlistfilename";
    s.printDefault = "TERMPLAN.QR2";
    return s;
}

TTerminplanform::TTerminplanform(shell::ShellServices& shell, Datenzugang& zugang, Suchdialoge& dialoge,
                                 QWidget* parent)
    : TStammdatenForm(shell, zugang, dialoge, einstellungenTerminplan(), parent)
{
    setObjectName(QStringLiteral("Terminplanform"));
    felderBauen();
    menueUndLeisteAnpassen();
    spaltenbreitenSetzen();
    FormCreate();
}

// The date whole ("dd.mm.yyyy"), the time with some room, the description as wide as
// 50 characters mostly need and taking what the window has left.
void TTerminplanform::spaltenbreitenSetzen()
{
    const QFontMetrics fm = DBGrid1->fontMetrics();
    DBGrid1->setColumns({{"NUMMER", {}, -1, {}, true},
                         {"TERMIN", {}, fm.horizontalAdvance(QStringLiteral("00.00.0000")) + 20},
                         {"ZEIT", {}, fm.horizontalAdvance(QStringLiteral("00:00")) + 24},
                         {"BESCHREIBU", {}, fm.horizontalAdvance(QString(50, QLatin1Char('n'))) + 12}});
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
}

void TTerminplanform::felderBauen()
{
    DBEdit1 = nummernanzeige("NUMMER", "DBEdit1");
    DBEdit1->setFixedWidth(80);
    Datumedit = eingabefeld("TERMIN", "Datumedit");
    Datumedit->setFixedWidth(100);
    controls::Jahreskorrektur::anbringen(Datumedit);
    Zeitedit = eingabefeld("ZEIT", "Zeitedit");
    Zeitedit->setFixedWidth(60);
    Beschreibungedit = auswahlfeld("BESCHREIBU", "Beschreibungedit", "TermintypDataSource2", "BESCHREIBU",
                                   {"BESCHREIBU"}, {QStringLiteral("Beschreibung")});
    Beschreibungedit->setFixedWidth(300);
    Beschreibungedit->listView()->setMinimumWidth(250);
    DBMemo1 = memofeld("BEMERKUNGE", "DBMemo1");
    DBMemo1->setFixedSize(450, 50);

    // The date with the calendar button beside it.
    auto* datumZeile = new QWidget(eingabeflaeche());
    auto* box = new QHBoxLayout(datumZeile);
    box->setContentsMargins(0, 0, 0, 0);
    Datumedit->setParent(datumZeile);
    box->addWidget(Datumedit);
    KalenderBtn1 = new QToolButton(datumZeile);
    KalenderBtn1->setObjectName(QStringLiteral("KalenderBtn1"));
    KalenderBtn1->setToolTip(QStringLiteral("Auswahlliste"));
    KalenderBtn1->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    KalenderBtn1->setFocusPolicy(Qt::NoFocus);
    box->addWidget(KalenderBtn1);
    box->addStretch(1);
    connect(KalenderBtn1, &QToolButton::clicked, this, &TTerminplanform::KalenderBtn1Click);

    feldzeilen({{QStringLiteral("lfd. Nummer"), DBEdit1},
                {QStringLiteral("Datum"), datumZeile, Datumedit},
                {QStringLiteral("Zeit"), Zeitedit},
                {QStringLiteral("Beschreibung"), Beschreibungedit},
                {QStringLiteral("Bemerkungen"), DBMemo1}});
}

void TTerminplanform::menueUndLeisteAnpassen()
{
    // "S&uchen" is a menu here: the period and the pattern's search by any field.
    disconnect(Suchen1, &QMenu::aboutToShow, this, nullptr);
    Zeitraum1 = Suchen1->addAction(QStringLiteral("&Zeitraum"));
    Zeitraum1->setObjectName(QStringLiteral("Zeitraum1"));
    connect(Zeitraum1, &QAction::triggered, this, &TTerminplanform::Zeitraum1Click);
    BeliebigesFeld1 = Suchen1->addAction(QStringLiteral("Beliebiges Feld"));
    BeliebigesFeld1->setObjectName(QStringLiteral("BeliebigesFeld1"));
    connect(BeliebigesFeld1, &QAction::triggered, this, &TTerminplanform::Suchen1Click);

    // The range goes through this window, which shows the button to remove it.
    disconnect(Bereich1, &QAction::triggered, this, nullptr);
    connect(Bereich1, &QAction::triggered, this, &TTerminplanform::BereichToolButtonClick);
    disconnect(BereichToolButton, &QToolButton::clicked, this, nullptr);
    connect(BereichToolButton, &QToolButton::clicked, this, &TTerminplanform::BereichToolButtonClick);

    BereichzurueckToolButton = new QToolButton(ToolBar3);
    BereichzurueckToolButton->setObjectName(QStringLiteral("BereichzurueckToolButton"));
    BereichzurueckToolButton->setIcon(style()->standardIcon(QStyle::SP_DialogResetButton));
    BereichzurueckToolButton->setToolTip(QStringLiteral("Bereich aufheben"));
    BereichzurueckToolButton->setAutoRaise(true);
    BereichzurueckToolButton->setFocusPolicy(Qt::NoFocus);
    QAction* vor = nullptr; // the action of the button after the range button
    const QList<QAction*> aktionen = ToolBar3->actions();
    for (qsizetype i = 0; i + 1 < aktionen.size(); ++i)
        if (ToolBar3->widgetForAction(aktionen[i]) == BereichToolButton) vor = aktionen[i + 1];
    bereichzurueckAktion_ = ToolBar3->insertWidget(vor, BereichzurueckToolButton);
    bereichzurueckAktion_->setVisible(false);
    connect(BereichzurueckToolButton, &QToolButton::clicked, this, &TTerminplanform::BereichzurueckToolButtonClick);
}

QWidget* TTerminplanform::ersteEingabe() const { return Datumedit; }

void TTerminplanform::nachModuswechsel(bool on) { KalenderBtn1->setVisible(on); }

void TTerminplanform::Lotsenbefehl(shell::Lotsencode code)
{
    if (code == shell::Lotsencode::Bereich)
        BereichToolButtonClick();
    else
        TStammdatenForm::Lotsenbefehl(code);
}

void TTerminplanform::bereichzurueckZeigen(bool on) { bereichzurueckAktion_->setVisible(on); }

void TTerminplanform::KalenderBtn1Click()
{
    befehl([this] {
        engine::TableDataSet* t = tabelle();
        if (!t || !t->active()) return;
        const QString datum = shell().DatumWaehlen();
        if (datum.isEmpty()) return;
        t->edit(); // while entering the record is pending already
        t->setText("TERMIN", datum.toStdString());
        Datumedit->setFocus();
    });
}

} // namespace trevo::evenings
