// The evening window's layout: the grid page with its four stacked grids, the detail page
// with header, participants, the two entry grids and the bottom buttons, and the menus.
#include "evenings/terminform.h"

#include "data/module/datenquelle.h"
#include "dbcontrols/command_guard.h"
#include "dbcontrols/db_edit.h"
#include "dbcontrols/db_grid.h"
#include "dbcontrols/db_lookup_combo.h"
#include "dbcontrols/db_navigator.h"
#include "dbcontrols/entry_keys.h"
#include "shell/shell_services.h"
#include "shell/stammdaten/datenzugang.h"
#include "shell/stammdaten/symbole.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace trevo::evenings {

using shell::stammdaten::Symbol;

namespace {

template <class T>
T* benannt(T* w, const char* name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QPushButton* knopf(QWidget* parent, const char* name, const QString& text)
{
    auto* b = benannt(new QPushButton(text, parent), name);
    b->setFocusPolicy(Qt::ClickFocus); // buttons are not in the Tab order
    return b;
}

QLabel* titel(QWidget* parent, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->setStyleSheet(QStringLiteral("QLabel { background: #000080; color: white; font-weight: bold; padding: 2px; }"));
    return l;
}

} // namespace

void TTerminform::gitterseiteBauen()
{
    Gitterpanel = benannt(new QWidget(this), "Gitterpanel");
    auto* seite = new QVBoxLayout(Gitterpanel);
    seite->setContentsMargins(0, 0, 0, 0);
    seite->setSpacing(2);

    auto* leiste = new QToolBar(Gitterpanel);
    leiste->setIconSize(QSize(20, 20));
    auto werkzeug = [this, leiste](const char* name, const QString& hint, Symbol s, std::function<void()> f) {
        auto* b = benannt(new QToolButton(leiste), name);
        b->setIcon(shell::stammdaten::symbol(s));
        b->setToolTip(hint);
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        leiste->addWidget(b);
        connect(b, &QToolButton::clicked, this, [f] { f(); });
        return b;
    };
    ToolButton10 = werkzeug("ToolButton10", QStringLiteral("Neuer Datensatz"), Symbol::Neu, [this] { Neueingabe1Click(); });
    ToolButton11 = werkzeug("ToolButton11", QStringLiteral("Daten ändern"), Symbol::Aendern, [this] { ndern1Click(); });
    leiste->addSeparator();
    ToolButton13 = werkzeug("ToolButton13", QStringLiteral("Sortierung"), Symbol::Sortieren, [this] { Sortierung1Click(); });
    BereichToolButton = werkzeug("BereichToolButton", QStringLiteral("Anzeigbereich einschränken (Filter ein)"),
                                 Symbol::Bereich, [this] { Bereich1Click(); });
    BereichzurueckToolButton = werkzeug("BereichzurueckToolButton", QStringLiteral("gesamte Tabelle anzeigen (Filter aus)"),
                                        Symbol::Zurueck, [this] { Bereichzuruecksetzen1Click(); });
    ToolButton14 = werkzeug("ToolButton14", QStringLiteral("Suchen"), Symbol::Suchen, [this] { Suchen1Click(); });
    ToolButton1 = werkzeug("ToolButton1", QStringLiteral("Weiter suchen"), Symbol::Weitersuchen, [this] { WeiterSuchenClick(); });
    leiste->addSeparator();
    ToolButton4 = werkzeug("ToolButton4", QStringLiteral("Lotse"), Symbol::Lotse, [this] { controls::runGuarded([this] { shell().LotseZeigen(); }); });
    BitBtn2 = benannt(new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("&Schließen"),
                                      leiste), "BitBtn2");
    BitBtn2->setFocusPolicy(Qt::NoFocus);
    leiste->addWidget(BitBtn2);
    leiste->addSeparator();
    leiste->addWidget(new QLabel(QStringLiteral(" Nummer suchen  "), leiste));
    SchnellsuchEdit1 = benannt(new QLineEdit(leiste), "SchnellsuchEdit1");
    SchnellsuchEdit1->setMaximumWidth(120);
    leiste->addWidget(SchnellsuchEdit1);
    seite->addWidget(leiste);

