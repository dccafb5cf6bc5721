#include "evaluation/date_query_dlg.h"

#include "common/catalogue/meldungstext.h"
#include "common/dialogs/dialogs.h"
#include "common/helpers/jahr_korrigieren.h"
#include "data/store/schema.h"
#include "dbcontrols/command_guard.h"
#include "dbcontrols/db_grid.h"
#include "engine/core/error.h"
#include "engine/dataset/table_data_set.h"
#include "evaluation/kern/nachschlagen.h"
#include "shell/printer.h"
#include "shell/shell_services.h"
#include "shell/stammdaten/datenzugang.h"
#include "shell/stammdaten/modal.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <charconv>

namespace trevo::evaluation {

namespace {

// The text as a whole number; nullopt for anything else (blanks around are allowed).
std::optional<int64_t> ganzzahl(const QString& text)
{
    const std::string t = text.trimmed().toStdString();
    int64_t n = 0;
    const auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), n);
    if (t.empty() || ec != std::errc() || p != t.data() + t.size()) return std::nullopt;
    return n;
}

QToolButton* knopf(const QString& text, const QString& hinweis, QWidget* parent)
{
    auto* b = new QToolButton(parent);
    b->setText(text);
    b->setToolTip(hinweis);
    return b;
}

} // namespace

TDateQueryDlg_Auswertung::TDateQueryDlg_Auswertung(shell::ShellServices& shell, shell::stammdaten::Datenzugang& zugang,
                                                   QWidget* parent)
    : QDialog(parent), shell_(shell), zugang_(zugang)
{
    setObjectName(QStringLiteral("DateQueryDlg_Auswertung"));
    aufbauen();
    // FormCreate: the bowlers' own cursor in the order of their numbers.
    controls::runGuarded([this] {
        Table1 = std::make_unique<engine::TableDataSet>(zugang_.datenbank(), zugang_.session(),
                                                        zugang_.datenordner() + data::tables::Kegler);
        Table1->setIndex("NUMMER");
        Table1->open();
    });
    SonstigesnummerEdit->setText(QStringLiteral("1"));
}

TDateQueryDlg_Auswertung::~TDateQueryDlg_Auswertung()
{
    DBGrid1->setDataSet(nullptr);
}

void TDateQueryDlg_Auswertung::aufbauen()
{
    setWindowTitle(QString());
    auto* haupt = new QVBoxLayout(this);
    auto* datum = new QGroupBox(QStringLiteral("Datum"), this);
    auto* raster = new QGridLayout(datum);
    DateFromEdit = new QLineEdit(datum);
    DateFromEdit->setObjectName(QStringLiteral("DateFromEdit"));
    dateToEdit = new QLineEdit(datum);
    dateToEdit->setObjectName(QStringLiteral("dateToEdit"));
    KalenderVon = knopf(QStringLiteral("Kalender"), QStringLiteral("Kalender"), datum);
    KalenderBis = knopf(QStringLiteral("Kalender"), QStringLiteral("Kalender"), datum);
    raster->addWidget(new QLabel(QStringLiteral("Vom"), datum), 0, 0);
    raster->addWidget(DateFromEdit, 0, 1);
    raster->addWidget(KalenderVon, 0, 2);
    raster->addWidget(new QLabel(QStringLiteral("Bis zum"), datum), 1, 0);
    raster->addWidget(dateToEdit, 1, 1);
    raster->addWidget(KalenderBis, 1, 2);
    KomplettCheckBox = new QCheckBox(QStringLiteral("&Alle Datensätze"), datum);
    KomplettCheckBox->setChecked(true);
    raster->addWidget(KomplettCheckBox, 2, 1, 1, 2);
    haupt->addWidget(datum);

    Seitenrahmen = new QGroupBox(this);
    auto* rahmen = new QVBoxLayout(Seitenrahmen);
    Notebook1 = new QStackedWidget(Seitenrahmen);
    Notebook1->addWidget(seiteTeilnehmer());
    Notebook1->addWidget(seiteSonstiges());
    rahmen->addWidget(Notebook1);
    haupt->addWidget(Seitenrahmen);

    auto* knoepfe = new QHBoxLayout;
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    CancelBtn = new QPushButton(QStringLiteral("Abbruch"), this);
    DruckerBtn = new QPushButton(QStringLiteral("Drucker einrichten"), this);
    OKBtn->setDefault(true);
    knoepfe->addWidget(OKBtn);
    knoepfe->addWidget(CancelBtn);
    knoepfe->addStretch();
    knoepfe->addWidget(DruckerBtn);
    haupt->addLayout(knoepfe);
    listeAufbauen();

    connect(OKBtn, &QPushButton::clicked, this, controls::guarded([this] { OkBtnClick(); }));
    connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
    connect(DruckerBtn, &QPushButton::clicked, this, [this] { DruckerEinrichtenClick(); });
    connect(KomplettCheckBox, &QCheckBox::clicked, this, [this] { KomplettCheckBoxClick(); });
    connect(KomplettCheckBox, &QCheckBox::toggled, this, [this](bool an) {
        if (!an) return;
        DateFromEdit->clear();
        dateToEdit->clear();
    });
    connect(DateFromEdit, &QLineEdit::textChanged, this, [this](const QString& t) { datumGeaendert(t); });
    connect(dateToEdit, &QLineEdit::textChanged, this, [this](const QString& t) { datumGeaendert(t); });
    connect(KalenderVon, &QToolButton::clicked, this, [this] { KalenderClick(DateFromEdit); });
    connect(KalenderBis, &QToolButton::clicked, this, [this] { KalenderClick(dateToEdit); });
    DateFromEdit->installEventFilter(this);
    dateToEdit->installEventFilter(this);
    SonstigesnummerEdit->installEventFilter(this);
}

