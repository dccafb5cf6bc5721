#include "shell/stammdaten/abfrage_dlg.h"

#include "common/catalogue/meldungstext.h"
#include "engine/core/error.h"
#include "shell/stammdaten/datenzugang.h"
#include "shell/stammdaten/dialog_hilfen.h"
#include "common/dialogs/dialogs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace trevo::shell::stammdaten {

TAbfrageDlgEinFeld::TAbfrageDlgEinFeld(Datenzugang& zugang, QWidget* parent) : QDialog(parent), zugang_(zugang)
{
    setObjectName(QStringLiteral("AbfrageDlgEinFeld"));
    setWindowTitle(QStringLiteral("Abfrage"));
    setModal(true);

    FieldListBox1 = new QListWidget(this);
    FieldListBox1->setObjectName(QStringLiteral("FieldListBox1"));
    FieldListBox1->setFixedSize(170, 150);
    BedingungListBox1 = new QListWidget(this);
    BedingungListBox1->setObjectName(QStringLiteral("BedingungListBox1"));
    BedingungListBox1->setFixedSize(170, 150);
    for (int i = 0; i < bedingungsAnzahl; ++i)
        BedingungListBox1->addItem(QString::fromUtf8(bedingungsText(static_cast<Bedingung>(i))));
    BedingungListBox1->setCurrentRow(0);

    auto* alle = new QLabel(QStringLiteral("Alle Datensätze mit"), this);
    FeldnamenLabel = new QLabel(this);
    FeldnamenLabel->setObjectName(QStringLiteral("FeldnamenLabel"));
    QFont bold = FeldnamenLabel->font();
    bold.setBold(true);
    FeldnamenLabel->setFont(bold);
    BedingungLabel = new QLabel(this);
    BedingungLabel->setObjectName(QStringLiteral("BedingungLabel"));

    FromEdit = new QLineEdit(this);
    FromEdit->setObjectName(QStringLiteral("FromEdit"));
    FromEdit->setFixedWidth(150);
    UndLabel = new QLabel(QStringLiteral("und"), this);
    ToEdit = new QLineEdit(this);
    ToEdit->setObjectName(QStringLiteral("ToEdit"));
    ToEdit->setFixedWidth(150);
    for (QWidget* w : {static_cast<QWidget*>(UndLabel), static_cast<QWidget*>(ToEdit)}) {
        QSizePolicy keep = w->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        w->setSizePolicy(keep);
    }
    KomplettCheckBox = new QCheckBox(QStringLiteral("&Komplett"), this);
    KomplettCheckBox->setObjectName(QStringLiteral("KomplettCheckBox"));
    OKBtn = knopf(this, "OKBtn", QStringLiteral("OK"));
    OKBtn->setDefault(true);
    CancelBtn = knopf(this, "CancelBtn", QStringLiteral("Abbruch"));

    auto* lists = new QGridLayout;
    lists->addWidget(new QLabel(QStringLiteral("Feld"), this), 0, 0);
    lists->addWidget(new QLabel(QStringLiteral("Bedingung"), this), 0, 1);
    lists->addWidget(FieldListBox1, 1, 0);
    lists->addWidget(BedingungListBox1, 1, 1);

    auto* sentence = new QHBoxLayout;
    sentence->setSpacing(4);
    sentence->addWidget(alle);
    sentence->addWidget(FeldnamenLabel);
    sentence->addSpacing(6); // with the spacing: 10 pixels right of the field name
    sentence->addWidget(BedingungLabel);
    sentence->addStretch();

    auto* values = new QHBoxLayout;
    values->addWidget(FromEdit);
    values->addWidget(UndLabel);
    values->addWidget(ToEdit);
    values->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(KomplettCheckBox);
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addSpacing(8);
    layout->addLayout(sentence);
    layout->addLayout(values);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    connect(FieldListBox1, &QListWidget::itemClicked, this, &TAbfrageDlgEinFeld::SatzAnzeigen);
    connect(FieldListBox1, &QListWidget::currentRowChanged, this, &TAbfrageDlgEinFeld::SatzAnzeigen);
    connect(BedingungListBox1, &QListWidget::itemClicked, this, &TAbfrageDlgEinFeld::SatzAnzeigen);
    connect(BedingungListBox1, &QListWidget::currentRowChanged, this, &TAbfrageDlgEinFeld::SatzAnzeigen);
    connect(KomplettCheckBox, &QCheckBox::toggled, this, &TAbfrageDlgEinFeld::KomplettClick);
    connect(FromEdit, &QLineEdit::textChanged, this, &TAbfrageDlgEinFeld::WertGeaendert);
    connect(ToEdit, &QLineEdit::textChanged, this, &TAbfrageDlgEinFeld::WertGeaendert);
    connect(OKBtn, &QPushButton::clicked, this, &TAbfrageDlgEinFeld::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TAbfrageDlgEinFeld::reject);
    SatzAnzeigen();
    festUndZentriert(*this);
}