    const bool breit = !QGuiApplication::primaryScreen() || QGuiApplication::primaryScreen()->size().width() > 800;
    const int hoehe = breit ? 130 : 100;

    seite->addWidget(gitterBlock(titel(Gitterpanel, QStringLiteral("  Termine")), DBGrid1, "DBGrid1",
                                 "TerminDataSource1",
                                 {{"NUMMER", QStringLiteral("lfd.Nummer")}, {"DATUM", {}}, {"BEITRAG", {}}}));
    auto* teilnehmerKopf = new QWidget(Gitterpanel);
    auto* tk = new QHBoxLayout(teilnehmerKopf);
    tk->setContentsMargins(0, 0, 0, 0);
    TeilnehmerTitel = titel(teilnehmerKopf, QStringLiteral("  Teilnehmer am"));
    tk->addWidget(TeilnehmerTitel, 1);
    Abschnittedit2 = benannt(new QComboBox(teilnehmerKopf), "Abschnittedit2");
    Abschnittedit2->addItem(QStringLiteral("Alle"));
    for (int i = 1; i <= 10; ++i) Abschnittedit2->addItem(QString::number(i));
    Abschnittedit2->setEditable(true);
    Abschnittedit2->setCurrentIndex(-1);
    Abschnittedit2->setEditText(QStringLiteral("0"));
    tk->addWidget(Abschnittedit2);
    seite->addWidget(gitterBlock(teilnehmerKopf, DBGrid3, "DBGrid3", "KeglerterminDataSource2",
                                 {{"Name", {}}, {"Mitgliednr", QStringLiteral("Mitgliedsnr.")}}));
    SpieleTitel = titel(Gitterpanel, QStringLiteral("  Spiele von "));
    seite->addWidget(gitterBlock(SpieleTitel, DBGrid4, "DBGrid4", "SpieleproKeglerDataSource1",
                                 {{"SPIELNR", {}}, {"BETRAG", {}}}));
    SonstigeTitel = titel(Gitterpanel, QStringLiteral("  Sonstige von"));
    seite->addWidget(gitterBlock(SonstigeTitel, DBGrid2, "DBGrid2", "SonstigeKeglerDataSource1",
                                 {{"TYP", {}}, {"Bezeichnung", {}}, {"ANZAHL", {}}, {"Betrag", {}}}), 1);
    for (controls::DBGrid* g : {DBGrid1, DBGrid3, DBGrid4}) g->setFixedHeight(hoehe);
    DBGrid4->setReadOnly(false);
    DBGrid2->setReadOnly(false);
}

QWidget* TTerminform::gitterBlock(QWidget* kopf, controls::DBGrid*& grid, const char* name, const char* quelle,
                                  const std::vector<std::pair<std::string, QString>>& spalten)
{
    auto* block = new QWidget(Gitterpanel);
    auto* v = new QVBoxLayout(block);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    auto* zeile = new QHBoxLayout;
    zeile->addWidget(kopf, 1);
    auto* nav = new controls::DBNavigator(block);
    nav->setSource(daten_.zugang().datenquelle(quelle));
    zeile->addWidget(nav);
    v->addLayout(zeile);
    grid = benannt(new controls::DBGrid(block), name);
    grid->setSource(daten_.zugang().datenquelle(quelle));
    std::vector<controls::GridColumn> cols;
    for (const auto& [feld, t] : spalten) cols.emplace_back(feld, t, feld == "DATUM" ? 90 : -1); // dd.mm.yyyy whole
    grid->setColumns(std::move(cols));
    v->addWidget(grid, 1);
    return block;
}

