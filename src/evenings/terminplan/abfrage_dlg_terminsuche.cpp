#include "evenings/terminplan/abfrage_dlg_terminsuche.h"

#include "shell/stammdaten/dialog_hilfen.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace trevo::evenings {

TAbfrageDlgTerminsuche::TAbfrageDlgTerminsuche(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AbfrageDlgTerminsuche"));
    setWindowTitle(QStringLiteral("Termine suchen"));
    auto* outer = new QVBoxLayout(this);

    auto* rahmen = new QGroupBox(this);
    rahmen->setObjectName(QStringLiteral("Bevel1"));
    auto* satz = new QHBoxLayout(rahmen);
    satz->addWidget(new QLabel(QStringLiteral("Alle Termine innerhalb der nächsten"), rahmen));
    FromEdit = new QLineEdit(rahmen);
    FromEdit->setObjectName(QStringLiteral("FromEdit"));
    FromEdit->setFixedWidth(60);
    satz->addWidget(FromEdit);
    satz->addWidget(new QLabel(QStringLiteral("Tage"), rahmen));
    UndLabel = new QLabel(QStringLiteral("und"), rahmen);
    UndLabel->setVisible(false);
    ToEdit = new QLineEdit(rahmen);
    ToEdit->setObjectName(QStringLiteral("ToEdit"));
    ToEdit->setVisible(false);
    outer->addWidget(rahmen);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    OKBtn = shell::stammdaten::knopf(this, "OKBtn", QStringLiteral("OK"));
    OKBtn->setDefault(true);
    CancelBtn = shell::stammdaten::knopf(this, "CancelBtn", QStringLiteral("Abbrechen"));
    knoepfe->addWidget(OKBtn);
    knoepfe->addWidget(CancelBtn);
    outer->addLayout(knoepfe);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    shell::stammdaten::festUndZentriert(*this);
}

QString TAbfrageDlgTerminsuche::Zeitraum() const { return FromEdit->text(); }

void TAbfrageDlgTerminsuche::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FromEdit->setFocus();
}

} // namespace trevo::evenings
