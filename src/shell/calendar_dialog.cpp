#include "shell/calendar_dialog.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace trevo::shell {

Kalenderform::Kalenderform(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Kalenderform"));
    setWindowTitle(QStringLiteral("Datum"));
    Calendar1 = new QCalendarWidget(this);
    Calendar1->setLocale(QLocale(QLocale::German, QLocale::Germany));
    Calendar1->setFirstDayOfWeek(Qt::Monday);
    Calendar1->setGridVisible(true);
    Calendar1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Abbrechen"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Calendar1);
    layout->addLayout(buttons);

    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(Calendar1, &QCalendarWidget::activated, this, &QDialog::accept);
}

QString Kalenderform::choose()
{
    const bool ok = exec() == QDialog::Accepted;
    hide();
    return ok ? Calendar1->selectedDate().toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

} // namespace trevo::shell