void TAbfrageDlgEinFeld::TabelleSetzen(const std::string& folder, const std::string& file)
{
    if (!tabelle_.setzen(zugang_.datenbank(), folder, file, false)) return;
    FieldListBox1->clear();
    for (const engine::FieldDef& f : tabelle_.felder()) FieldListBox1->addItem(qs(f.name));
    if (FieldListBox1->count() > 0) {
        const bool skipNumber = tabelle_.felder().front().name == "NUMMER" && FieldListBox1->count() > 1;
        FieldListBox1->setCurrentRow(skipNumber ? 1 : 0);
    }
    FromEdit->clear();
    ToEdit->clear();
    SatzAnzeigen();
}

const engine::FieldDef* TAbfrageDlgEinFeld::gewaehltesFeld() const
{
    const int row = auswahl(*FieldListBox1);
    if (row < 0 || row >= static_cast<int>(tabelle_.felder().size())) return nullptr;
    return &tabelle_.felder()[static_cast<size_t>(row)];
}

Bedingung TAbfrageDlgEinFeld::bedingung() const
{
    const int row = auswahl(*BedingungListBox1);
    return row < 0 ? Bedingung::Gleich : static_cast<Bedingung>(row);
}

bool TAbfrageDlgEinFeld::komplett() const { return KomplettCheckBox->isChecked(); }

std::string TAbfrageDlgEinFeld::FilterErzeugen() const
{
    const engine::FieldDef* f = gewaehltesFeld();
    if (!f) throw engine::ValueError("Kein Feld gewählt");
    return filterAusdruck(*f, bedingung(), ss(FromEdit->text()), ss(ToEdit->text()));
}

void TAbfrageDlgEinFeld::SatzAnzeigen()
{
    const engine::FieldDef* f = gewaehltesFeld();
    FeldnamenLabel->setText(f ? qs(f->name) : QString());
    const QListWidgetItem* item = BedingungListBox1->currentItem();
    BedingungLabel->setText(item ? item->text() : QString());
    const bool interval = bedingung() == Bedingung::Zwischen;
    UndLabel->setVisible(interval);
    ToEdit->setVisible(interval);
}

void TAbfrageDlgEinFeld::KomplettClick(bool checked)
{
    if (checked) {
        FromEdit->clear();
        ToEdit->clear();
    } else {
        FromEdit->setFocus();
    }
}

void TAbfrageDlgEinFeld::WertGeaendert(const QString& text)
{
    if (!text.isEmpty()) KomplettCheckBox->setChecked(false);
}

void TAbfrageDlgEinFeld::OKBtnClick()
{
    if (komplett()) {
        accept();
        return;
    }
    if (FromEdit->text().isEmpty()) {
        common::dialogs().message(qs(common::MeldungsText(3001)));
        return;
    }
    // The end value is checked as text, character by character, the way it is typed.
    if (bedingung() == Bedingung::Zwischen && ToEdit->text() < FromEdit->text()) {
        common::dialogs().message(qs(common::MeldungsText(3002)));
        return;
    }
    accept();
}

void TAbfrageDlgEinFeld::reject()
{
    FromEdit->clear();
    ToEdit->clear();
    QDialog::reject();
}

void TAbfrageDlgEinFeld::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    SatzAnzeigen();
    FromEdit->setFocus();
}

} // namespace trevo::shell::stammdaten