QWidget* TDateQueryDlg_Auswertung::seiteTeilnehmer()
{
    auto* seite = new QWidget;
    auto* raster = new QGridLayout(seite);
    TeilnehmernummerEdit = new QLineEdit(seite);
    TeilnehmernummerEdit->setObjectName(QStringLiteral("TeilnehmernummerEdit"));
    ListeButton0 = knopf(QStringLiteral("..."), QStringLiteral("Auswahlliste"), seite);
    NameLabel = new QLabel(seite);
    NameLabel->setObjectName(QStringLiteral("NameLabel"));
    raster->addWidget(new QLabel(QStringLiteral("Mitgliedsnummer"), seite), 0, 0);
    raster->addWidget(TeilnehmernummerEdit, 0, 1);
    raster->addWidget(ListeButton0, 0, 2);
    raster->addWidget(new QLabel(QStringLiteral("Name"), seite), 1, 0);
    raster->addWidget(NameLabel, 1, 1, 1, 2);
    connect(TeilnehmernummerEdit, &QLineEdit::textChanged, this, [this] { TeilnehmernummerChange(); });
    connect(ListeButton0, &QToolButton::clicked, this, [this] { ListeZeigen(); });
    return seite;
}

QWidget* TDateQueryDlg_Auswertung::seiteSonstiges()
{
    auto* seite = new QWidget;
    auto* raster = new QGridLayout(seite);
    SonstigesnummerEdit = new QLineEdit(seite);
    SonstigesnummerEdit->setObjectName(QStringLiteral("SonstigesnummerEdit"));
    ListeButton1 = knopf(QStringLiteral("..."), QStringLiteral("Auswahlliste"), seite);
    SonstigesNameLabel = new QLabel(seite);
    SonstigesNameLabel->setObjectName(QStringLiteral("SonstigesNameLabel"));
    raster->addWidget(new QLabel(QStringLiteral("Nummer"), seite), 0, 0);
    raster->addWidget(SonstigesnummerEdit, 0, 1);
    raster->addWidget(ListeButton1, 0, 2);
    raster->addWidget(new QLabel(QStringLiteral("Bezeichnung"), seite), 1, 0);
    raster->addWidget(SonstigesNameLabel, 1, 1, 1, 2);
    connect(SonstigesnummerEdit, &QLineEdit::textChanged, this, [this] { SonstigesnummerChange(); });
    connect(ListeButton1, &QToolButton::clicked, this, [this] { ListeZeigen(); });
    return seite;
}

