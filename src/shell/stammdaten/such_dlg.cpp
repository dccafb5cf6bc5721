#include "shell/stammdaten/such_dlg.h"

#include "shell/stammdaten/anweisungen.h"
#include "common/catalogue/meldungstext.h"
#include "shell/stammdaten/datenzugang.h"
#include "shell/stammdaten/dialog_hilfen.h"
#include "common/dialogs/dialogs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace trevo::shell::stammdaten {

TSuchDlgKomplex::TSuchDlgKomplex(Datenzugang& zugang, QWidget* parent) : QDialog(parent), zugang_(zugang)
{
    setObjectName(QStringLiteral("SuchDlgKomplex"));
    setWindowTitle(QStringLiteral("Suchen"));
    setModal(true);

    FieldListBox1 = new QListWidget(this);
    FieldListBox1->setObjectName(QStringLiteral("FieldListBox1"));
    FieldListBox1->setFixedSize(240, 180);
    FromEdit = new QLineEdit(this);
    FromEdit->setObjectName(QStringLiteral("FromEdit"));
    FromEdit->setFixedWidth(240);
    OKBtn = knopf(this, "OKBtn", QStringLiteral("OK"));
    OKBtn->setDefault(true);
    CancelBtn = knopf(this, "CancelBtn", QStringLiteral("Abbruch"));

    auto* feld = new QLabel(QStringLiteral("&Feld"), this);
    feld->setBuddy(FieldListBox1);
    auto* text = new QLabel(QStringLiteral("&Suchtext:"), this);
    text->setBuddy(FromEdit);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(feld);
    layout->addWidget(FieldListBox1);
    layout->addSpacing(6);
    layout->addWidget(text);
    layout->addWidget(FromEdit);
    layout->addSpacing(10);
    layout->addLayout(buttons);

    connect(OKBtn, &QPushButton::clicked, this, &TSuchDlgKomplex::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TSuchDlgKomplex::CancelBtnClick);
    festUndZentriert(*this);
}

void TSuchDlgKomplex::TabelleSetzen(const std::string& folder, const std::string& file)
{
    if (!tabelle_.setzen(zugang_.datenbank(), folder, file, false)) return;
    FieldListBox1->clear();
    for (const engine::FieldDef& f : tabelle_.felder()) FieldListBox1->addItem(qs(f.name));
    if (FieldListBox1->count() > 0) FieldListBox1->setCurrentRow(0);
    FromEdit->clear();
}

const engine::FieldDef* TSuchDlgKomplex::gewaehltesFeld() const
{
    const int row = auswahl(*FieldListBox1);
    if (row < 0 || row >= static_cast<int>(tabelle_.felder().size())) return nullptr;
    return &tabelle_.felder()[static_cast<size_t>(row)];
}

void TSuchDlgKomplex::SQLErzeugen(std::vector<std::string>& lines) const
{
    lines.clear();
    const engine::FieldDef* f = gewaehltesFeld();
    if (!f) return;
    lines = suchAnweisung(tabelle_.pfad(), *f, ss(FromEdit->text()), Suchart::Anfang);
}

void TSuchDlgKomplex::OKBtnClick()
{
    if (FromEdit->text().isEmpty()) {
        common::dialogs().message(qs(common::MeldungsText(3000)));
        return;
    }
    accept();
}

void TSuchDlgKomplex::CancelBtnClick() { reject(); }

void TSuchDlgKomplex::reject()
{
    FromEdit->clear();
    QDialog::reject();
}

void TSuchDlgKomplex::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FromEdit->setFocus();
    FromEdit->selectAll();
}

} // namespace trevo::shell::stammdaten
