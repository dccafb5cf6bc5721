#include "shell/sicherung/sicherung_auswahl_dlg.h"

#include "common/dialogs/dialogs.h"
#include "shell/sicherung/datensicherung.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

namespace trevo::shell {

TSicherungAuswahlDlg::TSicherungAuswahlDlg(const QString& ordner, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SicherungAuswahlDlg"));
    setWindowTitle(QStringLiteral("Datensicherung zurückspielen"));
    OrdnerLabel = new QLabel(this);
    OrdnerLabel->setWordWrap(true);
    SicherungenListe = new QListWidget(this);
    SicherungenListe->setMinimumSize(420, 220);
    OKBtn = new QPushButton(QStringLiteral("&Zurückspielen"), this);
    OrdnerBtn = new QPushButton(QStringLiteral("&Ordner ..."), this);
    CancelBtn = new QPushButton(QStringLiteral("Abbrechen"), this);
    OKBtn->setDefault(true);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(OrdnerBtn);
    knoepfe->addStretch();
    knoepfe->addWidget(OKBtn);
    knoepfe->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(OrdnerLabel);
    layout->addWidget(SicherungenListe);
    layout->addLayout(knoepfe);

    connect(OKBtn, &QPushButton::clicked, this, [this] {
        if (gewaehlt()) accept();
    });
    connect(SicherungenListe, &QListWidget::itemDoubleClicked, this, [this] { accept(); });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(OrdnerBtn, &QPushButton::clicked, this, [this] { OrdnerBtnClick(); });
    connect(SicherungenListe, &QListWidget::currentRowChanged, this, [this](int row) { OKBtn->setEnabled(row >= 0); });
    ordnerZeigen(ordner);
}

const data::Sicherung* TSicherungAuswahlDlg::gewaehlt() const
{
    const int row = SicherungenListe->currentRow();
    return row >= 0 && row < static_cast<int>(sicherungen_.size()) ? &sicherungen_[static_cast<size_t>(row)] : nullptr;
}

void TSicherungAuswahlDlg::ordnerZeigen(const QString& ordner)
{
    ordner_ = ordner;
    sicherungen_ = data::sicherungenIn(QDir::toNativeSeparators(ordner).toStdString());
    SicherungenListe->clear();
    for (const data::Sicherung& s : sicherungen_) {
        const qulonglong kb = (s.groesse + 1023) / 1024;
        SicherungenListe->addItem(QStringLiteral("Sicherung vom %1   (%2 KB)")
                                      .arg(sicherungsZeit(static_cast<long long>(s.zeitpunkt)))
                                      .arg(QLocale().toString(kb)));
    }
    OrdnerLabel->setText(sicherungen_.empty() ? QStringLiteral("Im Ordner %1 liegt keine Sicherung.").arg(ordner)
                                              : QStringLiteral("Sicherungen im Ordner %1:").arg(ordner));
    if (!sicherungen_.empty()) SicherungenListe->setCurrentRow(0);
    OKBtn->setEnabled(!sicherungen_.empty());
}

void TSicherungAuswahlDlg::OrdnerBtnClick()
{
    const std::optional<QString> ordner = common::dialogs().chooseFolder(ordner_);
    if (ordner) ordnerZeigen(*ordner);
}

} // namespace trevo::shell
