#include "reports/druck/druckform.h"

#include "dbcontrols/command_guard.h"
#include "shell/printer.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace trevo::reports {

ExemplarSpinBox::ExemplarSpinBox(QWidget* parent) : QSpinBox(parent)
{
    setRange(0, 99);
    setValue(1);
}

void ExemplarSpinBox::stepBy(int steps)
{
    QSpinBox::stepBy(std::clamp(value() + steps, 1, maximum()) - value());
}

QAbstractSpinBox::StepEnabled ExemplarSpinBox::stepEnabled() const
{
    StepEnabled steps = StepNone;
    if (value() < maximum()) steps |= StepUpEnabled;
    if (value() > 1) steps |= StepDownEnabled;
    return steps;
}

void systemDruckerEinrichten(QWidget* parent)
{
    QPrintDialog dialog(&shell::sharedPrinter(), parent);
    dialog.setWindowTitle(QStringLiteral("Drucker einrichten"));
    dialog.exec();
}

TDruckform::TDruckform(QWidget* parent) : QDialog(parent), druckerEinrichten(systemDruckerEinrichten)
{
    setObjectName(QStringLiteral("Druckform"));
    setWindowTitle(QStringLiteral("Drucken"));
    auto* exemplare = new QGroupBox(QStringLiteral("Exemplare"), this);
    auto* anzahl = new QLabel(QStringLiteral("&Anzahl:"), exemplare);
    Exemplaredit = new ExemplarSpinBox(exemplare);
    Exemplaredit->setObjectName(QStringLiteral("Exemplaredit"));
    Exemplaredit->setMinimumWidth(Exemplaredit->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 30);
    anzahl->setBuddy(Exemplaredit);
    auto* row = new QHBoxLayout(exemplare);
    row->addWidget(anzahl);
    row->addWidget(Exemplaredit, 1);

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Abbrechen"), this);
    DruckereinrichtenBtn = new QPushButton(QStringLiteral("&Drucker einrichten"), this);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {OKBtn, CancelBtn, DruckereinrichtenBtn}) buttons->addWidget(b);
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(exemplare, 1, Qt::AlignTop);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
    connect(DruckereinrichtenBtn, &QPushButton::clicked, this, [this] { DruckereinrichtenBtnClick(); });
}

int TDruckform::Exemplare() const { return std::max(1, Exemplaredit->value()); }

void TDruckform::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TDruckform::FormShow()
{
    Exemplaredit->setValue(1);
    Exemplaredit->selectAll();
    Exemplaredit->setFocus();
}

void TDruckform::OKBtnClick()
{
    Exemplaredit->interpretText();
    accept();
}

void TDruckform::CancelBtnClick() { reject(); }

void TDruckform::DruckereinrichtenBtnClick()
{
    if (druckerEinrichten) controls::runGuarded([this] { druckerEinrichten(this); });
    reject();
}

} // namespace trevo::reports
