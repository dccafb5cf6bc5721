// The evaluation window's layout: toolbar, the two panels, the header pages and the grid.
#include "evaluation/auswerte_form.h"

#include "common/fenster/window_codes.h"
#include "dbcontrols/command_guard.h"
#include "dbcontrols/db_grid.h"
#include "dbcontrols/db_navigator.h"
#include "shell/stammdaten/datenzugang.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace trevo::evaluation {

TAuswerteForm2::TAuswerteForm2(shell::ShellServices& shell, shell::stammdaten::Datenzugang& zugang,
                               Optionenquelle optionen, QWidget* parent)
    : ChildWindow(shell, parent), zugang_(zugang), optionen_(std::move(optionen))
{
    setObjectName(QStringLiteral("AuswerteForm2"));
    setWindowTitle(common::windowCaption(common::Fenster::Auswerten));
    setFocusPolicy(Qt::StrongFocus);
    aufbauen();
}

TAuswerteForm2::~TAuswerteForm2() = default;

void TAuswerteForm2::aufbauen()
{
    auto* haupt = new QVBoxLayout(this);
    haupt->setContentsMargins(0, 0, 0, 0);
    ToolBar1 = new QWidget(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    auto* leiste = new QHBoxLayout(ToolBar1);
    leiste->setContentsMargins(2, 1, 2, 1);
    DBNavigator1 = new controls::DBNavigator(ToolBar1);
    DruckenBtn = new QPushButton(QStringLiteral("&Drucken"), ToolBar1);
    SchliessenBtn = new QPushButton(QStringLiteral("&Schließen"), ToolBar1);
    leiste->addWidget(DBNavigator1);
    leiste->addWidget(DruckenBtn);
    leiste->addWidget(SchliessenBtn);
    leiste->addStretch();
    haupt->addWidget(ToolBar1);

    Panels = new QStackedWidget(this);
    WartePanel = new QLabel(QStringLiteral("Bitte warten ..."), Panels);
    WartePanel->setObjectName(QStringLiteral("WartePanel"));
    static_cast<QLabel*>(WartePanel)->setAlignment(Qt::AlignCenter);
    QFont gross = WartePanel->font();
    gross.setPointSize(gross.pointSize() + 6);
    gross.setBold(true);
    WartePanel->setFont(gross);
    ErgebnisPanel = new QWidget(Panels);
    ErgebnisPanel->setObjectName(QStringLiteral("ErgebnisPanel"));
    Panels->addWidget(WartePanel);
    Panels->addWidget(ErgebnisPanel);
    Panels->setCurrentWidget(ErgebnisPanel);
    haupt->addWidget(Panels, 1);

    auto* ergebnis = new QVBoxLayout(ErgebnisPanel);
    ergebnis->setContentsMargins(0, 0, 0, 0);
    Kopf = new QStackedWidget(ErgebnisPanel);
    Kopf->addWidget(new QWidget(Kopf));
    auto* terminInhalt = new QWidget;
    auto* zeile = new QHBoxLayout(terminInhalt);
    zeile->addWidget(new QLabel(QStringLiteral("Gesamtbetrag:"), terminInhalt));
    GesamtbetragLabel = new QLabel(terminInhalt);
    GesamtbetragLabel->setObjectName(QStringLiteral("GesamtbetragLabel"));
    zeile->addWidget(GesamtbetragLabel);
    zeile->addSpacing(24);
    VerrechnenBtn = new QPushButton(QStringLiteral("Mit Kegelkasse verrechnen"), terminInhalt);
    zeile->addWidget(VerrechnenBtn);
    zeile->addStretch();
    Kopf->addWidget(kopfseite(QStringLiteral("Auswertung Termin"), terminInhalt));
    ZeitraumtitelLabel1 = new QLabel;
    ZeitraumtitelLabel1->setObjectName(QStringLiteral("ZeitraumtitelLabel1"));
    Kopf->addWidget(kopfseite(QStringLiteral("Auswertung Zeitraum"), ZeitraumtitelLabel1));
    RangfolgeTitelLabel = new QLabel;
    RangfolgeTitelLabel->setObjectName(QStringLiteral("RangfolgeTitelLabel"));
    Kopf->addWidget(kopfseite(QStringLiteral("Auswertung Rangfolge"), RangfolgeTitelLabel));
    Kopf->setCurrentIndex(Start);
    Kopf->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    ergebnis->addWidget(Kopf);

    DBGrid1 = new controls::DBGrid(ErgebnisPanel);
    DBGrid1->setReadOnly(true);
    DBGrid1->setSource(zugang_.datenquelle("AuswertungsDataSource1"));
    DBGrid1->setColumns({{"NAME", QStringLiteral("Name")},
                         {"NUMMER", QStringLiteral("Mitgliedsnummer")},
                         {"SPIELE", QStringLiteral("Spiele"), -1, "0.00"},
                         {"SONSTIGES", QStringLiteral("Sonstiges"), -1, "0.00"},
                         {"BEITRAG", QStringLiteral("Beitrag"), -1, "0.00"},
                         {"SUMME", QStringLiteral("Summe"), -1, "0.00"}});
    ergebnis->addWidget(DBGrid1, 1);
    DBNavigator1->setSource(zugang_.datenquelle("AuswertungsDataSource1"));

    VerrechnenBtn->setEnabled(false);
    DruckenBtn->setEnabled(zugang_.druckdienst() != nullptr);
    connect(DruckenBtn, &QPushButton::clicked, this, controls::guarded([this] { DruckenBtnClick(); }));
    connect(SchliessenBtn, &QPushButton::clicked, this, controls::guarded([this] { SchliessenBtnClick(); }));
    connect(VerrechnenBtn, &QPushButton::clicked, this, controls::guarded([this] { VerrechnenBtnClick(); }));
}

QWidget* TAuswerteForm2::kopfseite(const QString& titel, QWidget* inhalt)
{
    auto* seite = new QWidget;
    auto* l = new QVBoxLayout(seite);
    auto* ueberschrift = new QLabel(titel, seite);
    QFont f = ueberschrift->font();
    f.setBold(true);
    ueberschrift->setFont(f);
    l->addWidget(ueberschrift);
    inhalt->setParent(seite);
    l->addWidget(inhalt);
    return seite;
}

int TAuswerteForm2::seite() const { return Kopf->currentIndex(); }
bool TAuswerteForm2::wartet() const { return Panels->currentWidget() == WartePanel; }

void TAuswerteForm2::beginnen(Seite seite, bool rangfolge)
{
    for (int c = 0; c < 6; ++c) DBGrid1->setColumnHidden(c, rangfolge && c >= 2 && c <= 4);
    Panels->setCurrentWidget(WartePanel);
    ToolBar1->hide();
    Kopf->setCurrentIndex(seite);
}

void TAuswerteForm2::ergebnisZeigen()
{
    Panels->setCurrentWidget(ErgebnisPanel);
    ToolBar1->show();
    DBGrid1->setFocus();
}

void TAuswerteForm2::FormActivate()
{
    if (QWidget* frame = parentWidget(); frame && !frame->isMaximized()) frame->showMaximized();
    if (Panels->currentWidget() == ErgebnisPanel) DBGrid1->setFocus();
    else setFocus();
}

} // namespace trevo::evaluation