void TTerminform::detailseiteBauen()
{
    Komplettpanel = benannt(new QWidget(this), "Komplettpanel");
    auto* seite = new QVBoxLayout(Komplettpanel);
    seite->setContentsMargins(4, 4, 4, 4);
    seite->addWidget(kopfBauen());
    seite->addWidget(teilnehmerBauen());
    auto* mitte = new QHBoxLayout;
    mitte->addWidget(spieleBauen(), 1);
    mitte->addWidget(sonstigeBauen(), 1);
    seite->addLayout(mitte, 1);
    auto* unten = new QHBoxLayout;
    OKBtn = knopf(Komplettpanel, "OKBtn", QStringLiteral("Beenden"));
    BitBtn1 = knopf(Komplettpanel, "BitBtn1", QStringLiteral("Neuer Termin"));
    CancelBtn = knopf(Komplettpanel, "CancelBtn", QStringLiteral("Abbruch"));
    HilfeBtn = knopf(Komplettpanel, "HilfeBtn", QStringLiteral("Hilfe"));
    unten->addStretch();
    for (QPushButton* b : {OKBtn, BitBtn1, CancelBtn, HilfeBtn}) unten->addWidget(b);
    seite->addLayout(unten);
    Komplettpanel->hide();
}

QWidget* TTerminform::kopfBauen()
{
    auto* kopf = new QWidget(Komplettpanel);
    auto* g = new QGridLayout(kopf);
    g->setContentsMargins(0, 0, 0, 0);
    auto* termin = daten_.zugang().datenquelle("TerminDataSource1");
    auto feld = [&](const char* name, const char* field) {
        auto* e = benannt(new controls::DBEdit(kopf), name);
        e->setSource(termin);
        e->setDataField(field);
        return e;
    };
    DBText1 = feld("DBText1", "NUMMER");
    DBText1->setDisplayOnly(true);
    DatumDBEdit = feld("DatumDBEdit", "DATUM");
    KalenderBtn1 = benannt(new QToolButton(kopf), "KalenderBtn1");
    KalenderBtn1->setText(QStringLiteral("..."));
    KalenderBtn1->setToolTip(QStringLiteral("Auswahlliste"));
    KalenderBtn1->setFocusPolicy(Qt::ClickFocus);
    DateButton1 = knopf(kopf, "DateButton1", heute_);
    BemerkungDBMemo1 = benannt(new controls::DBMemo(kopf), "BemerkungDBMemo1");
    BemerkungDBMemo1->setSource(termin);
    BemerkungDBMemo1->setDataField("BEMERKUNGE");
    BemerkungDBMemo1->setMaximumHeight(60);
    BeitragEdit1 = feld("BeitragEdit1", "BEITRAG");
    Preislistenedit = benannt(new controls::DBLookupComboBox(kopf), "Preislistenedit");
    Preislistenedit->setSource(termin);
    Preislistenedit->setDataField("PREISLISTE");
    Preislistenedit->setListSource(daten_.zugang().datenquelle("SonstigeMainDataSource1"));
    Preislistenedit->setListFields("NUMMER", {"NUMMER", "DATUM"}, {QStringLiteral("Nummer"), QStringLiteral("Datum")});
    Preislistenedit->setMaxVisibleItems(15);
    PreislistendatumEdit1 = benannt(new QLineEdit(kopf), "PreislistendatumEdit1");
    PreislistendatumEdit1->setReadOnly(true);
    PreislistendatumEdit1->setFocusPolicy(Qt::NoFocus);
    WaehrungEdit1 = feld("WaehrungEdit1", "WaehrungStr");
    WaehrungEdit1->setDisplayOnly(true);
    Abschnittedit = benannt(new QLineEdit(kopf), "Abschnittedit");
    Abschnittedit->setMaximumWidth(50);
    AbschnittAuf = benannt(new QToolButton(kopf), "AbschnittAuf");
    AbschnittAuf->setArrowType(Qt::UpArrow);
    AbschnittAb = benannt(new QToolButton(kopf), "AbschnittAb");
    AbschnittAb->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {AbschnittAuf, AbschnittAb}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedSize(18, 12);
    }

    g->addWidget(new QLabel(QStringLiteral("laufende Nummer"), kopf), 0, 0);
    g->addWidget(DBText1, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("Datum"), kopf), 1, 0);
    auto* datum = new QHBoxLayout;
    datum->addWidget(DatumDBEdit);
    datum->addWidget(KalenderBtn1);
    datum->addWidget(DateButton1);
    g->addLayout(datum, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("Beitrag"), kopf), 2, 0);
    g->addWidget(BeitragEdit1, 2, 1);
    g->addWidget(new QLabel(QStringLiteral("Preisliste"), kopf), 0, 2);
    g->addWidget(Preislistenedit, 0, 3);
    g->addWidget(new QLabel(QStringLiteral("vom"), kopf), 0, 4);
    g->addWidget(PreislistendatumEdit1, 0, 5);
    g->addWidget(new QLabel(QStringLiteral("Währung"), kopf), 1, 2);
    g->addWidget(WaehrungEdit1, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("Spielabschnitt"), kopf), 2, 2);
    auto* ab = new QHBoxLayout;
    ab->setSpacing(0);
    ab->addWidget(Abschnittedit);
    auto* pfeile = new QVBoxLayout;
    pfeile->setSpacing(0);
    pfeile->addWidget(AbschnittAuf);
    pfeile->addWidget(AbschnittAb);
    ab->addLayout(pfeile);
    ab->addStretch();
    g->addLayout(ab, 2, 3);
    g->addWidget(new QLabel(QStringLiteral("Bemerkungen"), kopf), 0, 6, Qt::AlignTop);
    g->addWidget(BemerkungDBMemo1, 0, 7, 3, 1);
    g->setColumnStretch(7, 1);
    return kopf;
}