void TDateQueryDlg_Auswertung::listeAufbauen()
{
    Listenpanel = new QWidget(this);
    Listenpanel->setObjectName(QStringLiteral("Listenpanel"));
    Listenpanel->setAutoFillBackground(true);
    auto* l = new QVBoxLayout(Listenpanel);
    DBGrid1 = new controls::DBGrid(Listenpanel);
    l->addWidget(DBGrid1);
    auto* knoepfe = new QHBoxLayout;
    BitBtn1 = new QPushButton(QStringLiteral("OK"), Listenpanel);
    BitBtn2 = new QPushButton(QStringLiteral("Abbruch"), Listenpanel);
    knoepfe->addWidget(BitBtn1);
    knoepfe->addWidget(BitBtn2);
    l->addLayout(knoepfe);
    Listenpanel->hide();
    connect(BitBtn1, &QPushButton::clicked, this, controls::guarded([this] { BitBtn1Click(); }));
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
}

void TDateQueryDlg_Auswertung::InitAbfrage(int seite, const QString& von, int nummer, const QString& bis)
{
    seite_ = seite == 1 ? 1 : 0;
    Notebook1->setCurrentIndex(seite_);
    Seitenrahmen->setTitle(seite_ == 0 ? QStringLiteral("Teilnehmer") : QStringLiteral("Sonstiges"));
    DateFromEdit->setText(von);
    dateToEdit->setText(bis);
    if (seite_ == 0) {
        DBGrid1->setDataSet(Table1.get());
        DBGrid1->setColumns({{"MITGLIEDNR"}, {"NAME"}, {"ALIAS"}});
    } else {
        DBGrid1->setSource(zugang_.datenquelle("SonstigeDataSource1"));
        DBGrid1->setColumns({{"NUMMER"}, {"BEZEICHNUN"}, {"EINZELPREI"}});
    }
    nummernfeld()->setText(QString::number(nummer));
}

QLineEdit* TDateQueryDlg_Auswertung::nummernfeld() const
{
    return seite_ == 0 ? TeilnehmernummerEdit : SonstigesnummerEdit;
}

QString TDateQueryDlg_Auswertung::von() const { return DateFromEdit->text(); }
QString TDateQueryDlg_Auswertung::bis() const { return dateToEdit->text(); }
bool TDateQueryDlg_Auswertung::alle() const { return KomplettCheckBox->isChecked(); }

int64_t TDateQueryDlg_Auswertung::nummer() const
{
    const QString text = nummernfeld()->text();
    const auto n = ganzzahl(text);
    if (!n) throw engine::ValueError("'" + text.toStdString() + "' ist kein gültiger Integerwert");
    return *n;
}

void TDateQueryDlg_Auswertung::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    nummernfeld()->setFocus();
    const auto n = ganzzahl(nummernfeld()->text());
    OKBtn->setEnabled(n && *n > 0);
}

void TDateQueryDlg_Auswertung::hideEvent(QHideEvent* event)
{
    if (DateFromEdit->hasFocus()) jahrKorrigieren(DateFromEdit);
    if (dateToEdit->hasFocus()) jahrKorrigieren(dateToEdit);
    QDialog::hideEvent(event);
}

void TDateQueryDlg_Auswertung::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    Listenpanel->setGeometry(rect());
}

bool TDateQueryDlg_Auswertung::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        if (watched == DateFromEdit || watched == dateToEdit) jahrKorrigieren(static_cast<QLineEdit*>(watched));
        if (watched == SonstigesnummerEdit) SonstigesnummerChange();
    }
    return QDialog::eventFilter(watched, event);
}

void TDateQueryDlg_Auswertung::datumGeaendert(const QString& text)
{
    if (!text.isEmpty()) KomplettCheckBox->setChecked(false);
}

void TDateQueryDlg_Auswertung::KomplettCheckBoxClick()
{
    if (!KomplettCheckBox->isChecked()) DateFromEdit->setFocus();
}

void TDateQueryDlg_Auswertung::jahrKorrigieren(QLineEdit* feld)
{
    if (feld->text().isEmpty()) return;
    std::string text = feld->text().toStdString();
    try {
        common::JahrKorrigieren(text);
    } catch (const engine::EngineError& e) {
        common::dialogs().error(QString::fromUtf8(e.what()));
        return;
    }
    const QString neu = QString::fromStdString(text);
    if (neu != feld->text()) feld->setText(neu);
}

