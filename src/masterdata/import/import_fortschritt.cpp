#include "masterdata/import/import_fortschritt.h"

#include "shell/please_wait_window.h"

#include <QLabel>
#include <QLayout>

namespace trevo::masterdata {

ImportFortschritt::ImportFortschritt() : fenster_(std::make_unique<shell::PleaseWaitWindow>())
{
    Meldung = new QLabel(fenster_.get());
    Meldung->setObjectName(QStringLiteral("Meldung"));
    Meldung->setAlignment(Qt::AlignCenter);
    fenster_->layout()->addWidget(Meldung);
    fenster_->setFixedSize(fenster_->sizeHint().expandedTo(QSize(260, 100)));
}

ImportFortschritt::~ImportFortschritt() = default;

void ImportFortschritt::zeigen()
{
    Meldung->clear();
    fenster_->showNow();
}

void ImportFortschritt::meldung(const QString& text)
{
    Meldung->setText(text);
    shell::paintNow(fenster_.get());
}

void ImportFortschritt::schliessen()
{
    fenster_->hide();
}

QString ImportFortschritt::meldungstext() const
{
    return Meldung->text();
}

bool ImportFortschritt::sichtbar() const
{
    return fenster_->isVisible();
}

} // namespace trevo::masterdata