QWidget* TTerminform::teilnehmerBauen()
{
    auto* panel = benannt(new QWidget(Komplettpanel), "Teilnehmerpanel");
    panel->setFixedHeight(150);
    auto* h = new QHBoxLayout(panel);
    h->setContentsMargins(0, 0, 0, 0);
    auto* links = new QGridLayout;
    auto* t = new QLabel(QStringLiteral("Teilnehmer"), panel);
    QFont f = t->font();
    f.setBold(true);
    t->setFont(f);
    links->addWidget(t, 0, 0, 1, 3);
    links->addWidget(new QLabel(QStringLiteral("lfd. Nummer"), panel), 1, 0);
    Keglernummeredit = benannt(new controls::DBLookupComboBox(panel), "Keglernummeredit");
    Keglernummeredit->setSource(daten_.zugang().datenquelle("KeglerterminDataSource2"));
    Keglernummeredit->setDataField("KEGLER");
    Keglernummeredit->setListSource(daten_.zugang().datenquelle("KeglernamenlookupDataSource1"));
    Keglernummeredit->setListFields("NUMMER", {"NUMMER", "NAME"}, {QStringLiteral("Nummer"), QStringLiteral("Name")});
    Keglernummeredit->setMaxVisibleItems(15);
    links->addWidget(Keglernummeredit, 1, 1);
    KeglerauswahlSpeedButton = benannt(new QToolButton(panel), "KeglerauswahlSpeedButton");
    KeglerauswahlSpeedButton->setText(QStringLiteral("..."));
    KeglerauswahlSpeedButton->setToolTip(QStringLiteral("Auswahlliste"));
    KeglerauswahlSpeedButton->setFocusPolicy(Qt::ClickFocus);
    links->addWidget(KeglerauswahlSpeedButton, 1, 2);
    links->addWidget(new QLabel(QStringLiteral("Name"), panel), 2, 0);
    KeglernameEdit = benannt(new QLineEdit(panel), "KeglernameEdit");
    KeglernameEdit->setReadOnly(true);
    KeglernameEdit->setFocusPolicy(Qt::NoFocus);
    links->addWidget(KeglernameEdit, 2, 1, 1, 2);
    LeistungeinfuegenBitBtn = knopf(panel, "LeistungeinfuegenBitBtn", QStringLiteral("Teilnehmer einfügen"));
    LeistungloeschenBitBtn = knopf(panel, "LeistungloeschenBitBtn", QStringLiteral("Teilnehmer entfernen"));
    links->addWidget(LeistungeinfuegenBitBtn, 3, 0, 1, 3);
    links->addWidget(LeistungloeschenBitBtn, 4, 0, 1, 3);
    h->addLayout(links);
    TeilnehmerGrid = benannt(new controls::DBGrid(panel), "TeilnehmerGrid");
    TeilnehmerGrid->setSource(daten_.zugang().datenquelle("KeglerterminDataSource2"));
    TeilnehmerGrid->setColumns({{"Name"}, {"Vorname"}, {"Alias"}, {"Mitgliednr", QStringLiteral("Mitgliedsnr.")},
                                {"KEGLER", QStringLiteral("Kegler Nr.")}});
    TeilnehmerGrid->setFocusPolicy(Qt::ClickFocus);
    h->addWidget(TeilnehmerGrid, 1);
    return panel;
}

