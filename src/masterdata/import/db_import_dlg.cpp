#include "masterdata/import/db_import_dlg.h"

#include "masterdata/import/import_fortschritt.h"

#include "common/catalogue/meldungstext.h"
#include "common/dialogs/dialogs.h"
#include "data/dbtools/db_tools.h"
#include "dbcontrols/command_guard.h"
#include "engine/database.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace trevo::masterdata {

namespace {

QLabel* ueberschrift(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QListWidget* liste(const char* name, QWidget* parent)
{
    auto* l = new QListWidget(parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

QPushButton* knopf(const QString& text, const char* name, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

QString feldname(engine::TableDataSet& t, int feld)
{
    return QString::fromStdString(t.table()->fields()[size_t(feld)].name);
}

} // namespace

QString Verbindungszeile(const QString& zielfeld, const QString& quellfeld, const QFontMetrics& metrik, int spalte)
{
    if (quellfeld.isEmpty()) return zielfeld;
    QString zeile = zielfeld;
    do
        zeile += QLatin1Char(' ');
    while (metrik.horizontalAdvance(zeile) < spalte);
    return zeile + quellfeld;
}

TDBImportDlg::TDBImportDlg(engine::Database& datenbank, engine::Session& session, QWidget* parent)
    : QDialog(parent), datenbank_(datenbank), session_(session)
{
    setObjectName(QStringLiteral("DBImportDlg"));
    setWindowTitle(QStringLiteral("Datenimport"));
    aufbauen();
}

TDBImportDlg::~TDBImportDlg() = default;

void TDBImportDlg::aufbauen()
{
    Listbox1 = liste("Listbox1", this);
    Listbox2 = liste("Listbox2", this);
    ListBox3 = liste("ListBox3", this);
    IncludeBtn = knopf(QStringLiteral("<=>"), "IncludeBtn", this);
    OKBtn = knopf(QStringLiteral("OK"), "OKBtn", this);
    CancelBtn = knopf(QStringLiteral("Abbrechen"), "CancelBtn", this);
    LoesenBtn = knopf(QStringLiteral("Verbindung lösen"), "LoesenBtn", this);
    HelpBtn = knopf(QStringLiteral("Hilfe"), "HelpBtn", this);
    HelpBtn->hide();

    auto* oben = new QGridLayout;
    oben->addWidget(ueberschrift(QStringLiteral("Kegeln"), this), 0, 0);
    oben->addWidget(ueberschrift(QStringLiteral("Datenquelle"), this), 0, 2);
    oben->addWidget(Listbox1, 1, 0);
    oben->addWidget(IncludeBtn, 1, 1, Qt::AlignVCenter);
    oben->addWidget(Listbox2, 1, 2);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(OKBtn);
    knoepfe->addWidget(CancelBtn);
    knoepfe->addWidget(LoesenBtn);
    knoepfe->addWidget(HelpBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(oben);
    layout->addWidget(ueberschrift(QStringLiteral("Verbindungen"), this));
    layout->addWidget(ListBox3);
    layout->addLayout(knoepfe);
    setFixedSize(460, 460);

    connect(IncludeBtn, &QPushButton::clicked, this, controls::guarded([this] { IncludeBtnClick(); }));
    connect(LoesenBtn, &QPushButton::clicked, this, controls::guarded([this] { LoesenBtnClick(); }));
    connect(OKBtn, &QPushButton::clicked, this, controls::guarded([this] { OKBtnClick(); }));
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TDBImportDlg::setZiel(const std::string& ordner, const std::string& datei)
{
    zielPfad_ = ordner + datei;
}

void TDBImportDlg::setQuelle(const std::string& pfad)
{
    quellPfad_ = pfad;
}

bool TDBImportDlg::Laden()
{
    Table1 = std::make_unique<engine::TableDataSet>(datenbank_, session_, zielPfad_);
    Table1->setName("Table1");
    Table1->open();
    Table2 = std::make_unique<engine::TableDataSet>(datenbank_, session_, quellPfad_);
    Table2->setName("Table2");
    Table2->setReadOnly(true);
    Table2->open();
    if (Table2->isEmpty()) {
        common::dialogs().message(QString::fromStdString(common::MeldungsText(2011)));
        return false;
    }
    Listbox1->clear();
    Listbox2->clear();
    ListBox3->clear();
    const int ziel = int(Table1->table()->fields().size());
    for (int i = 0; i < ziel; ++i) {
        Listbox1->addItem(feldname(*Table1, i));
        ListBox3->addItem(feldname(*Table1, i));
    }
    for (int i = 0; i < int(Table2->table()->fields().size()); ++i) Listbox2->addItem(feldname(*Table2, i));
    verbindungen_.assign(size_t(ziel), -1);
    schluessel_ = -1;
    if (ListBox3->count() > 0) ListBox3->setCurrentRow(0);
    return true;
}

QStringList TDBImportDlg::verbindungszeilen() const
{
    QStringList zeilen;
    for (int i = 0; i < ListBox3->count(); ++i) zeilen << ListBox3->item(i)->text();
    return zeilen;
}

void TDBImportDlg::zeileZeigen(int zielfeld)
{
    const int quelle = verbindungen_[size_t(zielfeld)];
    const QString text = Verbindungszeile(feldname(*Table1, zielfeld),
                                          quelle >= 0 ? feldname(*Table2, quelle) : QString(), ListBox3->fontMetrics());
    ListBox3->item(zielfeld)->setText(text);
}

void TDBImportDlg::IncludeBtnClick()
{
    const int ziel = Listbox1->currentRow();
    const int quelle = Listbox2->currentRow();
    if (!Table1 || ziel < 0 || quelle < 0) return;
    verbindungen_[size_t(ziel)] = quelle;
    if (ziel == Table1->fieldIndex("NUMMER")) schluessel_ = quelle;
    zeileZeigen(ziel);
}

void TDBImportDlg::LoesenBtnClick()
{
    const int ziel = ListBox3->currentRow();
    if (!Table1 || ziel < 0) return;
    verbindungen_[size_t(ziel)] = -1;
    if (ziel == Table1->fieldIndex("NUMMER")) schluessel_ = -1;
    zeileZeigen(ziel);
}

void TDBImportDlg::OKBtnClick()
{
    if (!Table1) return;
    Importieren();
    accept();
}

void TDBImportDlg::Importieren()
{
    data::TDBTools werkzeuge(datenbank_);
    ImportFortschritt fortschritt;
    fortschritt.zeigen();
    const Importergebnis ergebnis =
        ImportAusfuehren(*Table1, *Table2, verbindungen_, schluessel_, werkzeuge, [&](int prozent) {
            fortschritt.meldung(QString::number(prozent));
            emit fortschrittGeschrieben(prozent);
        });
    fortschritt.schliessen();
    gespeichert_ = ergebnis.gespeichert;
    if (ergebnis.fehler)
        common::dialogs().error(QStringLiteral("%1\n\nDer Import wurde abgebrochen. Importierte Datensätze: %2")
                                    .arg(*ergebnis.fehler)
                                    .arg(ergebnis.gespeichert));
}

} // namespace trevo::masterdata
