#include "shell/stammdaten/sort_form.h"

#include "shell/stammdaten/dialog_hilfen.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace trevo::shell::stammdaten {

TSortForm::TSortForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SortForm"));
    setWindowTitle(QStringLiteral("Sortierung"));
    setModal(true);

    RadioGroup1 = new QGroupBox(QStringLiteral("Sortieren nach"), this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setMinimumWidth(190);
    itemLayout_ = new QVBoxLayout(RadioGroup1);
    buttons_ = new QButtonGroup(this);

    OKBtn = knopf(this, "OKBtn", QStringLiteral("OK"));
    OKBtn->setDefault(true);
    CancelBtn = knopf(this, "CancelBtn", QStringLiteral("Abbrechen"));
    auto* side = new QVBoxLayout;
    side->addWidget(OKBtn);
    side->addWidget(CancelBtn);
    side->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(RadioGroup1);
    layout->addLayout(side);

    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &TSortForm::reject);
}

void TSortForm::setItems(const QStringList& items)
{
    for (QAbstractButton* b : buttons_->buttons()) {
        buttons_->removeButton(b);
        delete b;
    }
    int id = 0;
    for (const QString& text : items) {
        auto* b = new QRadioButton(text, RadioGroup1);
        b->setObjectName(QStringLiteral("RadioItem%1").arg(id));
        itemLayout_->addWidget(b);
        buttons_->addButton(b, id++);
    }
    festUndZentriert(*this);
}

QStringList TSortForm::items() const
{
    QStringList r;
    for (QAbstractButton* b : buttons_->buttons()) r << b->text();
    return r;
}

void TSortForm::setGroupHeight(int pixels)
{
    RadioGroup1->setFixedHeight(pixels);
    festUndZentriert(*this);
}

int TSortForm::itemIndex() const { return buttons_->checkedId(); }

void TSortForm::setItemIndex(int index)
{
    if (QAbstractButton* b = buttons_->button(index)) {
        b->setChecked(true);
        return;
    }
    // A radio group can only be emptied with its exclusiveness switched off meanwhile.
    buttons_->setExclusive(false);
    for (QAbstractButton* b : buttons_->buttons()) b->setChecked(false);
    buttons_->setExclusive(true);
}

void TSortForm::reject()
{
    setItemIndex(-1);
    QDialog::reject();
}

} // namespace trevo::shell::stammdaten