QWidget* TTerminform::spieleBauen()
{
    Spielepanel = benannt(new QWidget(Komplettpanel), "Spielepanel");
    auto* v = new QVBoxLayout(Spielepanel);
    v->setContentsMargins(0, 0, 0, 0);
    SpieleLabel2 = benannt(new QLabel(QStringLiteral("Spiele (Angaben in DM)"), Spielepanel), "SpieleLabel2");
    v->addWidget(SpieleLabel2);
    SpieleGrid1 = benannt(new Eingabegitter(Gitterart::Spiele, Spielepanel), "SpieleGrid1");
    v->addWidget(SpieleGrid1, 1);
    auto* knoepfe = new QHBoxLayout;
    SpieleinfuegenBitBtn = knopf(Spielepanel, "SpieleinfuegenBitBtn", QStringLiteral("Spiel einfügen"));
    SpieleloeschenBitBtn = knopf(Spielepanel, "SpieleloeschenBitBtn", QStringLiteral("Spiel löschen"));
    AlleSpieleentfernenBitBtn = knopf(Spielepanel, "AlleSpieleentfernenBitBtn", QStringLiteral("Alle Spiele entfernen"));
    SpeedButton1 = benannt(new QToolButton(Spielepanel), "SpeedButton1");
    SpeedButton1->setArrowType(Qt::RightArrow);
    SpeedButton1->setToolTip(QStringLiteral("Erste Reihe, nächste Spalte (F6)"));
    SpeedButton1->setFocusPolicy(Qt::NoFocus);
    for (QWidget* b : {static_cast<QWidget*>(SpieleinfuegenBitBtn), static_cast<QWidget*>(SpieleloeschenBitBtn),
                       static_cast<QWidget*>(AlleSpieleentfernenBitBtn), static_cast<QWidget*>(SpeedButton1)})
        knoepfe->addWidget(b);
    knoepfe->addStretch();
    v->addLayout(knoepfe);
    return Spielepanel;
}

