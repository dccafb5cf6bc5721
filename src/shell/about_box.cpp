#include "shell/about_box.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace trevo::shell {

AboutForm::AboutForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("Über Trevo"));
    setModal(true);
    setFixedSize(365, 190);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    auto* mark = new QLabel(QStringLiteral("9"), this);
    mark->setAlignment(Qt::AlignCenter);
    mark->setFixedSize(56, 56);
    mark->setStyleSheet(QStringLiteral("background:#008080; color:white; border-radius:28px;"
                                       " font-family:Arial; font-weight:bold; font-size:30px;"));

    auto* product = new QLabel(QStringLiteral("Trevo"), this);
    product->setStyleSheet(QStringLiteral("font-family:Arial; font-weight:bold; font-size:22px; color:#000080;"));
    auto* version = new QLabel(QStringLiteral("Version 1.14"), this);
    auto* line = new QLabel(QStringLiteral("Kassenbuch und Abrechnung für Kegelclubs"), this);
    auto* credit = new QLabel(QStringLiteral("Entwicklung:"), this);
    credit->setStyleSheet(QStringLiteral("color:#606060;"));
    auto* maker = new QLabel(QStringLiteral("Die Trevo-Entwickler"), this);
    auto* note = new QLabel(QStringLiteral("Mitglieder, Kegelabende und Vereinskasse"), this);
    note->setStyleSheet(QStringLiteral("color:#606060;"));

    auto* text = new QVBoxLayout;
    text->setSpacing(2);
    text->addWidget(product);
    text->addWidget(version);
    text->addWidget(line);
    text->addSpacing(6);
    text->addWidget(credit);
    text->addWidget(maker);
    text->addWidget(note);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* top = new QHBoxLayout;
    top->addWidget(mark, 0, Qt::AlignTop);
    top->addSpacing(10);
    top->addLayout(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 10);
    layout->addLayout(top);
    layout->addStretch();
    layout->addLayout(buttons);
}

} // namespace trevo::shell
