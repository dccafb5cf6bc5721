#include "evenings/terminplan/termin_datumskorrektur.h"

#include "common/helpers/jahr_korrigieren.h"
#include "dbcontrols/db_edit.h"
#include "engine/core/error.h"

#include <QEvent>

namespace trevo::evenings::terminplan {

Datumskorrektur::Datumskorrektur(controls::DBEdit* feld) : QObject(feld), feld_(feld) {}

void Datumskorrektur::anbringen(controls::DBEdit* feld) { feld->installEventFilter(new Datumskorrektur(feld)); }

bool Datumskorrektur::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != feld_ || event->type() != QEvent::FocusOut || feld_->text().trimmed().isEmpty())
        return false;
    std::string text = feld_->text().trimmed().toStdString();
    try {
        common::JahrKorrigieren(text);
    } catch (const engine::EngineError&) {
        return false; // no date: the field's own conversion reports it
    }
    const QString korrigiert = QString::fromStdString(text);
    if (korrigiert != feld_->text().trimmed()) {
        feld_->setText(korrigiert);
        emit feld_->textEdited(korrigiert); // as if typed: the field writes it into the record
    }
    return false;
}

} // namespace trevo::evenings::terminplan
