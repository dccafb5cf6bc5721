#include "reports/auswahl/reportauswahlform.h"

#include "reports/auswahl/reportliste.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace trevo::reports::auswahl {

TReportauswahlForm::TReportauswahlForm(engine::FileSystem& fs, const std::string& datenordner, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Reportauswahlform"));
    setWindowTitle(QStringLiteral("Report auswählen"));
    auto* layout = new QVBoxLayout(this);
    HinweisLabel = new QLabel(QStringLiteral("Markieren Sie den Report, den Sie ändern wollen und drücken Sie den OK-Button"), this);
    HinweisLabel->setWordWrap(true);
    layout->addWidget(HinweisLabel);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    layout->addWidget(ListBox1, 1);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Abbrechen"), this);
    knoepfe->addWidget(OKBtn);
    knoepfe->addWidget(CancelBtn);
    layout->addLayout(knoepfe);
    connect(OKBtn, &QPushButton::clicked, this, &TReportauswahlForm::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TReportauswahlForm::OKBtnClick);
    resize(520, 380);
    FormCreate(fs, datenordner);
}

void TReportauswahlForm::FormCreate(engine::FileSystem& fs, const std::string& datenordner)
{
    for (const ReportEintrag& e : reportListe(fs, datenordner)) {
        auto* item = new QListWidgetItem(e.text, ListBox1);
        item->setData(Qt::UserRole, e.datei);
    }
}

QString TReportauswahlForm::gewaehlteDatei() const
{
    const QListWidgetItem* item = ListBox1->currentItem();
    return item && item->isSelected() ? item->data(Qt::UserRole).toString() : QString();
}

void TReportauswahlForm::OKBtnClick()
{
    if (gewaehlteDatei().isEmpty()) return;
    accept();
}

} // namespace trevo::reports::auswahl
