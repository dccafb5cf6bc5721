#include "evenings/kegler_auswahl_dlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace trevo::evenings {

namespace {

bool enthaelt(const QListWidget* list, const QString& text)
{
    return !list->findItems(text, Qt::MatchExactly).isEmpty();
}

QPushButton* knopf(QWidget* parent, const char* name, const QString& text)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

TKeglerAuswahlDlg2::TKeglerAuswahlDlg2(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("KeglerAuswahlDlg2"));
    setWindowTitle(QStringLiteral("Mitglieder/Gastkegler auswählen"));
    auto* g = new QGridLayout(this);
    g->addWidget(new QLabel(QStringLiteral("Mitglieder/Gäste"), this), 0, 0);
    g->addWidget(new QLabel(QStringLiteral("Teilnehmer"), this), 0, 2);
    SrcList = new QListWidget(this);
    SrcList->setObjectName(QStringLiteral("SrcList"));
    SrcList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    SrcList->setSortingEnabled(true);
    DstList = new QListWidget(this);
    DstList->setObjectName(QStringLiteral("DstList"));
    DstList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (QListWidget* l : {SrcList, DstList}) {
        l->setMinimumSize(260, 300);
        l->setFont(QFont(QStringLiteral("Monospace")));
    }
    g->addWidget(SrcList, 1, 0);
    g->addWidget(DstList, 1, 2);
    auto* mitte = new QVBoxLayout;
    IncludeBtn = knopf(this, "IncludeBtn", QStringLiteral(">"));
    IncAllBtn = knopf(this, "IncAllBtn", QStringLiteral(">>"));
    ExcludeBtn = knopf(this, "ExcludeBtn", QStringLiteral("<"));
    ExAllBtn = knopf(this, "ExAllBtn", QStringLiteral("<<"));
    mitte->addStretch();
    for (QPushButton* b : {IncludeBtn, IncAllBtn, ExcludeBtn, ExAllBtn}) mitte->addWidget(b);
    mitte->addStretch();
    g->addLayout(mitte, 1, 1);
    auto* unten = new QHBoxLayout;
    OKBtn = knopf(this, "OKBtn", QStringLiteral("OK"));
    OKBtn->setDefault(true);
    CancelBtn = knopf(this, "CancelBtn", QStringLiteral("Abbrechen"));
    HelpBtn = knopf(this, "HelpBtn", QStringLiteral("Hilfe"));
    HelpBtn->hide();
    unten->addStretch();
    unten->addWidget(OKBtn);
    unten->addWidget(CancelBtn);
    g->addLayout(unten, 2, 0, 1, 3);
    connect(IncludeBtn, &QPushButton::clicked, this, &TKeglerAuswahlDlg2::IncludeBtnClick);
    connect(IncAllBtn, &QPushButton::clicked, this, &TKeglerAuswahlDlg2::IncAllBtnClick);
    connect(ExcludeBtn, &QPushButton::clicked, this, &TKeglerAuswahlDlg2::ExcludeBtnClick);
    connect(ExAllBtn, &QPushButton::clicked, this, &TKeglerAuswahlDlg2::ExAllBtnClick);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    // A double click moves the bowler, Enter in the left list too.
    connect(SrcList, &QListWidget::itemDoubleClicked, this, &TKeglerAuswahlDlg2::IncludeBtnClick);
    connect(DstList, &QListWidget::itemDoubleClicked, this, &TKeglerAuswahlDlg2::ExcludeBtnClick);
    setFixedSize(sizeHint());
}

QString TKeglerAuswahlDlg2::eintrag(long nummer, const QString& name, const QString& vorname)
{
    return QStringLiteral("#") + QString::number(nummer).leftJustified(10, ' ') + name + QStringLiteral(", ") + vorname;
}

long TKeglerAuswahlDlg2::nummerVon(const QString& e)
{
    return e.mid(1, 10).trimmed().toLong();
}

void TKeglerAuswahlDlg2::linksFuellen(const QStringList& eintraege)
{
    SrcList->addItems(eintraege);
    knoepfeSetzen();
}

void TKeglerAuswahlDlg2::vorhanden(const QString& e)
{
    DstList->addItem(e);
    vorhanden_ << e;
    knoepfeSetzen();
}

QStringList TKeglerAuswahlDlg2::neue() const
{
    QStringList n;
    for (int i = 0; i < DstList->count(); ++i) {
        const QString t = DstList->item(i)->text();
        if (!vorhanden_.contains(t) && !n.contains(t)) n << t;
    }
    return n;
}

void TKeglerAuswahlDlg2::verschieben(QListWidget* von, QListWidget* nach)
{
    const QList<QListWidgetItem*> gewaehlt = von->selectedItems();
    if (gewaehlt.isEmpty()) return;
    int erste = von->count();
    for (QListWidgetItem* it : gewaehlt) erste = std::min(erste, von->row(it));
    // Only the first chosen item is tested against the other list.
    if (enthaelt(nach, von->item(erste)->text())) return;
    for (int r = von->count() - 1; r >= 0; --r) {
        if (!von->item(r)->isSelected()) continue;
        QListWidgetItem* it = von->takeItem(r);
        nach->addItem(it->text());
        delete it;
    }
    von->setFocus();
    if (von->count() > 0) {
        von->clearSelection();
        von->setCurrentRow(std::min(erste, von->count() - 1));
    }
    knoepfeSetzen();
}

void TKeglerAuswahlDlg2::IncludeBtnClick() { verschieben(SrcList, DstList); }
void TKeglerAuswahlDlg2::ExcludeBtnClick() { verschieben(DstList, SrcList); }

void TKeglerAuswahlDlg2::IncAllBtnClick()
{
    for (int i = 0; i < SrcList->count(); ++i)
        if (!enthaelt(DstList, SrcList->item(i)->text())) DstList->addItem(SrcList->item(i)->text());
    SrcList->clear();
    SrcList->setFocus();
    knoepfeSetzen();
}

void TKeglerAuswahlDlg2::ExAllBtnClick()
{
    DstList->clear();
    DstList->setFocus();
    knoepfeSetzen();
}

void TKeglerAuswahlDlg2::knoepfeSetzen()
{
    IncludeBtn->setEnabled(SrcList->count() > 0);
    IncAllBtn->setEnabled(SrcList->count() > 0);
    ExcludeBtn->setEnabled(DstList->count() > 0);
    ExAllBtn->setEnabled(DstList->count() > 0);
}

void TKeglerAuswahlDlg2::showEvent(QShowEvent* event)
{
    knoepfeSetzen();
    QDialog::showEvent(event);
}

} // namespace trevo::evenings