void TDateQueryDlg_Auswertung::KalenderClick(QLineEdit* feld)
{
    const QString datum = shell_.DatumWaehlen();
    if (!datum.isEmpty()) feld->setText(datum);
    feld->setFocus();
}

void TDateQueryDlg_Auswertung::TeilnehmernummerChange()
{
    const QString text = TeilnehmernummerEdit->text();
    if (seite_ == 0) OKBtn->setEnabled(!text.isEmpty());
    QString name;
    const auto n = ganzzahl(text);
    if (n && *n > 0) {
        controls::runGuarded([&] {
            Nachschlagen nachschlagen(zugang_.datenbank(), zugang_.datenordner());
            name = QString::fromStdString(nachschlagen.keglerNameZuMitgliedsnummer(text.toStdString()));
        });
    }
    NameLabel->setText(name);
}

void TDateQueryDlg_Auswertung::SonstigesnummerChange()
{
    const auto n = ganzzahl(SonstigesnummerEdit->text());
    if (seite_ == 1) OKBtn->setEnabled(n && *n > 0);
    QString name;
    if (n) {
        controls::runGuarded([&] {
            Nachschlagen nachschlagen(zugang_.datenbank(), zugang_.datenordner());
            name = QString::fromStdString(nachschlagen.sonstigesName(*n));
        });
    }
    SonstigesNameLabel->setText(name);
}

void TDateQueryDlg_Auswertung::ListeZeigen()
{
    Listenpanel->setGeometry(rect());
    Listenpanel->raise();
    Listenpanel->show();
    DBGrid1->setFocus();
}

void TDateQueryDlg_Auswertung::BitBtn1Click()
{
    Listenpanel->hide();
    if (engine::DataSet* ds = DBGrid1->model().link().dataSet(); ds && ds->active() && !ds->isEmpty()) {
        const char* feld = seite_ == 0 ? "MITGLIEDNR" : "NUMMER";
        nummernfeld()->setText(QString::fromStdString(seite_ == 0 ? ds->text(feld) : std::to_string(static_cast<long long>(ds->value(feld).toNumber()))));
    }
    nummernfeld()->setFocus();
}

void TDateQueryDlg_Auswertung::BitBtn2Click()
{
    Listenpanel->hide();
    nummernfeld()->setFocus();
}

void TDateQueryDlg_Auswertung::OkBtnClick()
{
    if (KomplettCheckBox->isChecked()) {
        const QSignalBlocker a(DateFromEdit), b(dateToEdit); // the box stays checked
        DateFromEdit->setText(QStringLiteral("1.1.1900"));
        dateToEdit->setText(QStringLiteral("1.1.2100"));
        accept();
        return;
    }
    if (DateFromEdit->text().isEmpty()) {
        common::dialogs().message(QString::fromStdString(common::MeldungsText(3004)));
        return;
    }
    const auto von = engine::parseDate(DateFromEdit->text().trimmed().toStdString());
    std::optional<int32_t> bis;
    if (!dateToEdit->text().isEmpty()) bis = engine::parseDate(dateToEdit->text().trimmed().toStdString());
    if (!von || (!dateToEdit->text().isEmpty() && !bis)) {
        common::dialogs().message(QString::fromStdString(common::MeldungsText(3005)));
        return;
    }
    if (bis && *bis < *von) {
        const QString t = DateFromEdit->text();
        DateFromEdit->setText(dateToEdit->text());
        dateToEdit->setText(t);
    }
    accept();
}

void TDateQueryDlg_Auswertung::CancelBtnClick()
{
    DateFromEdit->clear();
    dateToEdit->clear();
    reject();
}

void TDateQueryDlg_Auswertung::DruckerEinrichtenClick()
{
    QPrintDialog dialog(&shell::sharedPrinter(), this);
    dialog.setWindowTitle(QStringLiteral("Drucker einrichten"));
    shell::stammdaten::zeigeModal(dialog);
}

} // namespace trevo::evaluation