QWidget* TTerminform::sonstigeBauen()
{
    Sonstigepanel = benannt(new QWidget(Komplettpanel), "Sonstigepanel");
    auto* v = new QVBoxLayout(Sonstigepanel);
    v->setContentsMargins(0, 0, 0, 0);
    v->addWidget(new QLabel(QStringLiteral("Sonstiges (Angaben in Stück)"), Sonstigepanel));
    SonstigeGrid1 = benannt(new Eingabegitter(Gitterart::Sonstige, Sonstigepanel), "SonstigeGrid1");
    v->addWidget(SonstigeGrid1, 1);
    auto* knoepfe = new QHBoxLayout;
    RightUpBtn2 = benannt(new QToolButton(Sonstigepanel), "RightUpBtn2");
    RightUpBtn2->setArrowType(Qt::RightArrow);
    RightUpBtn2->setToolTip(QStringLiteral("Erste Reihe, nächste Spalte (F6)"));
    RightUpBtn2->setFocusPolicy(Qt::NoFocus);
    SonstigeListeBitBtn = knopf(Sonstigepanel, "SonstigeListeBitBtn", QStringLiteral("Liste bearbeiten"));
    knoepfe->addWidget(RightUpBtn2);
    knoepfe->addWidget(SonstigeListeBitBtn);
    knoepfe->addStretch();
    v->addLayout(knoepfe);
    return Sonstigepanel;
}

void TTerminform::menuesBauen()
{
    auto* termin = new QMenu(QStringLiteral("&Termin"), this);
    Neueingabe1 = termin->addAction(QStringLiteral("&Neueingabe"), this, [this] { Neueingabe1Click(); });
    ndern1 = termin->addAction(QStringLiteral("&Ändern"), this, [this] { ndern1Click(); });
    termin->addSeparator();
    ProgrammBeenden1 = termin->addAction(QStringLiteral("Programm &beenden"), this, [this] { shell().ProgrammBeenden(); });
    auto* auswerten = new QMenu(QStringLiteral("&Auswerten/Drucken"), this);
    AktuellerTermin1 = auswerten->addAction(QStringLiteral("aktuellen &Termin"), this, [this] { AuswertungTerminClick(); });
    Zeitraum1 = auswerten->addAction(QStringLiteral("&Zeitraum"), this, [this] { AuswertungZeitraumClick(); });
    Rangliste1 = auswerten->addAction(QStringLiteral("&Rangliste"), this, [this] { RanglisteClick(); });
    connect(auswerten, &QMenu::aboutToShow, this, [this] { auswertenMenue(); });
    Bearbeiten1 = new QMenu(QStringLiteral("&Bearbeiten"), this);
    TerminLoeschen1 = Bearbeiten1->addAction(QStringLiteral("&Termin löschen"), this, [this] { TerminLoeschen1Click(); });
    auto* ansicht = new QMenu(QStringLiteral("A&nsicht"), this);
    Sortierung1 = ansicht->addAction(QStringLiteral("S&ortierung"), this, [this] { Sortierung1Click(); });
    Bereich1 = ansicht->addAction(QStringLiteral("&Bereich"), this, [this] { Bereich1Click(); });
    Bereichzuruecksetzen1 =
        ansicht->addAction(QStringLiteral("Bereich &zurücksetzen"), this, [this] { Bereichzuruecksetzen1Click(); });
    Suchen1 = new QMenu(QStringLiteral("S&uchen/Ersetzen"), this);
    Suchen2 = Suchen1->addAction(QStringLiteral("&Suchen"), this, [this] { Suchen1Click(); });
    Ersetzen1 = Suchen1->addAction(QStringLiteral("&Ersetzen"), this, [this] { Ersetzen1Click(); });
    auto* drucken = new QMenu(QStringLiteral("&Drucken"), this);
    Liste1 = drucken->addAction(QStringLiteral("&Liste"), this, [this] { Liste1Click(); });
    Blankoliste1 = drucken->addAction(QStringLiteral("&Blankoliste"), this, [this] { Blankoliste1Click(); });
    MainMenu1 = {termin, auswerten, Bearbeiten1, ansicht, Suchen1, drucken};

    auto* eingabe = new QMenu(QStringLiteral("&Eingabe"), this);
    Neueingabe2 = eingabe->addAction(QStringLiteral("&Neueingabe"), this, [this] { Neueingabe1Click(); });
    EingabeMenu = {eingabe};
}

} // namespace trevo::evenings
